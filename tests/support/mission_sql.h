#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/message_sink.h"

namespace quorvane::testing {

// Small missions for focused tests: SQLite mission databases with the tables
// of the campaign fixture and only the rows a test gives. Values are SQL
// literals ("NULL", "'Radius'", "-1").

// A SQLite database holding the fixture tables and `rows` (INSERT statements).
std::string MissionDatabase(const std::string& rows);
// Runs more INSERT statements on a database made by MissionDatabase.
void AddRows(const std::string& database, const std::string& rows);
// The same, written at `path` (which must not exist yet); returns the path.
std::string MissionDatabaseAt(const std::string& path, const std::string& rows);

std::string MissionRow(int mission, const std::string& file_name, const std::string& multiplayer,
                       const std::string& name = "'Test Mission'");
std::string ObjectiveRow(int mission, const std::string& objective_id, const std::string& alignment,
                         int order, const std::string& priority, const std::string& delayed = "0",
                         const std::string& not_fail = "-1");
// `count` action rows of the objective, all of an action name no writer knows.
std::string ActionRows(int mission, int objective_id, int count);
std::string AssignmentRow(int mission, const std::string& exists, const std::string& create_radius,
                          const std::string& active, const std::string& activation_radius);
std::string LookoutRow(int mission, const std::string& x, const std::string& y,
                       const std::string& side, const std::string& kind, const std::string& radius,
                       const std::string& condition, const std::string& reveal_radius);

// The outcome of WriteMissionScript on one mission: its result, messages and
// the script files written, by their ending (".ABL", "_VAR.ABI", "_LOP.ABI").
struct ScriptRun {
  bool result = false;
  std::string error;          // the run-time error that ended the call, if any
  std::string output_folder;  // where the files were written, ending in "/"
  std::vector<Message> messages;
  std::map<std::string, std::vector<std::string>> files;

  // The lines of a file; fails the test when the file was not written.
  const std::vector<std::string>& Lines(const std::string& ending) const;
  bool Has(const std::string& ending) const { return files.count(ending) != 0; }
};

ScriptRun RunMissionScript(const std::string& database, int16_t mission,
                           const std::string& file_name);

// The lines of an output file (CR LF line ends, Windows-1252).
std::vector<std::string> ReadLines(const std::string& path);

// True when `lines` holds `wanted` one after the other.
bool HasSequence(const std::vector<std::string>& lines, const std::vector<std::string>& wanted);

}  // namespace quorvane::testing
