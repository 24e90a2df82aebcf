#pragma once

// Small missions for focused tests: SQLite mission databases with the tables
// of the campaign fixture and only the rows a test gives, the compiler's
// steps run on them (a whole script run, the objective writers in the middle
// of one, or the structure include alone), and the lines of what they wrote.

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/message_sink.h"
#include "script/script_session.h"

namespace quorvane::testing {

// The lines of an output file (CR LF line ends, Windows-1252) as UTF-8; a
// last line without its CR LF ends in "<no line end>".
std::vector<std::string> ReadLines(const std::string& path);

// True when `lines` holds `wanted` one after the other.
bool HasSequence(const std::vector<std::string>& lines, const std::vector<std::string>& wanted);

// A SQLite database holding the fixture tables and `rows` (INSERT statements).
std::string MissionDatabase(const std::string& rows);
// Runs more INSERT statements on a database made by MissionDatabase.
void AddRows(const std::string& database, const std::string& rows);
// The same, written at `path` (which must not exist yet); returns the path.
std::string MissionDatabaseAt(const std::string& path, const std::string& rows);

// Rows of the tables; values are SQL literals ("NULL", "'Radius'", "-1").
std::string MissionRow(int mission, const std::string& file_name, const std::string& multiplayer,
                       const std::string& name = "'Test Mission'");
std::string ObjectiveRow(int mission, const std::string& objective_id, const std::string& alignment,
                         int order, const std::string& priority, const std::string& delayed = "0",
                         const std::string& not_fail = "-1", const std::string& time_left = "-1");
// `count` action rows of the objective, all of an action name no writer knows.
std::string ActionRows(int mission, int objective_id, int count);
std::string AssignmentRow(int mission, const std::string& exists, const std::string& create_radius,
                          const std::string& active, const std::string& activation_radius);
std::string LookoutRow(int mission, const std::string& x, const std::string& y,
                       const std::string& side, const std::string& kind, const std::string& radius,
                       const std::string& condition, const std::string& reveal_radius);
// A text as an SQL literal; nullptr is NULL.
std::string SqlText(const char* text);

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

// The state of a compiler object in the middle of the script run of mission
// 7: the brain module, _INIT and _MP files open in a temporary folder. Rows
// are added with SQL, then Open() builds the database and positions the
// record sets as the brain leaves them for the objective writers.
class ScriptFixture {
 public:
  explicit ScriptFixture(bool multiplayer);
  ~ScriptFixture();

  // Adds SQL statements to the mission database (before Open).
  void Sql(const std::string& statements) { rows_ += statements + "\n"; }
  // Opens the database, the mission record, the objective record positioned
  // on `objective_id` and the action rows of the mission.
  void Open(int objective_id = 20);

  // Closes the files and returns their lines.
  std::vector<std::string> Lines(FileRole role);

  RecordingSink sink;
  RunState run{sink};
  ScriptState state;
  ScriptSession session{run, state};

 private:
  std::filesystem::path folder_;
  std::string rows_;
};

// A line whose text starts in the given column.
std::string At(int column, const std::string& text);

// Lines as the structure tables give them: {column, text}; column 0 is an
// empty line.
std::vector<std::string> Placed(std::initializer_list<std::pair<int, std::string_view>> lines);

// A MissionStructures row of the test mission; unless placed otherwise the
// structure stands at Block 2, Vertex `id`, Number 0 (object 10496 + 8 × id).
struct StructureRow {
  int id = 1;
  std::optional<std::string> identifier = "S1";  // none: Null
  std::optional<std::string> type{};             // BuildingType; none: Null
  std::optional<int> alignment = 2;
  bool captureable = false;
  std::optional<double> damage = 0;
  bool captured = false;
  std::optional<std::string> name{};  // newtagname
  int contact = 0;
  std::optional<std::array<int, 3>> position{};  // Block, Vertex, Number
};

// A StructureAssociates row: a linked object at Block 0, Vertex 0, Number
// `number` (object 4096 + number), or a prisoner without map position.
struct LinkRow {
  int structure = 1;
  int number = 1;
  bool inactive = false;
  std::optional<int> prisoner{};
};

struct UnitRow {
  int unique_entry = 1;
  std::string alignment = "Clan";
  int force_group = 1;
  int role = 1;
  bool captureable = true;
};

struct SalvageRow {
  int structure = 1;
  int item = 1;
  int quantity = 1;
};

// A mission (number 1) with only what the structure include reads. Every
// database also holds a structure, a linked object, a salvage row and a
// captureable unit of another mission, which must never show.
struct StructureMission {
  bool multiplayer = false;
  std::vector<StructureRow> structures{};
  std::vector<LinkRow> links{};
  std::vector<UnitRow> units{};
  std::vector<SalvageRow> salvage{};
};

struct StructureOutput {
  bool written = false;
  std::vector<std::string> str;   // _STR lines after its head
  std::vector<std::string> var;   // _VAR lines after its head
  std::vector<std::string> init;  // _INIT lines after its head
  // The statements of each numbered handleMessage case, without the column
  // stop of the case.
  std::vector<std::vector<std::string>> cases;
  std::vector<std::string> messages;
};

// Builds the mission's database, opens the includes as the script run does,
// writes the structure include and closes everything.
StructureOutput WriteStructures(const StructureMission& mission);

// A mission and what its structure include must hold: the _STR lines after
// the head and the statements of each numbered case.
struct BehaviourCase {
  const char* name;
  StructureMission mission;
  std::vector<std::string> str;
  std::vector<std::vector<std::string>> cases;
};

// Writes each case's structure include and compares it; no message may show.
void ExpectBehaviours(const std::vector<BehaviourCase>& cases);

}  // namespace quorvane::testing
