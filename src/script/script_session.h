#pragma once

#include "run/run_state.h"
#include "script/script_state.h"

namespace quorvane {

// What a line meant for a _VAR, _INIT or _MP include that is not open does:
// inside a mission script build it is a run-time error; the lookout include
// written on its own drops it, since those includes are open only inside a
// mission script build.
enum class ClosedIncludeLines { kAreErrors, kAreDropped };

// What a script writer sees of the compiler object: the state all steps share,
// the script writers' own state, and the rule the operation writes under.
struct ScriptSession {
  RunState& run;
  ScriptState& script;
  ClosedIncludeLines closed_include_lines = ClosedIncludeLines::kAreErrors;
};

}  // namespace quorvane
