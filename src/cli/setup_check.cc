#include "cli/setup_check.h"

#include "cli/commands.h"
#include "cli/reporter.h"
#include "compiler/mission_database.h"
#include "run/run_state.h"

namespace quorvane::cli {

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
  if (!SetOutputPath(run, output_folder)) return nullptr;
  return run.database;
}

}  // namespace quorvane::cli
