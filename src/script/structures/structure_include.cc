#include "script/structures/structure_include.h"

#include <array>
#include <memory>
#include <string>

#include "script/abl_identifier.h"
#include "script/abl_text.h"
#include "script/script_files.h"
#include "script/script_lines.h"
#include "script/script_session.h"
#include "script/structures/behaviours.h"
#include "script/structures/captureable_units.h"
#include "script/structures/start_state.h"
#include "script/structures/structure_context.h"

namespace quorvane {
namespace {

// The game keeps at most ten ObjectList elements.
constexpr int16_t kObjectListLimit = 10;

enum class ResetLineUse { kEvery, kSinglePlayer, kMultiplayer };

using ResetLine = ConditionalLine<ResetLineUse>;

// Runs after every alarm: the brain clears PerimeterBreach before the
// structure code and each alarm that sees an intruder sets it, so the alarm
// sounds stop once no alarm sees one.
constexpr std::array<ResetLine, 13> kAlarmReset = {{
    {ResetLineUse::kEvery, 0, ""},
    {ResetLineUse::kEvery, 1, "if (NOT PerimeterBreach) then"},
    {ResetLineUse::kEvery, 7, "if (PlayGASound) then"},
    {ResetLineUse::kMultiplayer, 13, "SendMessage(MSG_GENERAL_ALARM_OFF,0);"},
    {ResetLineUse::kMultiplayer, 13, "HandleMessage;"},
    {ResetLineUse::kSinglePlayer, 13, "PlayGASound = FALSE;"},
    {ResetLineUse::kEvery, 7, "endif;"},
    {ResetLineUse::kEvery, 7, "if (PlayPASound) then"},
    {ResetLineUse::kMultiplayer, 13, "SendMessage(MSG_PERIMETER_ALARM_OFF,0);"},
    {ResetLineUse::kMultiplayer, 13, "HandleMessage;"},
    {ResetLineUse::kSinglePlayer, 13, "PlayPASound = FALSE;"},
    {ResetLineUse::kEvery, 7, "endif;"},
    {ResetLineUse::kEvery, 1, "endif;"},
}};

void WriteFileHead(ScriptSession& session) {
  OutputFile& file = session.run.files[FileRole::kMain];
  file.Create(MissionFileBase(session) + "_STR.ABI");
  file.WriteLine(kRuleLine);
  file.WriteLine("// Structure Include file for mission " +
                 PrintedForm(session.script.mission_record->Field("MissionName")));
  file.WriteLine();
}

// Reads the values every behaviour writes with. The identifier is used as
// stored; a badly formed one only draws the identifier warning.
void ReadStructure(StructureContext& structure, const db::Recordset& row) {
  structure.identifier = row.Field("Identifier").ToText();
  std::string checked = structure.identifier;
  MakeAblIdentifier(structure.session.run.messages, checked);
  structure.structure_id = JoinedForm(row.Field("StructureID"));
  structure.alignment = row.Field("Alignment");
  structure.initial_damage = row.Field("InitialDamage");
  structure.captureable = row.Field("Captureable").IsTrue();
}

void WriteStructures(ScriptSession& session, int16_t mission, StructureCounts& counts) {
  std::unique_ptr<db::Recordset> structures =
      session.run.database->OpenRecordset("MissionStructures");
  std::unique_ptr<db::Recordset> salvage = session.run.database->OpenRecordset("StructureSalvage");
  std::unique_ptr<db::Recordset> associates =
      session.run.database->OpenRecordset("StructureAssociates");
  if (structures->RecordCount() < 1) return;
  const bool multiplayer = IsMultiplayerMission(session);
  structures->FindFirst("[MissionID] =" + std::to_string(mission));
  while (!structures->NoMatch()) {
    StructureContext structure{session, *associates, counts, multiplayer};
    ReadStructure(structure, *structures);
    const Behaviour* behaviour = FindBehaviour(structures->Field("BuildingType"));
    WriteStartState(structure, *structures, *salvage, mission, behaviour);
    if (behaviour != nullptr) behaviour->write(structure);
    structures->FindNext("[MissionID] = " + std::to_string(mission));
  }
}

void WriteAlarmReset(ScriptSession& session) {
  const bool multiplayer = IsMultiplayerMission(session);
  OutputFile& file = session.run.files[FileRole::kMain];
  for (const ResetLine& line : kAlarmReset) {
    if ((line.when == ResetLineUse::kSinglePlayer && multiplayer) ||
        (line.when == ResetLineUse::kMultiplayer && !multiplayer)) {
      continue;
    }
    file.WriteLine(ToLine(line.placed));
  }
}

// A count at the end of the include, written with a blank in front.
void WriteCount(ScriptSession& session, std::string_view name, int16_t count) {
  WriteInitLine(session, name, " " + std::to_string(count));
}

void WriteEndOfInclude(ScriptSession& session, const StructureCounts& counts) {
  if (counts.mech_bays > 0) WriteCount(session, "TotalMechBays", counts.mech_bays);
  if (counts.vehicle_bays > 0) WriteCount(session, "TotalVehicleBays", counts.vehicle_bays);
  if (counts.object_list > 0) {
    WriteCount(session, "ObjectListSize", counts.object_list);
    if (counts.object_list > kObjectListLimit) {
      session.run.messages.Notice("Too many items on the ObjectList. Max is 10 (0 to 9).");
    }
  }
  if (counts.perimeter_alarms > 0) {
    WriteAlarmReset(session);
  }
}

}  // namespace

bool WriteStructureInclude(ScriptSession& session) {
  int16_t mission = session.run.mission;
  WriteFileHead(session);
  if (!WriteCaptureableUnits(session, mission)) return false;
  StructureCounts counts;
  WriteStructures(session, mission, counts);
  WriteEndOfInclude(session, counts);
  session.run.files[FileRole::kMain].Close();
  return true;
}

}  // namespace quorvane
