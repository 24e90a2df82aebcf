#include "script/lookout_include.h"

#include "platform/variant.h"
#include "script/abl_text.h"
#include "script/script_files.h"
#include "script/script_lines.h"
#include "script/script_session.h"

namespace quorvane {
namespace {

using std::to_string;

// The side that a lookout point reveals the terrain to: Side -1 is the Clan;
// any other value, Null included, the player's side.
struct LookoutSide {
  std::string_view force;
  std::string_view team;
};

LookoutSide SideOf(const db::Recordset& point) {
  if (EqualsNumber(point.Field("Side"), -1)) return {"CLAN_FORCE", "-1"};
  return {"PLAYER_FORCE", "1"};
}

std::string FieldText(const db::Recordset& point, std::string_view field) {
  return JoinedForm(point.Field(field));
}

// The test that fires the point: a unit of the side within the radius, the
// designer's ABL condition, or both. A Null or unknown trigger kind is a radius.
std::string TriggerTest(const db::Recordset& point, const LookoutSide& side) {
  const Variant& kind = point.Field("UseABLorRadius");
  std::string distance =
      "distanceToPosition(" + std::string(side.force) + ", aPoint) < " + FieldText(point, "Radius");
  if (EqualsText(kind, "Both")) {
    return "      if ((" + FieldText(point, "ABLCondition") + ") AND (" + distance + ")) then";
  }
  if (EqualsText(kind, "ABL")) return "      if (" + FieldText(point, "ABLCondition") + ") then";
  return "      if (" + distance + ") then";
}

// Reveals the area on the spot (single-player) or through a numbered case of
// handleMessage that the server sends to every machine (multiplayer).
void WriteReveal(ScriptSession& session, OutputFile& file, const db::Recordset& point,
                 const LookoutSide& side, const std::string& flag) {
  std::string x = "aPoint[0] = " + FieldText(point, "XCoordinate") + ";";
  std::string y = "aPoint[1] = " + FieldText(point, "YCoordinate") + ";";
  std::string reveal = "setRevealed(" + std::string(side.team) + "," +
                       FieldText(point, "RevealRadius") + ".0,aPoint);";
  if (!IsMultiplayerMission(session)) {
    file.WriteLine("            " + reveal);
    file.WriteLine("            " + flag + " = FALSE;");
    return;
  }
  int16_t event = AddMultiplayerEvent(session, x, true);
  AddMultiplayerEvent(session, y, false);
  AddMultiplayerEvent(session, "aPoint[2] = 0.0;", false);
  AddMultiplayerEvent(session, reveal, false);
  file.WriteLine("            sendMessage(" + to_string(event) + ",0);");
  file.WriteLine("            handleMessage;");
  AddMultiplayerEvent(session, flag + " = FALSE;", false);
}

// One guarded block: the point fires once, while its LOP flag is still true.
void WriteLookoutBlock(ScriptSession& session, OutputFile& file, const db::Recordset& point,
                       int16_t number) {
  std::string flag = "LOP" + to_string(number);
  LookoutSide side = SideOf(point);
  DeclareScriptVariable(session, "static boolean", flag, "TRUE");
  file.WriteLine("if (" + flag + ") then");
  file.WriteLine("      aPoint[0] = " + FieldText(point, "XCoordinate") + ";");
  file.WriteLine("      aPoint[1] = " + FieldText(point, "YCoordinate") + ";");
  file.WriteLine("      aPoint[2] = 0.0;");
  file.WriteLine(TriggerTest(point, side));
  WriteReveal(session, file, point, side, flag);
  file.WriteLine("      endif;");
  file.WriteLine("endif;");
}

}  // namespace

bool WriteLookOutIncludeFile(ScriptSession& session, std::string& path_name) {
  int16_t mission = session.run.mission;
  ScriptState& script = session.script;
  script.mission_record = session.run.database->OpenRecordset("NewMissions");
  script.mission_record->FindFirst("[MissionID] = " + to_string(mission));
  if (script.mission_record->NoMatch()) return false;

  if (path_name.find_first_not_of(' ') == std::string::npos) path_name = "c:";
  std::string path = path_name + script.script_file_name + "_LOP.ABI";
  OutputFile& file = session.run.files[FileRole::kMain];
  file.Create(path);
  file.WriteLine(kRuleLine);
  file.WriteLine("// Lookout Point Include file for mission " + path);
  file.WriteLine();

  std::unique_ptr<db::Recordset> points = session.run.database->OpenRecordset("LookoutPoints");
  std::string criteria = "MissionID = " + to_string(mission);
  int16_t number = 0;
  for (points->FindFirst(criteria); !points->NoMatch(); points->FindNext(criteria)) {
    WriteLookoutBlock(session, file, *points, number);
    number = CheckedInteger(number + 1);
  }
  file.Close();
  return true;
}

}  // namespace quorvane
