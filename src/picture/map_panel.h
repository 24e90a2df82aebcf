#pragma once

#include <string>

#include "picture/mission_model.h"

namespace quorvane::picture {

// The panel beside the map: the legend of shapes, colours and rings, and the
// note box that lists everything the map could not draw (Null or unusable
// positions, tables that could not be read), starting at (`left`, `top`).
std::string MapPanel(const MissionModel& mission, double left, double top, bool unlabelled);

// Where the panel of the mission ends, in picture units.
double PanelBottom(const MissionModel& mission, double top);

}  // namespace quorvane::picture
