#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/message_sink.h"
#include "script/script_session.h"

namespace quorvane::testing_support {

// The state of a compiler object in the middle of the script run of mission 7: the brain module,
// _INIT and _MP files open in a temporary folder, and a small SQLite mission
// database with the tables the objective writers read (NewMissions,
// Objectives, ObjectiveScripting, MissionAssignments). Rows are added with
// SQL, then Open() positions the record sets as the brain leaves them.
class ScriptFixture {
 public:
  explicit ScriptFixture(bool multiplayer);
  ~ScriptFixture();

  // Runs SQL statements on the mission database (before Open).
  void Sql(const std::string& statements);
  // Opens the database, the mission record, the objective record positioned
  // on `objective_id` and the action rows of the mission.
  void Open(int objective_id = 20);

  // Closes the files and returns their lines (CR LF removed).
  std::vector<std::string> Lines(FileRole role);

  RecordingSink sink;
  Session shared{sink};
  ScriptState state;
  ScriptSession session{shared, state};

 private:
  std::filesystem::path folder_;
};

// A line whose text starts in the given column.
std::string At(int column, const std::string& text);

// A text as an SQL literal; nullptr is NULL.
std::string SqlText(const char* text);

}  // namespace quorvane::testing_support
