#include "support/mission_sql.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "compiler/write_quorvane.h"
#include "platform/runtime_error.h"
#include "platform/windows1252.h"
#include "support/fixtures.h"

namespace quorvane::testing {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The CREATE TABLE statements of the campaign fixture, without its rows.
const std::string& FixtureTables() {
  static const std::string tables = [] {
    std::string script = ReadText(FixturePath("campaign.sql"));
    size_t rows = script.find("\n-- NewMissions");
    if (rows == std::string::npos) throw std::runtime_error("campaign.sql without a rows part");
    // The fixture runs in one transaction, committed after its rows.
    return script.substr(0, rows + 1) + "COMMIT;\n";
  }();
  return tables;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::string text = FromWindows1252(bytes);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start) + "<no line end>");
  return lines;
}

}  // namespace

std::string MissionDatabase(const std::string& rows) {
  return MissionDatabaseAt(TempDir() + "/mission.sqlite", rows);
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
                         const std::string& not_fail) {
  return "INSERT INTO Objectives (MissionID, ObjectiveID, Alignment, Objective, Priority, "
         "TimeLeft, DelayDetermination, DoNotFailIfDead) VALUES (" +
         std::to_string(mission) + ", " + objective_id + ", " + alignment + ", " +
         std::to_string(order) + ", " + priority + ", -1, " + delayed + ", " + not_fail + ");\n";
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

std::vector<std::string> ReadLines(const std::string& path) { return SplitLines(ReadText(path)); }

bool HasSequence(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
  return std::search(lines.begin(), lines.end(), wanted.begin(), wanted.end()) != lines.end();
}

}  // namespace quorvane::testing
