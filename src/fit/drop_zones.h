#pragma once

#include <string>
#include <vector>

#include "platform/variant.h"

namespace quorvane {

struct FitBuild;

// Counts the mission's drop zones into the build's drop-zone count.
void CountDropZones(FitBuild& build);
// Writes one [DropZone n] section per drop zone, in stored order.
void WriteDropZoneSections(const FitBuild& build);

// The formation lines of one drop zone: four slot blocks of offsets and
// facing, or none for a formation or rotation without a layout.
std::vector<std::string> FormationLines(const Variant& formation, const Variant& rotation,
                                        const Variant& spacing, Variant& step_x, Variant& step_y);

}  // namespace quorvane
