#pragma once

#include <cstdint>

namespace quorvane {

struct ScriptSession;

// Writes the mission brain module. Refuses a mission whose objective or
// action rows are too few, before the module is created.
bool WriteMissionBrain(ScriptSession& session);

}  // namespace quorvane
