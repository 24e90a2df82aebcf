#include "compiler/write_quorvane.h"

#include <algorithm>

#include "compiler/mission_database.h"
#include "run/step_context.h"
#include "fit/build_mission_fit.h"
#include "platform/date_text.h"
#include "platform/runtime_error.h"
#include "script/abl_text.h"
#include "script/lookout_include.h"
#include "script/mission_brain.h"
#include "script/script_files.h"
#include "script/script_session.h"
#include "script/structures/structure_include.h"

namespace quorvane {
namespace {

// A file name relative to the output folder.
std::string InOutputFolder(const std::string& path, const std::string& folder) {
  if (!folder.empty() && path.starts_with(folder)) return path.substr(folder.size());
  return path;
}

}  // namespace

// Clears the report when an operation begins. When it ends, also by a
// run-time error, it closes the files a step left open, so that everything
// written so far is on disk, and reports the files.
class WriteQuorvane::Reporting {
 public:
  explicit Reporting(WriteQuorvane& compiler) : compiler_(compiler) {
    compiler_.report_ = OperationReport{};
    compiler_.run_.files.ClearJournal();
  }
  // At the normal end of an operation: every file left open is put in place,
  // and one that cannot be is a run-time error.
  bool Finish(bool result) {
    compiler_.run_.files.CloseAll();
    return result;
  }
  ~Reporting() {
    OutputFiles& files = compiler_.run_.files;
    try {
      files.CloseAll();
    } catch (const RuntimeError&) {
      // A close that fails while an earlier error is on its way is not reported.
    }
    const std::string& folder = compiler_.run_.output_folder;
    const std::vector<std::string>& left_open = files.left_open();
    for (const std::string& path : files.created()) {
      compiler_.report_.files.push_back(InOutputFolder(path, folder));
      if (std::find(left_open.begin(), left_open.end(), path) != left_open.end()) {
        compiler_.report_.incomplete.push_back(InOutputFolder(path, folder));
      }
    }
    if (compiler_.run_.database) {
      compiler_.report_.diagnostics = compiler_.run_.database->TakeDiagnostics();
    }
  }

 private:
  WriteQuorvane& compiler_;
};

WriteQuorvane::WriteQuorvane(MessageSink& messages) : run_(messages) {
  run_.creation_date = CreationDate();
}

void WriteQuorvane::set_creation_date(const std::string& date) {
  run_.creation_date = CreationDate(date);
}

void WriteQuorvane::share_databases(std::shared_ptr<db::DatabaseCache> databases) {
  run_.databases = std::move(databases);
}

bool WriteQuorvane::WriteMissionFITFile(std::string& OutputPath, std::string& DatabasePath,
                                        std::string& DatabaseName, int16_t& MissionID) {
  Reporting reporting(*this);
  run_.mission = MissionID;
  return reporting.Finish(
      OpenMissionDatabase(run_, DatabasePath, DatabaseName) && SetOutputPath(run_, OutputPath) &&
      RunStep(run_, "writing the FIT file", [&] { return BuildMissionFit(run_, fit_); }));
}

Variant WriteQuorvane::MakeAblIdentifier(std::string& thisstring) {
  quorvane::MakeAblIdentifier(run_.messages, thisstring);
  return Variant();
}

bool WriteQuorvane::WriteMissionScript(std::string& OutputPath, std::string& DatabasePath,
                                       std::string& DatabaseName, int16_t& MissionIdentifier) {
  Reporting reporting(*this);
  run_.mission = MissionIdentifier;
  auto steps = [&] {
    if (!OpenMissionDatabase(run_, DatabasePath, DatabaseName)) return false;
    if (!SetOutputPath(run_, OutputPath)) return false;
    ScriptSession script{run_, script_};
    if (!RunStep(run_, "finding the mission record", [&] { return FindMissionRecord(script); })) {
      return false;
    }
    RunStep(run_, "opening the script includes", [&] {
      OpenVarInitFiles(script);
      OpenMultiplayerInclude(script);
    });
    if (!RunStep(run_, "writing the mission brain module",
                 [&] { return WriteMissionBrain(script); })) {
      return false;
    }
    report_.structure_include_refused = !RunStep(run_, "writing the structure include",
                                                 [&] { return WriteStructureInclude(script); });
    RunStep(run_, "closing the script includes", [&] {
      CloseVarInitFiles(script);
      CloseMultiplayerInclude(script);
    });
    return true;
  };
  return reporting.Finish(steps());
}

bool WriteQuorvane::WriteLookOutIncludeFile(int16_t& MissionID, std::string& pathName) {
  Reporting reporting(*this);
  if (run_.database == nullptr) throw RuntimeError("No mission database is open");
  script_.drop_lines_of_closed_includes = true;
  struct ResetDrop {
    ScriptState& script;
    ~ResetDrop() { script.drop_lines_of_closed_includes = false; }
  } reset{script_};
  run_.mission = MissionID;
  ScriptSession script{run_, script_};
  return reporting.Finish(RunStep(run_, "writing the lookout include", [&] {
    return quorvane::WriteLookOutIncludeFile(script, pathName);
  }));
}

}  // namespace quorvane
