#include "compiler/mission_database.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "run/run_state.h"

namespace quorvane {
namespace {

constexpr char kSeparator = '/';

bool EndsWith(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

// Names that already carry their database ending: the Jet endings, exact in
// case, and the endings of SQLite mission databases.
bool HasDatabaseEnding(std::string_view name) {
  static constexpr std::array<std::string_view, 5> kEndings = {".mdb", ".MDB", ".sqlite",
                                                               ".sqlite3", ".db"};
  for (std::string_view ending : kEndings) {
    if (EndsWith(name, ending)) return true;
  }
  return false;
}

}  // namespace

std::string ResolveDatabasePath(const std::string& database_path,
                                const std::string& database_name) {
  std::string path = database_path;
  if (path.empty() || path.back() != kSeparator) path += kSeparator;
  path += database_name;
  if (!HasDatabaseEnding(database_name)) path += ".MDB";
  return path;
}

bool OpenMissionDatabase(RunState& run, const std::string& database_path,
                         const std::string& database_name) {
  std::string path = ResolveDatabasePath(database_path, database_name);
  run.database_open_failure.clear();
  std::error_code error;
  if (path.find('\0') != std::string::npos || !std::filesystem::exists(path, error)) {
    run.messages.Error("Could not find file '" + path + "'.");
    return false;
  }
  run.database_file = path;
  try {
    run.database = run.databases ? run.databases->Open(path) : db::OpenDatabase(path);
  } catch (const std::exception& failure) {
    run.database_open_failure = failure.what();
    run.messages.Error("Could not open database object '" + path + "'.");
    return false;
  }
  return true;
}

bool SetOutputPath(RunState& run, const std::string& output_path) {
  // An empty path is the current folder, never the root of the file system.
  std::string folder = output_path.empty() ? "." : output_path;
  if (folder.back() != kSeparator) folder += kSeparator;
  std::error_code error;
  if (folder.find('\0') != std::string::npos || !std::filesystem::is_directory(folder, error)) {
    run.messages.Error("Could not find path '" + folder + "'.");
    return false;
  }
  run.output_folder = folder;
  return true;
}

}  // namespace quorvane
