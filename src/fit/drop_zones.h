#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/variant.h"

namespace quorvane {

struct FitBuild;

// Counts the mission's drop zones into the build's drop-zone count.
void CountDropZones(FitBuild& build);
// Writes one [DropZone n] section per drop zone, in stored order.
void WriteDropZoneSections(const FitBuild& build);

// Where slots 1 to 3 of a drop zone stand, relative to its position (slot 0
// stands on it), as the FIT file writes them: the values of the zone's fields
// times the layout's factors (a Null spacing gives Null offsets). For a Column
// or Line the step from one slot to the next is kept too; a Diamond leaves it
// Empty.
struct SlotOffsets {
  std::array<Variant, 3> x;
  std::array<Variant, 3> y;
  Variant step_x;
  Variant step_y;
};

// The slot offsets of a formation and rotation, or none when the pair has no
// layout (the zone then gets no slots).
std::optional<SlotOffsets> FormationSlotOffsets(const Variant& formation, const Variant& rotation,
                                                const Variant& spacing);

// The formation lines of one drop zone: four slot blocks of offsets and
// facing, or none for a formation or rotation without a layout.
std::vector<std::string> FormationLines(const Variant& formation, const Variant& rotation,
                                        const Variant& spacing, Variant& step_x, Variant& step_y);

}  // namespace quorvane
