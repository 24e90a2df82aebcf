#include "support/structure_mission.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "script/abl_text.h"
#include "script/script_files.h"
#include "script/script_session.h"
#include "script/structures/structure_include.h"
#include "support/fixtures.h"

namespace quorvane::structure_test {
namespace {

constexpr std::string_view kSchema = R"(
CREATE TABLE "NewMissions" ("MissionID" INTEGER, "MissionName" TEXT(255),
  "MissionFileName" TEXT(255), "Multiplayer" YESNO);
CREATE TABLE "MissionAssignments" ("MissionID" INTEGER, "UniqueEntry" INTEGER,
  "Alignment" TEXT(50), "ForceGroup" SMALLINT, "Role" SMALLINT, "Captureable" YESNO);
CREATE TABLE "MissionStructures" ("MissionID" INTEGER, "StructureID" INTEGER,
  "Identifier" TEXT(255), "Block" SMALLINT, "Vertex" SMALLINT, "Number" SMALLINT,
  "BuildingType" TEXT(255), "Alignment" SMALLINT, "InitialDamage" FLOAT, "Contact" SMALLINT,
  "Captureable" YESNO, "Captured" YESNO, "newtagname" TEXT(255));
CREATE TABLE "StructureSalvage" ("StructureID" INTEGER, "MissionID" INTEGER, "ItemID" INTEGER,
  "Quantity" SMALLINT);
CREATE TABLE "StructureAssociates" ("StructureID" INTEGER, "Block" SMALLINT, "Vertex" SMALLINT,
  "Number" SMALLINT, "Inactive" YESNO, "AssignmentIndex" SMALLINT);
INSERT INTO "NewMissions" VALUES (2, 'Other', 'other.abl', 0);
INSERT INTO "MissionStructures" VALUES (2, 1000, 'Decoy', 2, 1, 0, 'Turret Control', 1, 9, 0,
  -1, 0, NULL);
INSERT INTO "StructureAssociates" VALUES (1000, 0, 0, 99, 0, NULL);
INSERT INTO "StructureSalvage" VALUES (1000, 2, 77, 7);
INSERT INTO "MissionAssignments" VALUES (2, 900, 'Clan', 1, 1, -1);
)";

std::string Text(const std::optional<std::string>& text) {
  if (!text) return "NULL";
  std::string quoted = "'";
  for (char c : *text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'";
}

template <typename T>
std::string Number(const std::optional<T>& number) {
  if (!number) return "NULL";
  std::ostringstream text;
  text << *number;
  return text.str();
}

std::string Flag(bool value) { return value ? "-1" : "0"; }

std::string MissionSql(const StructureMission& mission) {
  std::ostringstream sql;
  sql << "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;" << kSchema;
  sql << "INSERT INTO NewMissions VALUES (1, 'Test', 'm1.abl', " << Flag(mission.multiplayer)
      << ");\n";
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
    sql << "INSERT INTO MissionAssignments VALUES (1, " << unit.unique_entry << ", "
        << Text(unit.alignment) << ", " << unit.force_group << ", " << unit.role << ", "
        << Flag(unit.captureable) << ");\n";
  }
  for (const SalvageRow& salvage : mission.salvage) {
    sql << "INSERT INTO StructureSalvage VALUES (" << salvage.structure << ", 1, " << salvage.item
        << ", " << salvage.quantity << ");\n";
  }
  sql << "COMMIT;\n";
  return sql.str();
}

void BuildDatabase(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot create db");
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot build the test mission: " + message);
}

// The lines of a file, without the given number of head lines.
std::vector<std::string> ReadLines(const std::string& path, size_t head) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string text = bytes.str();
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  lines.erase(lines.begin(), lines.begin() + static_cast<long>(std::min(head, lines.size())));
  return lines;
}

// The numbered cases of handleMessage: after the 70 head lines, up to the
// close of the switch.
std::vector<std::vector<std::string>> ReadCases(const std::string& path) {
  std::vector<std::vector<std::string>> cases;
  for (const std::string& line : ReadLines(path, 70)) {
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

StructureOutput WriteStructures(const StructureMission& mission) {
  const std::string folder = testing::TempDir();
  const std::string database_path = folder + "/mission.sqlite";
  BuildDatabase(database_path, MissionSql(mission));

  RecordingSink sink;
  Session shared(sink);
  ScriptState state;
  ScriptSession session{shared, state};
  shared.database = db::OpenDatabase(database_path);
  shared.output_folder = folder + "/";
  StructureOutput output;
  if (!FindMissionRecord(session, 1)) throw std::runtime_error("no test mission row");
  OpenVarInitFiles(session);
  OpenMultiplayerInclude(session);
  state.event_limit = mission.multiplayer ? 249 : 0;
  int16_t number = 1;
  output.written = WriteStructureInclude(session, number);
  CloseVarInitFiles(session);
  CloseMultiplayerInclude(session);
  shared.files.CloseAll();

  const std::string base = MissionFileBase(session);
  output.str = ReadLines(base + "_STR.ABI", 3);
  output.var = ReadLines(base + "_VAR.ABI", 3);
  output.init = ReadLines(base + "_INIT.ABI", 3);
  output.cases = ReadCases(base + "_MP.ABI");
  output.messages = sink.texts();
  return output;
}

std::vector<std::string> Placed(std::initializer_list<std::pair<int, std::string_view>> lines) {
  std::vector<std::string> placed;
  for (const auto& [column, text] : lines) {
    placed.push_back(column == 0 ? std::string()
                                 : std::string(column - 1, ' ') + std::string(text));
  }
  return placed;
}

}  // namespace quorvane::structure_test
