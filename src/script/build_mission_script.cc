#include "script/build_mission_script.h"

#include "run/run_state.h"
#include "run/step_context.h"
#include "script/abl_text.h"
#include "script/lookout_include.h"
#include "script/mission_brain.h"
#include "script/script_files.h"
#include "script/script_session.h"
#include "script/structures/structure_include.h"

namespace quorvane {

bool BuildMissionScript(RunState& run, ScriptState& script_state, bool& structure_include_refused) {
  ScriptSession script{run, script_state, ClosedIncludeLines::kAreErrors};
  if (!RunStep(run, "finding the mission record", [&] { return FindMissionRecord(script); })) {
    return false;
  }
  // Their results are not tested: a file that cannot be created is a run-time error.
  RunStep(run, "opening the script includes", [&] {
    OpenVarInitFiles(script);
    OpenMultiplayerInclude(script);
  });
  if (!RunStep(run, "writing the mission brain module",
               [&] { return WriteMissionBrain(script); })) {
    return false;
  }
  // Written with the main module closed and the _VAR, _INIT and _MP includes
  // still open for its lines; its result is not tested.
  std::string lookout_folder = run.output_folder;
  RunStep(run, "writing the lookout include",
          [&] { return WriteLookOutIncludeFile(script, lookout_folder); });
  structure_include_refused =
      !RunStep(run, "writing the structure include", [&] { return WriteStructureInclude(script); });
  RunStep(run, "closing the script includes", [&] {
    CloseVarInitFiles(script);
    CloseMultiplayerInclude(script);
  });
  return true;
}

bool BuildLookoutInclude(RunState& run, ScriptState& script_state, std::string& path_name) {
  ScriptSession script{run, script_state, ClosedIncludeLines::kAreDropped};
  return RunStep(run, "writing the lookout include",
                 [&] { return WriteLookOutIncludeFile(script, path_name); });
}

}  // namespace quorvane
