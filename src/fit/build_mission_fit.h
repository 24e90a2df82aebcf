#pragma once

#include <cstdint>

namespace quorvane {

struct Session;
struct FitState;

// Checks the mission's data and, when every check passes, writes its FIT file.
bool BuildMissionFit(Session& session, FitState& fit, int16_t mission);

}  // namespace quorvane
