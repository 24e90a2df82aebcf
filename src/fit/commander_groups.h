#pragma once

namespace quorvane {

struct FitBuild;

// Writes the commander group sections: per side, one section per force
// group listing its twelve mate slots by part number. A force group with a
// thirteenth unit is reported and stops the build (false).
bool WriteCommanderGroups(const FitBuild& build);

}  // namespace quorvane
