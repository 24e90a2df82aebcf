#pragma once

namespace quorvane {

struct FitBuild;

// Writes [Objectives] with the objective counts and the mission's time limit,
// then one [Objective n] section per objective in objective order.
void WriteObjectiveSections(const FitBuild& build);

}  // namespace quorvane
