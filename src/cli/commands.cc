#include "cli/commands.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "compiler/write_quorvane.h"
#include "script/abl_text.h"
#include "database/database.h"
#include "database/database_cache.h"
#include "database/tsv_form.h"
#include "platform/message_sink.h"
#include "platform/runtime_error.h"

namespace quorvane::cli {
namespace {

// The databases of this run of the command: each file is loaded once, and
// every mission compiled from it reads the same loaded tables.
const std::shared_ptr<db::DatabaseCache>& LoadedDatabases() {
  static const auto databases = std::make_shared<db::DatabaseCache>();
  return databases;
}

std::shared_ptr<db::Database> OpenForReading(const std::string& path) {
  try {
    return LoadedDatabases()->Open(path);
  } catch (const db::OpenError& error) {
    throw RuntimeError("Could not open database object '" + path + "': " + error.what());
  }
}

}  // namespace

void SplitDatabasePath(const std::string& path, std::string& folder, std::string& name) {
  std::filesystem::path file(path);
  folder = file.has_parent_path() ? file.parent_path().string() : std::string(".");
  name = file.filename().string();
}

int CompileMissions(const CompileOptions& options, const std::vector<int16_t>& missions,
                    std::ostream& err) {
  ConsoleSink sink(err);
  int status = kSuccess;
  for (int16_t mission : missions) {
    // A compiler object keeps its counts between operations, so each mission
    // gets an object of its own, as the design tool does.
    WriteQuorvane compiler(sink);
    compiler.share_databases(LoadedDatabases());
    if (!options.date.empty()) compiler.set_creation_date(options.date);
    std::string folder;
    std::string name;
    SplitDatabasePath(options.database, folder, name);
    std::string output = options.output_folder;
    int16_t id = mission;
    // An operation that returned False; the reason a database could not be
    // opened follows its message as a note.
    auto failed = [&] {
      status = std::max(status, static_cast<int>(kOperationFailed));
      if (!compiler.database_open_failure().empty()) {
        err << "quorvane: note: " << compiler.database_open_failure() << '\n';
      }
    };
    try {
      if (options.fit && !compiler.WriteMissionFITFile(output, folder, name, id)) failed();
      if (options.script && !compiler.WriteMissionScript(output, folder, name, id)) failed();
    } catch (const std::exception& error) {
      err << "quorvane: runtime error: " << error.what() << '\n';
      status = kRuntimeError;
    }
  }
  return status;
}

std::vector<int16_t> AllMissionIds(const std::string& database) {
  auto db = OpenForReading(database);
  auto missions = db->OpenRecordset("NewMissions");
  std::vector<int16_t> ids;
  while (!missions->Eof()) {
    ids.push_back(missions->Field("MissionID").ToInteger());
    missions->MoveNext();
  }
  return ids;
}

void ListMissions(const std::string& database, std::ostream& out) {
  auto db = OpenForReading(database);
  auto missions = db->OpenRecordset("NewMissions");
  std::vector<std::array<std::string, 4>> rows;
  while (!missions->Eof()) {
    rows.push_back({JoinedForm(missions->Field("MissionID")),
                    JoinedForm(missions->Field("MissionName")),
                    JoinedForm(missions->Field("MissionFileName")),
                    missions->Field("Multiplayer").IsTrue() ? "multiplayer" : "single-player"});
    missions->MoveNext();
  }
  std::array<size_t, 4> widths{};
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
  }
  for (const auto& row : rows) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
      std::string cell = row[i];
      if (i + 1 < row.size()) cell.resize(widths[i] + 2, ' ');
      // Right-align the mission number.
      if (i == 0) cell = std::string(widths[0] - row[0].size(), ' ') + row[0] + "  ";
      line += cell;
    }
    out << line << '\n';
  }
}

void DumpDatabase(const std::string& database, const std::string& table, std::ostream& out) {
  auto db = OpenForReading(database);
  if (table.empty()) {
    for (const std::string& name : db->TableNames()) out << name << '\n';
    return;
  }
  db::WriteTableTsv(*db, table, out);
}

int PrintIdentifier(const std::string& text, std::ostream& out, std::ostream& err) {
  RecordingSink sink;
  std::string identifier = text;
  MakeAblIdentifier(sink, identifier);
  if (!sink.messages().empty()) {
    ConsoleSink console(err);
    for (const Message& message : sink.messages()) console.Show(message);
    return kOperationFailed;
  }
  out << identifier << '\n';
  return kSuccess;
}

}  // namespace quorvane::cli
