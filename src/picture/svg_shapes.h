#pragma once

#include <string>
#include <string_view>

#include "picture/mission_model.h"

namespace quorvane::picture {

// The drawing vocabulary of the map: colours by side and the shape of each
// kind of unit, centred on the origin. Legend and map use the same ones.

// The stroke and fill colour of a side ("#1f5fbf").
std::string_view SideColour(Side side);
// The colour of drop zones and their slots.
inline constexpr std::string_view kDropZoneColour = "#b9770e";
// The name of a side as a class of the markup ("inner-sphere").
std::string_view SideClass(Side side);
// "mech", "vehicle", "carrier", "elemental", "train-car".
std::string_view KindClass(UnitKind kind);

// The shape of a unit kind, filled with `colour` or hollow.
std::string UnitShape(UnitKind kind, std::string_view colour, bool hollow);

}  // namespace quorvane::picture
