#pragma once

#include <string>

#include "picture/mission_model.h"

namespace quorvane::picture {

// The mission drawn from above as one self-contained SVG document (UTF-8,
// no external resources): grid and scale bar in world units, units by kind
// and side with their facing and their create and activation rings, drop
// zones with their slots where the FIT file places them, lookout points with
// their trigger and reveal rings, a legend, and a note box listing what could
// not be drawn. Every text of the database is escaped.
std::string MissionMapSvg(const MissionModel& mission);

// The same drawing without the XML declaration, to be placed inside HTML.
std::string MissionMapElement(const MissionModel& mission);

}  // namespace quorvane::picture
