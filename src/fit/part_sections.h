#pragma once

namespace quorvane {

struct FitBuild;

// Writes [Parts] and one [Part n] block per unit of the mission in unit
// order, noting the elemental carriers on the way; then the single-player
// [Teams] section.
void WritePartSections(FitBuild& build);

}  // namespace quorvane
