#include "support/mission_sql.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "compiler/write_quorvane.h"
#include "platform/runtime_error.h"
#include "platform/windows1252.h"
#include "script/abl_text.h"
#include "script/script_files.h"
#include "script/structures/structure_include.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane::testing {
namespace {

// The CREATE TABLE statements of the mission fixtures, in a transaction of
// their own (schema.sql opens it; a fixture's rows commit it).
const std::string& FixtureTables() {
  static const std::string tables = ReadFile(FixturePath("schema.sql")) + "COMMIT;\n";
  return tables;
}

std::string Flag(bool value) { return value ? "-1" : "0"; }

std::string Text(const std::optional<std::string>& text) {
  return text ? SqlText(text->c_str()) : "NULL";
}

template <typename T>
std::string Number(const std::optional<T>& number) {
  if (!number) return "NULL";
  std::ostringstream text;
  text << *number;
  return text.str();
}

// Rows of mission 2, which the structure include of mission 1 must not show.
constexpr std::string_view kOtherMission = R"(
INSERT INTO MissionStructures VALUES (2, 1000, 'Decoy', 2, 1, 0, 'Turret Control', 1, 9, 0,
  -1, 0, NULL);
INSERT INTO StructureAssociates VALUES (1000, 0, 0, 99, 0, NULL);
INSERT INTO StructureSalvage VALUES (1000, 2, 77, 7);
INSERT INTO MissionAssignments (MissionID, UniqueEntry, Alignment, ForceGroup, Role, Captureable)
  VALUES (2, 900, 'Clan', 1, 1, -1);
)";

std::string StructureMissionRows(const StructureMission& mission) {
  std::ostringstream sql;
  sql << MissionRow(1, "m1.abl", Flag(mission.multiplayer), "'Test'") << kOtherMission;
  for (const StructureRow& s : mission.structures) {
    const std::array<int, 3> at = s.position.value_or(std::array<int, 3>{2, s.id, 0});
    sql << "INSERT INTO MissionStructures VALUES (1, " << s.id << ", " << Text(s.identifier) << ", "
        << at[0] << ", " << at[1] << ", " << at[2] << ", " << Text(s.type) << ", "
        << Number(s.alignment) << ", " << Number(s.damage) << ", " << s.contact << ", "
        << Flag(s.captureable) << ", " << Flag(s.captured) << ", " << Text(s.name) << ");\n";
  }
  for (const LinkRow& link : mission.links) {
    std::string position =
        link.prisoner ? "NULL, NULL, NULL" : "0, 0, " + std::to_string(link.number);
    sql << "INSERT INTO StructureAssociates VALUES (" << link.structure << ", " << position << ", "
        << Flag(link.inactive) << ", " << Number(link.prisoner) << ");\n";
  }
  for (const UnitRow& unit : mission.units) {
    sql << "INSERT INTO MissionAssignments (MissionID, UniqueEntry, Alignment, ForceGroup, Role, "
           "Captureable) VALUES (1, "
        << unit.unique_entry << ", " << SqlText(unit.alignment.c_str()) << ", " << unit.force_group
        << ", " << unit.role << ", " << Flag(unit.captureable) << ");\n";
  }
  for (const SalvageRow& salvage : mission.salvage) {
    sql << "INSERT INTO StructureSalvage VALUES (" << salvage.structure << ", 1, " << salvage.item
        << ", " << salvage.quantity << ");\n";
  }
  return sql.str();
}

// The lines of a file without its first `head` lines.
std::vector<std::string> LinesAfter(const std::string& path, size_t head) {
  std::vector<std::string> lines = ReadLines(path);
  lines.erase(lines.begin(), lines.begin() + static_cast<long>(std::min(head, lines.size())));
  return lines;
}

// The numbered cases of handleMessage: after the 70 head lines, up to the
// close of the switch.
std::vector<std::vector<std::string>> ReadCases(const std::string& path) {
  std::vector<std::vector<std::string>> cases;
  for (const std::string& line : LinesAfter(path, 70)) {
    if (line.find("endswitch;") != std::string::npos) break;
    if (line.empty() || line.find("endcase;") != std::string::npos) continue;
    if (line.rfind(std::string(17, ' ') + "Case ", 0) == 0) {
      cases.emplace_back();
    } else if (!cases.empty()) {
      cases.back().push_back(line.size() > 23 ? line.substr(23) : line);
    }
  }
  return cases;
}

}  // namespace

std::vector<std::string> ReadLines(const std::string& path) {
  std::string text = FromWindows1252(ReadFile(path));
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start) + "<no line end>");
  return lines;
}

bool HasSequence(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
  return std::search(lines.begin(), lines.end(), wanted.begin(), wanted.end()) != lines.end();
}

std::string MissionDatabase(const std::string& rows) {
  return MissionDatabaseAt(TempDir() + "/mission.sqlite", "BEGIN;\n" + rows + "COMMIT;\n");
}

std::string MissionDatabaseAt(const std::string& path, const std::string& rows) {
  return SqliteDatabase(path, FixtureTables() + rows, "mission rows");
}

void AddRows(const std::string& database, const std::string& rows) {
  SqliteDatabase(database, rows, "mission rows");
}

std::string MissionRow(int mission, const std::string& file_name, const std::string& multiplayer,
                       const std::string& name) {
  return "INSERT INTO NewMissions (MissionID, MissionName, MissionFileName, Multiplayer) VALUES (" +
         std::to_string(mission) + ", " + name + ", '" + file_name + "', " + multiplayer + ");\n";
}

std::string ObjectiveRow(int mission, const std::string& objective_id, const std::string& alignment,
                         int order, const std::string& priority, const std::string& delayed,
                         const std::string& not_fail, const std::string& time_left) {
  return "INSERT INTO Objectives (MissionID, ObjectiveID, Alignment, Objective, Priority, "
         "TimeLeft, DelayDetermination, DoNotFailIfDead) VALUES (" +
         std::to_string(mission) + ", " + objective_id + ", " + alignment + ", " +
         std::to_string(order) + ", " + priority + ", " + time_left + ", " + delayed + ", " +
         not_fail + ");\n";
}

std::string ActionRows(int mission, int objective_id, int count) {
  std::string rows;
  for (int i = 0; i < count; ++i) {
    rows += "INSERT INTO ObjectiveScripting (MissionID, ObjectiveID, Action) VALUES (" +
            std::to_string(mission) + ", " + std::to_string(objective_id) +
            ", 'Unknown Test Action');\n";
  }
  return rows;
}

std::string AssignmentRow(int mission, const std::string& exists, const std::string& create_radius,
                          const std::string& active, const std::string& activation_radius) {
  return "INSERT INTO MissionAssignments (MissionID, Alignment, Active, \"Exists\", CreateRadius, "
         "ActivationRadius) VALUES (" +
         std::to_string(mission) + ", 'Clan', " + active + ", " + exists + ", " + create_radius +
         ", " + activation_radius + ");\n";
}

std::string LookoutRow(int mission, const std::string& x, const std::string& y,
                       const std::string& side, const std::string& kind, const std::string& radius,
                       const std::string& condition, const std::string& reveal_radius) {
  return "INSERT INTO LookoutPoints (MissionID, XCoordinate, YCoordinate, Side, UseABLorRadius, "
         "Radius, ABLCondition, RevealRadius) VALUES (" +
         std::to_string(mission) + ", " + x + ", " + y + ", " + side + ", " + kind + ", " + radius +
         ", " + condition + ", " + reveal_radius + ");\n";
}

std::string SqlText(const char* text) {
  if (text == nullptr) return "NULL";
  std::string literal = "'";
  for (const char* c = text; *c != '\0'; ++c) literal += *c == '\'' ? "''" : std::string(1, *c);
  return literal + "'";
}

const std::vector<std::string>& ScriptRun::Lines(const std::string& ending) const {
  static const std::vector<std::string> kNone;
  auto it = files.find(ending);
  if (it == files.end()) {
    ADD_FAILURE() << "no file " << ending << " was written";
    return kNone;
  }
  return it->second;
}

ScriptRun RunMissionScript(const std::string& database, int16_t mission,
                           const std::string& file_name) {
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2024-05-01");
  std::string output = TempDir();
  std::filesystem::path database_path(database);
  std::string folder = database_path.parent_path().string();
  std::string name = database_path.filename().string();
  ScriptRun run;
  run.output_folder = output + "/";
  try {
    run.result = compiler.WriteMissionScript(output, folder, name, mission);
  } catch (const RuntimeError& error) {
    run.error = error.what();
  }
  run.messages = sink.messages();
  for (const char* ending : {".ABL", "_VAR.ABI", "_INIT.ABI", "_MP.ABI", "_STR.ABI", "_LOP.ABI"}) {
    std::string path = run.output_folder + file_name + ending;
    if (std::filesystem::exists(path)) run.files[ending] = ReadLines(path);
  }
  return run;
}

ScriptFixture::ScriptFixture(bool multiplayer) : folder_(TempDir()) {
  run.output_folder = folder_.string() + "/";
  run.files[FileRole::kMain].Create((folder_ / "brain.abl").string());
  run.files[FileRole::kInit].Create((folder_ / "init.abi").string());
  run.files[FileRole::kMultiplayer].Create((folder_ / "mp.abi").string());
  state.event_limit = multiplayer ? 249 : 0;
  Sql(MissionRow(7, "m7", multiplayer ? "-1" : "0"));
}

ScriptFixture::~ScriptFixture() {
  run.files.CloseAll();
  state = {};
  run.database.reset();
}

void ScriptFixture::Open(int objective_id) {
  run.database = db::OpenDatabase(MissionDatabase(rows_));
  state.mission_record = run.database->OpenRecordset("NewMissions");
  state.mission_record->FindFirst("[MissionID] = 7");
  state.objective_records =
      run.database->OpenRecordset("SELECT * FROM [Objectives] WHERE [MissionID] = 7");
  state.objective_records->FindFirst("[ObjectiveID] = " + std::to_string(objective_id));
  state.action_records =
      run.database->OpenRecordset("SELECT * FROM [ObjectiveScripting] WHERE [MISSIONID] = 7");
}

std::vector<std::string> ScriptFixture::Lines(FileRole role) {
  OutputFile& file = run.files[role];
  std::string path = file.path();
  file.Close();
  return ReadLines(path);
}

std::string At(int column, const std::string& text) { return std::string(column - 1, ' ') + text; }

std::vector<std::string> Placed(std::initializer_list<std::pair<int, std::string_view>> lines) {
  std::vector<std::string> placed;
  for (const auto& [column, text] : lines) {
    placed.push_back(column == 0 ? std::string() : At(column, std::string(text)));
  }
  return placed;
}

StructureOutput WriteStructures(const StructureMission& mission) {
  RecordingSink sink;
  RunState run(sink);
  ScriptState state;
  ScriptSession session{run, state};
  run.database = db::OpenDatabase(MissionDatabase(StructureMissionRows(mission)));
  run.output_folder = TempDir() + "/";
  run.mission = 1;
  if (!FindMissionRecord(session)) throw std::runtime_error("no test mission row");
  OpenVarInitFiles(session);
  OpenMultiplayerInclude(session);
  state.event_limit = mission.multiplayer ? 249 : 0;
  StructureOutput output;
  output.written = WriteStructureInclude(session);
  CloseVarInitFiles(session);
  CloseMultiplayerInclude(session);
  run.files.CloseAll();

  const std::string base = MissionFileBase(session);
  output.str = LinesAfter(base + "_STR.ABI", 3);
  output.var = LinesAfter(base + "_VAR.ABI", 3);
  output.init = LinesAfter(base + "_INIT.ABI", 3);
  output.cases = ReadCases(base + "_MP.ABI");
  output.messages = sink.texts();
  return output;
}

void ExpectBehaviours(const std::vector<BehaviourCase>& cases) {
  for (const BehaviourCase& c : cases) {
    SCOPED_TRACE(c.name);
    StructureOutput output = WriteStructures(c.mission);
    EXPECT_EQ(output.str, c.str);
    EXPECT_EQ(output.cases, c.cases);
    EXPECT_TRUE(output.messages.empty());
  }
}

}  // namespace quorvane::testing
