#include "script/mission_brain.h"

#include "compiler/session.h"

namespace quorvane {

bool WriteMissionBrain(Session&, int16_t) { return false; }

}  // namespace quorvane
