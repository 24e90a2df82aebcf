#include "cli/commands.h"

#include <filesystem>

#include "database/database_cache.h"
#include "forms/tsv_form.h"
#include "platform/file_calls.h"
#include "platform/message_sink.h"
#include "platform/runtime_error.h"
#include "script/abl_identifier.h"

namespace quorvane::cli {

const std::shared_ptr<db::DatabaseCache>& LoadedDatabases() {
  // Left for the end of the process to reclaim: taking a large loaded
  // database apart at exit would only cost time.
  static const auto* databases =
      new std::shared_ptr<db::DatabaseCache>(std::make_shared<db::DatabaseCache>());
  return *databases;
}

std::shared_ptr<db::Database> OpenForReading(const std::string& path) {
  std::error_code error;
  if (path.find('\0') != std::string::npos || !std::filesystem::exists(path, error)) {
    throw SetupFailure("Could not find file '" + path + "'.", "");
  }
  try {
    return LoadedDatabases()->Open(path);
  } catch (const db::OpenError& failure) {
    throw SetupFailure("Could not open database object '" + path + "'.", failure.what());
  }
}

void ReadNotingDiagnostics(db::Database& database, std::ostream& err,
                           const std::function<void()>& read) {
  auto note = [&] {
    for (const std::string& said : database.TakeDiagnostics()) {
      err << "quorvane: note: the database file's reader says: " << said << '\n';
    }
  };
  try {
    read();
  } catch (...) {
    note();
    throw;
  }
  note();
}

void SplitDatabasePath(const std::string& path, std::string& folder, std::string& name) {
  std::filesystem::path file = files::NativePath(path);
  folder = file.has_parent_path() ? files::Utf8Path(file.parent_path()) : std::string(".");
  name = files::Utf8Path(file.filename());
}

void DumpDatabase(const std::string& database, const std::string& table, std::ostream& out,
                  std::ostream& err) {
  auto db = OpenForReading(database);
  ReadNotingDiagnostics(*db, err, [&] {
    if (table.empty()) {
      for (const std::string& name : db->TableNames()) out << name << '\n';
    } else {
      db::WriteTableTsv(*db, table, out);
    }
  });
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
