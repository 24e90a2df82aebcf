#include "support/script_fixture.h"

#include <sqlite3.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/runtime_error.h"

namespace quorvane::testing_support {

constexpr const char* kSchema = R"(
CREATE TABLE NewMissions (MissionID INTEGER, Multiplayer YESNO);
CREATE TABLE Objectives (MissionID INTEGER, ObjectiveID INTEGER, Alignment SMALLINT,
                         Priority SMALLINT, TimeLeft FLOAT);
CREATE TABLE ObjectiveScripting (MissionID INTEGER, ObjectiveID INTEGER, Action TEXT(255),
                                 ActionParm1 TEXT(255), ActionParm2 TEXT(255),
                                 ActionParm3 TEXT(255), ActionParm4 TEXT(255),
                                 ActionParm5 TEXT(255));
CREATE TABLE MissionAssignments (MissionID INTEGER, Alignment TEXT(50), Captureable YESNO);
)";

ScriptFixture::ScriptFixture(bool multiplayer) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "quorvane_script_XXXXXX").string();
  folder_ = mkdtemp(pattern.data());
  shared.output_folder = folder_.string() + "/";
  shared.files[FileRole::kMain].Create((folder_ / "brain.abl").string());
  shared.files[FileRole::kInit].Create((folder_ / "init.abi").string());
  shared.files[FileRole::kMultiplayer].Create((folder_ / "mp.abi").string());
  state.event_limit = multiplayer ? 249 : 0;
  Sql(kSchema);
  Sql(std::string("INSERT INTO NewMissions VALUES (7, ") + (multiplayer ? "-1" : "0") + ")");
}

ScriptFixture::~ScriptFixture() {
  shared.files.CloseAll();
  state = {};
  shared.database.reset();
  std::filesystem::remove_all(folder_);
}

void ScriptFixture::Sql(const std::string& statements) {
  sqlite3* db = nullptr;
  std::string path = (folder_ / "mission.sqlite").string();
  char* error = nullptr;
  int result = sqlite3_open(path.c_str(), &db);
  if (result == SQLITE_OK) result = sqlite3_exec(db, statements.c_str(), nullptr, nullptr, &error);
  std::string reason = error != nullptr ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (result != SQLITE_OK) throw RuntimeError("test database: " + reason);
}

void ScriptFixture::Open(int objective_id) {
  shared.database = db::OpenDatabase((folder_ / "mission.sqlite").string());
  state.mission_record = shared.database->OpenRecordset("NewMissions");
  state.mission_record->FindFirst("[MissionID] = 7");
  state.objective_records =
      shared.database->OpenRecordset("SELECT * FROM [Objectives] WHERE [MissionID] = 7");
  state.objective_records->FindFirst("[ObjectiveID] = " + std::to_string(objective_id));
  state.action_records =
      shared.database->OpenRecordset("SELECT * FROM [ObjectiveScripting] WHERE [MISSIONID] = 7");
}

std::vector<std::string> ScriptFixture::Lines(FileRole role) {
  OutputFile& file = shared.files[role];
  std::string path = file.path();
  file.Close();
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::string> lines;
  std::string all = text.str();
  size_t start = 0;
  for (size_t end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(all.substr(start, end - start));
  }
  return lines;
}

std::string At(int column, const std::string& text) { return std::string(column - 1, ' ') + text; }

std::string SqlText(const char* text) {
  if (text == nullptr) return "NULL";
  std::string literal = "'";
  for (const char* c = text; *c != '\0'; ++c) literal += *c == '\'' ? "''" : std::string(1, *c);
  return literal + "'";
}

}  // namespace quorvane::testing_support
