#include "cli/setup_check.h"

#include "cli/commands.h"
#include "cli/reporter.h"
#include "compiler/mission_database.h"
#include "run/run_state.h"

namespace quorvane::cli {

std::shared_ptr<db::Database> CheckSetup(const std::string& database,
                                         const std::string& output_folder, Reporter& reporter) {
  reporter.Leave();
  RunState session(reporter);
  session.databases = LoadedDatabases();
  std::string folder;
  std::string name;
  SplitDatabasePath(database, folder, name);
  if (!OpenMissionDatabase(session, folder, name)) {
    if (!session.database_open_failure.empty()) reporter.Note(session.database_open_failure);
    return nullptr;
  }
  for (const std::string& said : session.database->TakeDiagnostics()) {
    reporter.Note("the database file's reader says: " + said);
  }
  if (!SetOutputPath(session, output_folder)) return nullptr;
  return session.database;
}

}  // namespace quorvane::cli
