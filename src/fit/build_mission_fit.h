#pragma once

#include <cstdint>

namespace quorvane {

struct RunState;
struct FitState;

// Checks the mission's data and, when every check passes, writes its FIT file.
bool BuildMissionFit(RunState& run, FitState& fit);

}  // namespace quorvane
