#include "script/objectives/objective_actions.h"

#include "compiler/session.h"

namespace quorvane {

bool WriteObjectiveActions(Session&, int32_t, int16_t, int16_t) { return false; }

}  // namespace quorvane
