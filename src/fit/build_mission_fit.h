#pragma once

#include "fit/fit_state.h"

namespace quorvane {

struct RunState;

// Checks the mission's data and, when every check passes, writes its FIT file.
bool BuildMissionFit(RunState& run, FitState& fit);

}  // namespace quorvane
