#pragma once

#include <string>

#include "platform/variant.h"

namespace quorvane {

struct FitBuild;

// Writes [Warriors] and one [Warrior n] section per warrior of the mission's
// units that are not train cars, in unit order.
void WriteWarriorSections(const FitBuild& build);

// The warrior's profile: its FIT file name, or "PMW" and the warrior number
// in five digits when the name is missing or blank.
std::string WarriorProfile(const Variant& fit_file_name, const Variant& mwid);
// The unit's brain: its own brain file, or the default brain of its side.
std::string WarriorBrain(const Variant& brain_file, const Variant& alignment);

}  // namespace quorvane
