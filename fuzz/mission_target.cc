// A valid SQLite mission, changed by a list of edits, compiled by both
// operations into an output folder three levels below a watched root. Nothing
// may appear outside the output folder, and no unfinished file may be left in
// it.
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "compiler/write_quorvane.h"
#include "mission_edits.h"
#include "platform/output_file.h"
#include "platform/runtime_error.h"
#include "scratch.h"
#include "targets.h"

namespace quorvane::fuzz {
namespace {

namespace fs = std::filesystem;

struct Sqlite {
  sqlite3* db = nullptr;
  ~Sqlite() { sqlite3_close(db); }
};

// The campaign fixture as a SQLite file image, built once.
const std::vector<unsigned char>& CampaignImage() {
  static const std::vector<unsigned char> image = [] {
    // The campaign fixture: the mission tables, then its rows.
    std::stringstream sql;
    for (const char* file : {"schema.sql", "campaign.sql"}) {
      std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/" + file);
      sql << in.rdbuf();
    }
    Sqlite base;
    if (sqlite3_open(":memory:", &base.db) != SQLITE_OK ||
        sqlite3_exec(base.db, sql.str().c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      Fault("cannot build the campaign database");
    }
    sqlite3_int64 size = 0;
    unsigned char* bytes = sqlite3_serialize(base.db, "main", &size, 0);
    if (bytes == nullptr) Fault("cannot serialize the campaign database");
    std::vector<unsigned char> copy(bytes, bytes + size);
    sqlite3_free(bytes);
    return copy;
  }();
  return image;
}

// An in-memory database holding a copy of the image.
void OpenImage(Sqlite& target, const std::vector<unsigned char>& image) {
  sqlite3_open(":memory:", &target.db);
  auto* bytes = static_cast<unsigned char*>(sqlite3_malloc64(image.size()));
  std::copy(image.begin(), image.end(), bytes);
  sqlite3_deserialize(target.db, "main", bytes, static_cast<sqlite3_int64>(image.size()),
                      static_cast<sqlite3_int64>(image.size()),
                      SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
}

std::vector<unsigned char> Image(sqlite3* db) {
  sqlite3_int64 size = 0;
  unsigned char* bytes = sqlite3_serialize(db, "main", &size, 0);
  if (bytes == nullptr) Fault("cannot serialize the edited database");
  std::vector<unsigned char> copy(bytes, bytes + size);
  sqlite3_free(bytes);
  return copy;
}

// Runs one operation; a run-time error ends it as the design says.
void Compile(bool fit, const std::string& output, const std::string& root, int16_t mission) {
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2026-01-01");
  std::string out = output;
  std::string folder = root;
  std::string name = "mission.sqlite";
  int16_t id = mission;
  try {
    if (fit) {
      compiler.WriteMissionFITFile(out, folder, name, id);
    } else {
      compiler.WriteMissionScript(out, folder, name, id);
    }
  } catch (const RuntimeError&) {
  }
}

// Every entry under the scratch folder must be the root, the database, the
// folders down to the output folder, or a finished file inside it.
void CheckNothingOutside(const std::string& root, const std::string& output) {
  const std::vector<std::string> expected = {root, root + "/mission.sqlite", root + "/a",
                                             root + "/a/b", output};
  for (const auto& entry : fs::recursive_directory_iterator(ScratchFolder())) {
    std::string path = entry.path().string();
    if (std::find(expected.begin(), expected.end(), path) != expected.end()) continue;
    if (path.rfind(output + "/", 0) == 0) {
      if (entry.path().filename().string().find(kUnfinishedMark) != std::string::npos) {
        Fault("a temporary file is left in the output folder: " + path);
      }
      continue;
    }
    Fault("a file was written outside the output folder: " + path);
  }
}

// What the mutator knows of the campaign database: its tables, their columns
// with the values each holds, and their rows with the mission each belongs to.
struct Schema {
  struct Table {
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<Edit>> values;          // per column: set edits of the values it holds
    std::vector<std::pair<int64_t, int64_t>> rows;  // rowid, MissionID (0 when none)
  };
  std::vector<Table> tables;
  std::vector<int16_t> missions;
};

// The value of column i of the current row as a set edit's value.
Edit ValueOf(sqlite3_stmt* stmt, int i) {
  Edit edit;
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
      edit.value_kind = Edit::Value::kInteger;
      break;
    case SQLITE_FLOAT:
      edit.value_kind = Edit::Value::kReal;
      break;
    case SQLITE_TEXT:
      edit.value_kind = Edit::Value::kText;
      break;
    case SQLITE_BLOB:
      edit.value_kind = Edit::Value::kBlob;
      break;
    default:
      return edit;
  }
  if (edit.value_kind == Edit::Value::kReal) {
    std::ostringstream text;
    text.precision(17);
    text << sqlite3_column_double(stmt, i);
    edit.value = text.str();
  } else {
    const void* bytes = sqlite3_column_blob(stmt, i);
    edit.value.assign(static_cast<const char*>(bytes ? bytes : ""),
                      static_cast<size_t>(sqlite3_column_bytes(stmt, i)));
  }
  return edit;
}

Schema::Table ReadTable(sqlite3* db, const std::string& name) {
  Schema::Table table{name, {}, {}, {}};
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, ("SELECT rowid, * FROM \"" + name + "\"").c_str(), -1, &stmt, nullptr);
  int count = sqlite3_column_count(stmt);
  int mission_column = -1;
  for (int i = 1; i < count; ++i) {
    table.columns.push_back(sqlite3_column_name(stmt, i));
    if (table.columns.back() == "MissionID") mission_column = i;
  }
  table.values.resize(table.columns.size());
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    int64_t mission = mission_column > 0 ? sqlite3_column_int64(stmt, mission_column) : 0;
    table.rows.push_back({sqlite3_column_int64(stmt, 0), mission});
    for (int i = 1; i < count; ++i)
      table.values[static_cast<size_t>(i - 1)].push_back(ValueOf(stmt, i));
  }
  sqlite3_finalize(stmt);
  return table;
}

const Schema& CampaignSchema() {
  static const Schema schema = [] {
    Schema result;
    Sqlite db;
    OpenImage(db, CampaignImage());
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db.db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &stmt,
                       nullptr);
    std::vector<std::string> names;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      names.push_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    for (const std::string& name : names) result.tables.push_back(ReadTable(db.db, name));
    for (const auto& table : result.tables) {
      if (table.name != "NewMissions") continue;
      for (const auto& row : table.rows)
        result.missions.push_back(static_cast<int16_t>(row.second));
    }
    return result;
  }();
  return schema;
}

// Values that test the edges: of each type's range, of the Null rules, of
// file names (escapes from the output folder, "@ROOT@" is the watched root),
// of text (quotes, apostrophes, characters without a Windows-1252 form).
Edit PoolValue(std::mt19937& random) {
  static const std::vector<std::pair<Edit::Value, std::string>> kPool = {
      {Edit::Value::kNull, ""},
      {Edit::Value::kInteger, "0"},
      {Edit::Value::kInteger, "1"},
      {Edit::Value::kInteger, "-1"},
      {Edit::Value::kInteger, "2"},
      {Edit::Value::kInteger, "6"},
      {Edit::Value::kInteger, "255"},
      {Edit::Value::kInteger, "256"},
      {Edit::Value::kInteger, "249"},
      {Edit::Value::kInteger, "250"},
      {Edit::Value::kInteger, "32767"},
      {Edit::Value::kInteger, "32768"},
      {Edit::Value::kInteger, "-32768"},
      {Edit::Value::kInteger, "-32769"},
      {Edit::Value::kInteger, "2147483647"},
      {Edit::Value::kInteger, "2147483648"},
      {Edit::Value::kInteger, "-2147483649"},
      {Edit::Value::kInteger, "9223372036854775807"},
      {Edit::Value::kReal, "0.5"},
      {Edit::Value::kReal, "-0.5"},
      {Edit::Value::kReal, "2.5"},
      {Edit::Value::kReal, "1e39"},
      {Edit::Value::kReal, "1e300"},
      {Edit::Value::kReal, "-1e300"},
      {Edit::Value::kReal, "3.4028235e38"},
      {Edit::Value::kReal, "1e-300"},
      {Edit::Value::kReal, "32767.5"},
      {Edit::Value::kReal, "-32768.5"},
      {Edit::Value::kReal, "2147483647.5"},
      {Edit::Value::kReal, "123456789012345.67"},
      {Edit::Value::kText, ""},
      {Edit::Value::kText, " "},
      {Edit::Value::kText, "aTrain"},
      {Edit::Value::kText, "Clan"},
      {Edit::Value::kText, "Inner Sphere"},
      {Edit::Value::kText, "Other"},
      {Edit::Value::kText, "Radius"},
      {Edit::Value::kText, "Both"},
      {Edit::Value::kText, "ABL"},
      {Edit::Value::kText, "Anytime"},
      {Edit::Value::kText, "After Last Action"},
      {Edit::Value::kText, "../x"},
      {Edit::Value::kText, "../../x"},
      {Edit::Value::kText, "../../../x"},
      {Edit::Value::kText, "a/../../x"},
      {Edit::Value::kText, ".."},
      {Edit::Value::kText, "."},
      {Edit::Value::kText, "@ROOT@/abs"},
      {Edit::Value::kText, "sub/x"},
      {Edit::Value::kText, "x.abl"},
      {Edit::Value::kText, "x.ABL"},
      {Edit::Value::kText, "...abl"},
      {Edit::Value::kText, std::string("ab\0cd", 5)},
      {Edit::Value::kText, "it's"},
      {Edit::Value::kText, "\"quoted\""},
      {Edit::Value::kText, "1 OR 1=1"},
      {Edit::Value::kText, "garbage"},
      {Edit::Value::kText, "12"},
      {Edit::Value::kText, " 12 "},
      {Edit::Value::kText, "&H7FFF"},
      {Edit::Value::kText, "1e3"},
      {Edit::Value::kText, "2001-09-11 13:45:30"},
      {Edit::Value::kText, "\xc3\xa9l\xc3\xa8ve"},
      {Edit::Value::kText, "\xe4\xb8\xad\xe6\x96\x87"},
      {Edit::Value::kText, "\xe2\x82\xac"},
      {Edit::Value::kText, "\xff\xfe"},
      {Edit::Value::kText, "line\nbreak"},
      {Edit::Value::kText, std::string(300, 'W')},
      {Edit::Value::kBlob, "AB"},
  };
  const auto& [kind, value] = kPool[random() % kPool.size()];
  Edit edit;
  edit.value_kind = kind;
  edit.value = value;
  return edit;
}

// A row of the table, mostly one of the mission's own.
int64_t PickRow(const Schema::Table& table, int16_t mission, std::mt19937& random) {
  std::vector<int64_t> own;
  for (const auto& [rowid, row_mission] : table.rows) {
    if (row_mission == mission) own.push_back(rowid);
  }
  if (!own.empty() && random() % 4 != 0) return own[random() % own.size()];
  if (table.rows.empty()) return 1;
  return table.rows[random() % table.rows.size()].first;
}

Edit NewEdit(const Schema& schema, int16_t mission, std::mt19937& random) {
  const Schema::Table& table = schema.tables[random() % schema.tables.size()];
  Edit edit;
  unsigned choice = random() % 20;
  if (choice < 2 || table.columns.empty()) {
    edit.kind = Edit::Kind::kDelete;
  } else if (choice < 4) {
    edit.kind = Edit::Kind::kDuplicate;
  } else {
    size_t column = random() % table.columns.size();
    const auto& values = table.values[column];
    // Mostly a value the column holds in another row; else one of the pool.
    edit = choice < 12 && !values.empty() ? values[random() % values.size()] : PoolValue(random);
    edit.kind = Edit::Kind::kSet;
    edit.column = table.columns[column];
  }
  edit.table = table.name;
  edit.rowid = PickRow(table, mission, random);
  return edit;
}

}  // namespace

size_t MutateEditedMission(uint8_t* data, size_t size, size_t max_size, unsigned seed) {
  const Schema& schema = CampaignSchema();
  std::mt19937 random(seed);
  MissionEdits edits = ParseEdits(std::string(reinterpret_cast<const char*>(data), size));
  unsigned choice = random() % 20;
  if (choice == 0) return 0;  // the engine's own byte mutations
  if (choice == 1 && !schema.missions.empty()) {
    edits.mission = schema.missions[random() % schema.missions.size()];
  } else if (choice < 5 && !edits.edits.empty()) {
    edits.edits.erase(edits.edits.begin() +
                      static_cast<std::ptrdiff_t>(random() % edits.edits.size()));
  } else if (choice < 8 && !edits.edits.empty()) {
    Edit& edit = edits.edits[random() % edits.edits.size()];
    Edit fresh = NewEdit(schema, edits.mission, random);
    if (edit.kind == Edit::Kind::kSet && fresh.kind == Edit::Kind::kSet) {
      edit.value_kind = fresh.value_kind;
      edit.value = fresh.value;
    } else {
      edit = fresh;
    }
  } else {
    int count = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < count; ++i) edits.edits.push_back(NewEdit(schema, edits.mission, random));
  }
  std::string text = FormatEdits(edits);
  while (text.size() > max_size && !edits.edits.empty()) {
    edits.edits.erase(edits.edits.begin());
    text = FormatEdits(edits);
  }
  if (text.size() > max_size) return 0;
  std::copy(text.begin(), text.end(), data);
  return text.size();
}

void EditedMission(const uint8_t* data, size_t size) {
  MissionEdits edits = ParseEdits(std::string(reinterpret_cast<const char*>(data), size));
  const std::string root = ScratchFolder() + "/root";
  const std::string output = root + "/a/b/out";
  fs::remove_all(root);
  fs::create_directories(output + "/sub");
  {
    Sqlite db;
    OpenImage(db, CampaignImage());
    ApplyEdits(db.db, edits, root);
    std::vector<unsigned char> image = Image(db.db);
    WriteScratchFile("root/mission.sqlite", image.data(), image.size());
  }
  Compile(true, output, root, edits.mission);
  Compile(false, output, root, edits.mission);
  CheckNothingOutside(root, output);
  fs::remove_all(root);
}

}  // namespace quorvane::fuzz
