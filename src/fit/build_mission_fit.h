#pragma once

#include <cstdint>

namespace quorvane {

struct Session;

// Checks the mission's data and, when every check passes, writes its FIT file.
bool BuildMissionFit(Session& session, int16_t mission);

}  // namespace quorvane
