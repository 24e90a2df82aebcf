#pragma once

#include <cstdint>

namespace quorvane {

struct ScriptSession;

// Writes the action blocks of one objective into the brain module. False when
// the objective has no action row (nothing is written).
bool WriteObjectiveActions(ScriptSession& session, int32_t objective_id, int16_t objective_number,
                           int16_t side);

}  // namespace quorvane
