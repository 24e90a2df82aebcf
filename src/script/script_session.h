#pragma once

#include "run/run_state.h"
#include "script/script_state.h"

namespace quorvane {

// What a script writer sees of the compiler object: the state all steps share
// and the script writers' own state.
struct ScriptSession {
  RunState& run;
  ScriptState& script;
};

}  // namespace quorvane
