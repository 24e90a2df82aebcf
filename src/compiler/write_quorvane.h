#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "run/run_state.h"
#include "fit/build_mission_fit.h"
#include "platform/message_sink.h"
#include "platform/variant.h"
#include "script/build_mission_script.h"

namespace quorvane {

// What the last file-writing operation of a compiler object left behind,
// whether it returned True, False or ended with a run-time error.
struct OperationReport {
  // The files it created, in order, named relative to the output folder.
  std::vector<std::string> files;
  // Those of them that the step that created them did not finish.
  std::vector<std::string> incomplete;
  // WriteMissionScript: the structure include step returned False (the
  // operation itself goes on and may return True).
  bool structure_include_refused = false;
  // What the database file's reader said meanwhile (warnings of a damaged file).
  std::vector<std::string> diagnostics;
  // Designer texts written into a line whose meaning they change (a line
  // break, a double quote inside a quoted string, a character written as
  // "?"): one note per value, naming the file, table, field and row.
  std::vector<std::string> text_notes;
};

// The mission compiler. One object compiles one mission per call into the
// mission FIT file or the mission script files. Messages go to the sink given
// at construction; a run-time error ends a call with a RuntimeError.
class WriteQuorvane {
 public:
  explicit WriteQuorvane(MessageSink& messages);

  // Writes the mission's FIT file. True when it was written completely.
  bool WriteMissionFITFile(std::string& OutputPath, std::string& DatabasePath,
                           std::string& DatabaseName, int16_t& MissionID);
  // Turns `thisstring` into an ABL identifier in place; the result is Empty.
  Variant MakeAblIdentifier(std::string& thisstring);
  // Writes the mission's script module and include files. True when all were written.
  bool WriteMissionScript(std::string& OutputPath, std::string& DatabasePath,
                          std::string& DatabaseName, int16_t& MissionIdentifier);
  // Writes the lookout include of a mission from the database opened by the
  // last operation; lines meant for script includes that are not open are dropped.
  bool WriteLookOutIncludeFile(int16_t& MissionID, std::string& pathName);

  // Draws the mission as an SVG document from the database DatabaseName in
  // the folder DatabasePath, opened as the file-writing operations open it
  // (with their messages when it cannot be). Nothing is written to disk. A
  // database that cannot be opened, a mission that is not in it and data that
  // cannot be drawn are said in the picture's note box.
  std::string RenderMissionMap(std::string& DatabasePath, std::string& DatabaseName,
                               int16_t MissionID);

  // Why the database could not be opened when the last operation showed the
  // "Could not open database object" message; empty otherwise.
  const std::string& database_open_failure() const { return run_.database_open_failure; }

  // The date of the header lines, "YYYY-MM-DD" (default: today, or
  // SOURCE_DATE_EPOCH when it is set).
  void set_creation_date(const std::string& date);

  // Lets the object read databases through the host's cache, so that the
  // host's compiler objects share one load of each file (each operation still
  // loads the file again when it has changed).
  void share_databases(std::shared_ptr<db::DatabaseCache> databases);

  // What the last file-writing operation left behind.
  const OperationReport& last_report() const { return report_; }

 private:
  // Guards an operation: begins its report, and finishes it when the
  // operation ends, also by a run-time error.
  class Reporting;

  OperationReport report_;
  // The state all steps share, and the FIT and script writers' own state.
  RunState run_;
  FitState fit_;
  ScriptState script_;
};

}  // namespace quorvane
