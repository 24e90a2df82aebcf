#pragma once

#include "picture/mission_model.h"

namespace quorvane::picture {

// How world units become picture units: the world's X grows to the right and
// its Y upward (the picture's own Y grows downward, so it is turned over),
// with one scale for both axes, fitted to a square of the picture.
class MapFrame {
 public:
  // The frame that shows everything of the mission that can be drawn inside
  // the square of `size` picture units whose top left corner is at
  // (`left`, `top`).
  MapFrame(const MissionModel& mission, double left, double top, double size);

  double ScreenX(double x) const { return left_ + (x - min_x_) * scale_; }
  double ScreenY(double y) const { return top_ + (max_y_ - y) * scale_; }
  double Length(double world) const { return world * scale_; }

  double min_x() const { return min_x_; }
  double max_x() const { return min_x_ + span_; }
  double min_y() const { return max_y_ - span_; }
  double max_y() const { return max_y_; }
  double scale() const { return scale_; }
  // Distance between grid lines, in world units: 1, 2 or 5 times a power of ten.
  double grid_step() const { return grid_step_; }

 private:
  double left_, top_;
  double min_x_ = 0, max_y_ = 0, span_ = 0, scale_ = 1, grid_step_ = 1;
};

// The direction a Rotation faces, as a world vector of length 1. Rotation 0
// faces toward +X and -Y (down and to the right on the map) and a greater
// rotation turns counter-clockwise: this is the direction in which the FIT
// file's Column formation leads, with slots 1 to 3 behind slot 0, and across
// which its Line formation stands.
Point FacingVector(double rotation_degrees);

// The grid distance for a span of world units: the smallest 1, 2 or 5 times
// a power of ten that gives at most ten grid lines.
double GridStep(double span);

}  // namespace quorvane::picture
