#pragma once

#include <string>

#include "script/abl_identifier.h"
#include "script/script_state.h"

namespace quorvane {

struct RunState;

// Writes the mission script of `run.mission` into `run.output_folder`, step by
// step, each only when the one before it allowed: finds the mission row, opens
// the _VAR, _INIT and _MP includes, writes the brain module and then the
// lookout include into the still open includes, writes the structure include,
// and closes the includes. False when the mission row, the brain's record
// counts or a file name refused the mission; the includes opened so far are
// then left unfinished. A refused structure include does not change the result:
// `structure_include_refused` tells it, set as soon as that step has returned.
bool BuildMissionScript(RunState& run, ScriptState& script, bool& structure_include_refused);

// Writes the lookout include of `run.mission` on its own, from the database the
// last operation opened, into `path_name` (a blank one becomes "c:"). Lines it
// would add to a _VAR, _INIT or _MP include that is not open are dropped.
bool BuildLookoutInclude(RunState& run, ScriptState& script, std::string& path_name);

}  // namespace quorvane
