#include "picture/map_frame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane::picture {
namespace {

// The world box of everything that is drawn.
class Bounds {
 public:
  void Add(Point point, double radius = 0) {
    min_x_ = std::min(min_x_, point.x - radius);
    max_x_ = std::max(max_x_, point.x + radius);
    min_y_ = std::min(min_y_, point.y - radius);
    max_y_ = std::max(max_y_, point.y + radius);
    empty_ = false;
  }
  bool empty() const { return empty_; }
  double min_x() const { return min_x_; }
  double max_x() const { return max_x_; }
  double min_y() const { return min_y_; }
  double max_y() const { return max_y_; }

 private:
  bool empty_ = true;
  double min_x_ = INFINITY, max_x_ = -INFINITY, min_y_ = INFINITY, max_y_ = -INFINITY;
};

void AddUnits(const MissionModel& mission, Bounds& bounds) {
  for (const Unit& unit : mission.units) {
    if (!unit.position) continue;
    bounds.Add(*unit.position);
    if (unit.create_radius) bounds.Add(*unit.position, *unit.create_radius);
    if (unit.activation_radius) bounds.Add(*unit.position, *unit.activation_radius);
  }
}

void AddZonesAndLookouts(const MissionModel& mission, Bounds& bounds) {
  for (const DropZone& zone : mission.drop_zones) {
    if (!zone.position) continue;
    bounds.Add(*zone.position);
    for (const auto& offset : zone.slot_offsets) {
      if (offset) bounds.Add({zone.position->x + offset->x, zone.position->y + offset->y});
    }
  }
  for (const Lookout& lookout : mission.lookouts) {
    if (!lookout.position) continue;
    bounds.Add(*lookout.position);
    if (lookout.trigger_radius) bounds.Add(*lookout.position, *lookout.trigger_radius);
    if (lookout.reveal) bounds.Add(*lookout.position, *lookout.reveal);
  }
}

}  // namespace

MapFrame::MapFrame(const MissionModel& mission, double left, double top, double size)
    : left_(left), top_(top) {
  Bounds bounds;
  AddUnits(mission, bounds);
  AddZonesAndLookouts(mission, bounds);
  if (bounds.empty()) bounds.Add({0, 0}, 500);
  double width = bounds.max_x() - bounds.min_x();
  double height = bounds.max_y() - bounds.min_y();
  // A margin of 6 % on each side keeps shapes and labels at the edge inside;
  // a single point gets a box of 200 world units around it.
  span_ = std::max({width, height, 200.0}) * 1.12;
  min_x_ = (bounds.min_x() + bounds.max_x()) / 2 - span_ / 2;
  max_y_ = (bounds.min_y() + bounds.max_y()) / 2 + span_ / 2;
  scale_ = size / span_;
  grid_step_ = GridStep(span_);
}

Point FacingVector(double rotation_degrees) {
  double radians = (std::fmod(rotation_degrees, 360.0) - 45.0) * std::numbers::pi / 180.0;
  return {std::cos(radians), std::sin(radians)};
}

double GridStep(double span) {
  if (!(span > 0) || !std::isfinite(span)) return 1;
  double power = std::pow(10.0, std::floor(std::log10(span / 10)));
  for (double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (span / (factor * power) <= 10) return factor * power;
  }
  return 10 * power;
}

}  // namespace quorvane::picture
