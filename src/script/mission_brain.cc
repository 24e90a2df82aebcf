#include "script/mission_brain.h"

#include "platform/variant.h"
#include "run/mission_kind.h"
#include "script/abl_text.h"
#include "script/brain_module.h"
#include "script/row_count.h"
#include "script/script_files.h"
#include "script/script_lines.h"
#include "script/script_session.h"

namespace quorvane {
namespace {

using std::to_string;

std::string IncludeLine(std::string_view indent, const std::string& file_name) {
  return std::string(indent) + "#include_ \"" + file_name + "\"";
}

// Opens the objective and action record sets and moves each to its last row,
// so that their record counts are complete.
std::unique_ptr<db::Recordset> OpenCountedRecords(ScriptSession& session,
                                                  const std::string& source) {
  std::unique_ptr<db::Recordset> records = session.run.database->OpenRecordset(source);
  if (records->RecordCount() > 0) records->MoveLast();
  return records;
}

// A multiplayer mission needs objectives for two sides' worth of play, every
// mission at least one, and every objective needs an action row.
bool CheckRecordCounts(ScriptSession& session, int16_t mission) {
  ScriptState& script = session.script;
  script.objective_records = OpenCountedRecords(
      session, "SELECT * FROM [Objectives] WHERE [MissionID] = " + to_string(mission) +
                   " ORDER BY [Alignment] DESC, [Objective] ASC");
  int32_t needed = IsMultiplayerMission(session) ? 2 : 1;
  if (script.objective_records->RecordCount() < needed) {
    session.run.messages.Error("Incorrect record count in Objectives table.");
    return false;
  }
  script.action_records = OpenCountedRecords(
      session, "SELECT * FROM [ObjectiveScripting] WHERE [MISSIONID] = " + to_string(mission));
  if (script.action_records->RecordCount() < script.objective_records->RecordCount()) {
    session.run.messages.Error("Incorrect record count in ObjectiveScripting table.");
    return false;
  }
  return true;
}

void WriteModuleHead(const BrainModule& module) {
  const ScriptSession& session = module.session;
  module.Write(kRuleLine);
  module.Write("");
  module.Write("module MissionBrain_" + session.script.script_file_name + " : integer;");
  module.Write("");
  module.Write(brain_text::kHeaderRule);
  module.Write("     // Mission Name: " +
               PrintedForm(session.script.mission_record->Field("MissionName")));
  module.Write("     // Created: " + session.run.creation_date);
  module.Write(brain_text::kHeaderRule);
  module.Write("");
}

void WriteConstants(const BrainModule& module) {
  module.Write(brain_text::kConstants);
  if (module.multiplayer) {
    module.Write(brain_text::kMessageCodes);
    // The numbered cases of handleMessage stay below the fixed message codes.
    module.session.script.event_limit = 249;
    module.Write(brain_text::kVictoryCodes);
  }
  module.Write("");
}

// The first walk over the objectives: counts them by side and priority and
// declares the decided flag of each objective and, for an objective with
// several actions, the success flag of each action. Like every member count,
// the primary counts are only ever added to: a host compiles each mission with
// a compiler object of its own.
void DeclareObjectiveFlags(BrainModule& module) {
  ScriptSession& session = module.session;
  ScriptState& script = session.script;
  db::Recordset& objectives = module.objectives();
  int16_t index = 0;
  for (objectives.MoveFirst(); !objectives.Eof(); objectives.MoveNext()) {
    module.objective_count = CheckedInteger(module.objective_count + 1);
    bool clan = IsClanObjective(objectives);
    if (clan) module.clan_objective_count = CheckedInteger(module.clan_objective_count + 1);
    if (IsPrimaryObjective(objectives)) {
      int16_t& primaries = clan ? script.clan_primary_count : script.inner_sphere_primary_count;
      primaries = CheckedInteger(primaries + 1);
    }
    std::string number = to_string(index);
    DeclareScriptVariable(session, "static boolean", "Objective_" + number + "_Decided", "FALSE");
    int16_t actions = CountMatchingRows(
        *script.action_records, "[ObjectiveID] = " + JoinedForm(objectives.Field("ObjectiveID")));
    if (actions > 1) {
      for (int16_t action = 1; action <= actions; ++action) {
        DeclareScriptVariable(session, "static boolean",
                              "Obj_" + number + "_Action_" + to_string(action) + "_Success",
                              "FALSE");
      }
    }
    index = CheckedInteger(index + 1);
  }
}

// Counts the rows found by `first` and then by `next`: the later searches
// leave out the condition on the unit's start state.
int32_t CountAssignments(db::Recordset& assignments, const std::string& first,
                         const std::string& next) {
  int32_t count = 0;
  assignments.FindFirst(first);
  while (!assignments.NoMatch()) {
    count = CheckedLong(int64_t{count} + 1);
    assignments.FindNext(next);
  }
  return count;
}

// Vehicles that the script creates or activates when a unit comes near.
struct VehicleCounts {
  int32_t created = 0;
  int32_t activated = 0;
};

VehicleCounts CountTriggeredVehicles(const BrainModule& module) {
  std::unique_ptr<db::Recordset> assignments =
      module.session.run.database->OpenRecordset("MissionAssignments");
  std::string mission = MissionCriteria(module.mission);
  VehicleCounts counts;
  counts.created =
      CountAssignments(*assignments, mission + " AND [Exists] = FALSE AND [CreateRadius] > 0",
                       mission + " AND [CreateRadius] > 0");
  counts.activated = CheckedInteger(
      CountAssignments(*assignments, mission + " AND [Active] = FALSE AND [ActivationRadius] > 0",
                       mission + " AND [ActivationRadius] > 0"));
  assignments->Close();
  return counts;
}

void WriteVehicleFlagArray(const BrainModule& module, int32_t count, std::string_view name) {
  if (count > 0) {
    module.Write("            static boolean[" + to_string(count) + "]   " + std::string(name) +
                 ";");
  }
}

VehicleCounts WriteVariables(BrainModule& module) {
  module.Write(brain_text::kVariablesHead);
  module.Write(IncludeLine("            ", module.session.script.script_file_name + "_VAR.ABI"));
  module.Write("");
  module.Write(brain_text::kScenarioVariables);
  if (module.multiplayer) module.Write(brain_text::kClanVictoryVariable);
  module.Write(brain_text::kWorkVariables);
  DeclareObjectiveFlags(module);
  VehicleCounts vehicles = CountTriggeredVehicles(module);
  WriteVehicleFlagArray(module, vehicles.created, "VehicleCreated");
  WriteVehicleFlagArray(module, vehicles.activated, "VehicleActivated");
  module.Write("");
  return vehicles;
}

void WriteVehicleFlagReset(const BrainModule& module, int32_t count, std::string_view name) {
  if (count > 0) {
    module.Write("            for x = 0 to " + to_string(count - 1) + " do");
    module.Write("                  " + std::string(name) + "[x] = FALSE;");
    module.Write("            endfor;");
  }
}

void WriteInitFunction(const BrainModule& module, const VehicleCounts& vehicles) {
  module.Write(brain_text::kInitFunctionHead);
  module.Write(brain_text::kScenarioInit);
  if (module.multiplayer) module.Write(brain_text::kClanVictoryInit);
  module.Write(brain_text::kWorkInit);
  WriteVehicleFlagReset(module, vehicles.created, "VehicleCreated");
  WriteVehicleFlagReset(module, vehicles.activated, "VehicleActivated");
  module.Write("");
  module.Write(IncludeLine("            ", module.session.script.script_file_name + "_INIT.ABI"));
  module.Write("");
  module.Write("endfunction;");
  module.Write("");
}

void WriteEventHandlingInclude(const BrainModule& module) {
  if (!module.multiplayer) return;
  module.Write(brain_text::kEventHandlingHead);
  module.Write(IncludeLine("", module.session.script.script_file_name + "_MP.ABI"));
  module.Write("");
}

void WriteMainCodeHead(const BrainModule& module) {
  module.Write(brain_text::kMainCodeHead);
  if (module.multiplayer) module.Write(brain_text::kServerCodeHead);
}

// The structure and lookout includes, then the tests that mark a force dead.
void WriteIncludesAndForceChecks(const BrainModule& module) {
  const std::string& name = module.session.script.script_file_name;
  module.Write(brain_text::kStructureComment);
  module.Write(IncludeLine("            ", name + "_STR.ABI"));
  module.Write("");
  module.Write(brain_text::kLookoutComment);
  module.Write(IncludeLine("            ", name + "_LOP.ABI"));
  module.Write("");
  module.Write(brain_text::kForceDeadChecks);
}

void WriteModuleTail(const BrainModule& module) {
  if (module.multiplayer) module.Write(brain_text::kServerCodeTail);
  module.Write(brain_text::kReturnResult);
}

}  // namespace

bool IsClanObjective(const db::Recordset& objectives) {
  return EqualsNumber(objectives.Field("Alignment"), 1);
}

bool IsPrimaryObjective(const db::Recordset& objectives) {
  return EqualsNumber(objectives.Field("Priority"), 0);
}

std::string MissionCriteria(int16_t mission) { return "[MissionID] = " + to_string(mission); }

bool WriteMissionBrain(ScriptSession& session) {
  int16_t mission = session.run.mission;
  if (!CheckRecordCounts(session, mission)) return false;
  OutputFile& file = session.run.files[FileRole::kMain];
  file.Create(MissionFileBase(session) + ".ABL");
  const Variant& multiplayer = session.script.mission_record->Field("Multiplayer");
  BrainModule module{
      session, file, mission, IsMultiplayerMission(session),
      DecideMissionKind(multiplayer, MultiplayerTest::kByNumber) == MissionKind::kSinglePlayer};
  WriteModuleHead(module);
  WriteConstants(module);
  module.Write(brain_text::kTypeDefinitions);
  VehicleCounts vehicles = WriteVariables(module);
  WriteInitFunction(module, vehicles);
  WriteEventHandlingInclude(module);
  WriteMainCodeHead(module);
  WriteIncludesAndForceChecks(module);
  WriteForceDeadFailing(module);
  WriteObjectiveResolution(module);
  WriteAllDecidedTests(module);
  WriteScenarioEnd(module);
  WriteModuleTail(module);
  file.Close();
  return true;
}

}  // namespace quorvane
