#include "fit/build_mission_fit.h"

#include "compiler/session.h"

namespace quorvane {

bool BuildMissionFit(Session&, int16_t) { return false; }

}  // namespace quorvane
