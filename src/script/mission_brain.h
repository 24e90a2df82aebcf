#pragma once

#include <cstdint>

namespace quorvane {

struct Session;

// Writes the mission brain module, then the lookout include.
bool WriteMissionBrain(Session& session, int16_t mission);

}  // namespace quorvane
