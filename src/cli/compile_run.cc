#include "cli/compile_run.h"

#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "cli/commands.h"
#include "cli/mission_ids.h"
#include "cli/reporter.h"
#include "cli/setup_check.h"
#include "compiler/write_quorvane.h"
#include "platform/interrupts.h"
#include "platform/runtime_error.h"

namespace quorvane::cli {
namespace {

namespace fs = std::filesystem;

int StatusOf(const OperationOutcome& outcome) {
  if (!outcome.runtime_error.empty()) return kRuntimeError;
  return outcome.result ? kSuccess : kOperationFailed;
}

// Runs one operation of a mission and reports how it ended.
int RunOperation(WriteQuorvane& compiler, const CompileOptions& options, int16_t mission,
                 Operation operation, Reporter& reporter) {
  std::string output = options.output_folder;
  std::string folder;
  std::string name;
  SplitDatabasePath(options.database, folder, name);
  int16_t id = mission;
  OperationOutcome outcome;
  outcome.mission = mission;
  outcome.operation = operation;
  reporter.Enter(mission, operation);
  try {
    outcome.result = operation == Operation::kFit
                         ? compiler.WriteMissionFITFile(output, folder, name, id)
                         : compiler.WriteMissionScript(output, folder, name, id);
  } catch (const std::exception& error) {
    outcome.runtime_error = error.what();
  }
  outcome.report = compiler.last_report();
  reporter.Finished(outcome);
  reporter.Leave();
  return StatusOf(outcome);
}

// The compiler says only that NewMissions has not one row of the mission.
void NoteAbsentMission(int16_t mission, const std::string& database, Reporter& reporter) {
  reporter.Enter(mission, Operation::kFit);
  reporter.Note("the database has no mission " + std::to_string(mission) + "; 'quorvane list " +
                database + "' shows its missions");
  reporter.Leave();
}

// The operations of one mission on a compiler object of its own: an object
// keeps its counts between operations, as it does in the design tool.
int CompileMission(const CompileOptions& options, int16_t mission, Reporter& reporter) {
  WriteQuorvane compiler(reporter);
  compiler.share_databases(LoadedDatabases());
  if (!options.date.empty()) compiler.set_creation_date(options.date);
  int status = kSuccess;
  if (options.fit) {
    status = std::max(status, RunOperation(compiler, options, mission, Operation::kFit, reporter));
  }
  if (options.script) {
    status =
        std::max(status, RunOperation(compiler, options, mission, Operation::kScript, reporter));
  }
  return status;
}

// The system's temporary folder: TMPDIR, or /tmp.
std::string SystemTemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// A folder of its own under the system's temporary folder, removed with
// everything in it when the object goes, or when the run is interrupted.
class TemporaryFolder {
 public:
  // An empty path when the folder cannot be made; `failure` says why.
  explicit TemporaryFolder(std::string& failure) {
    std::string parent = SystemTemporaryFolder();
    std::string pattern = parent + "/quorvane-check-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      failure = "Could not create a temporary folder in '" + parent +
                "' (TMPDIR): " + std::strerror(errno) + ".";
      return;
    }
    path_ = pattern;
    interrupts::NoteFolder(path_);
  }
  ~TemporaryFolder() {
    if (path_.empty()) return;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    interrupts::ForgetFolder(path_);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

int CompileMissions(const CompileOptions& options, const MissionChoice& missions,
                    Reporter& reporter) {
  std::shared_ptr<db::Database> database =
      CheckSetup(options.database, options.output_folder, reporter);
  if (!database) {
    reporter.Summary({missions.ids.size(), missions.ids}, false);
    return kOperationFailed;
  }
  std::vector<int16_t> ids = missions.ids;
  if (missions.all) {
    try {
      ids = AllMissionIds(*database, reporter);
    } catch (const std::exception& error) {
      reporter.RuntimeErrorOutsideMissions(error.what());
      reporter.Summary({}, false);
      return kRuntimeError;
    }
  }
  std::vector<int16_t> absent =
      missions.all ? std::vector<int16_t>{} : MissionsNotInDatabase(*database, ids);
  database.reset();
  int status = kSuccess;
  RunSummary summary{ids.size(), {}};
  for (int16_t mission : ids) {
    int mission_status = CompileMission(options, mission, reporter);
    if (std::find(absent.begin(), absent.end(), mission) != absent.end()) {
      NoteAbsentMission(mission, options.database, reporter);
    }
    if (mission_status != kSuccess) summary.failed.push_back(mission);
    status = std::max(status, mission_status);
  }
  reporter.Summary(summary, ids.size() > 1);
  return status;
}

int CheckMissions(CompileOptions options, const MissionChoice& missions, Reporter& reporter) {
  std::string failure;
  TemporaryFolder folder(failure);
  if (folder.path().empty()) {
    reporter.Leave();
    reporter.Error(failure);
    reporter.Summary({missions.ids.size(), missions.ids}, false);
    return kOperationFailed;
  }
  options.output_folder = folder.path();
  return CompileMissions(options, missions, reporter);
}

}  // namespace quorvane::cli
