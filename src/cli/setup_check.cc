#include "cli/setup_check.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/commands.h"
#include "cli/reporter.h"
#include "compiler/mission_database.h"
#include "platform/file_calls.h"
#include "run/run_state.h"

namespace quorvane::cli {
namespace {

// What the compiler's own check of the output folder does not tell: a file
// where the folder should be, and a folder nothing can be written in.
bool OutputFolderIsUsable(const std::string& output_folder, Reporter& reporter) {
  std::string folder = output_folder.empty() ? "." : output_folder;
  std::error_code error;
  auto status = std::filesystem::status(folder, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_directory(status)) {
    reporter.Error("'" + folder + "' is a file, not a folder.");
    return false;
  }
  if (std::filesystem::is_directory(status) && !files::IsWritableFolder(folder)) {
    reporter.Error("Cannot write in the output folder '" + folder + "': " + std::strerror(errno) +
                   ".");
    return false;
  }
  return true;
}

}  // namespace

std::shared_ptr<db::Database> CheckSetup(const std::string& database,
                                         const std::string& output_folder, Reporter& reporter) {
  reporter.Leave();
  RunState run(reporter);
  run.databases = LoadedDatabases();
  std::string folder;
  std::string name;
  SplitDatabasePath(database, folder, name);
  if (!OpenMissionDatabase(run, folder, name)) {
    if (!run.database_open_failure.empty()) reporter.Note(run.database_open_failure);
    return nullptr;
  }
  for (const std::string& said : run.database->TakeDiagnostics()) {
    reporter.Note("the database file's reader says: " + said);
  }
  if (!OutputFolderIsUsable(output_folder, reporter)) return nullptr;
  if (!SetOutputPath(run, output_folder)) return nullptr;
  return run.database;
}

}  // namespace quorvane::cli
