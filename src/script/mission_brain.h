#pragma once

#include <cstdint>

namespace quorvane {

struct ScriptSession;

// Writes the mission brain module, then the lookout include.
bool WriteMissionBrain(ScriptSession& session);

}  // namespace quorvane
