#include "compiler/write_quorvane.h"

#include <algorithm>

#include "compiler/mission_database.h"
#include "run/step_context.h"
#include "fit/build_mission_fit.h"
#include "platform/date_text.h"
#include "platform/runtime_error.h"
#include "script/build_mission_script.h"

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
    compiler_.run_.text_watch.Clear();
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
    for (const std::string& path : files.stored()) {
      compiler_.report_.files.push_back(InOutputFolder(path, folder));
      if (std::find(left_open.begin(), left_open.end(), path) != left_open.end()) {
        compiler_.report_.incomplete.push_back(InOutputFolder(path, folder));
      }
    }
    compiler_.report_.text_notes = compiler_.run_.text_watch.notes();
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
  return reporting.Finish(OpenMissionDatabase(run_, DatabasePath, DatabaseName) &&
                          SetOutputPath(run_, OutputPath) &&
                          BuildMissionScript(run_, script_, report_.structure_include_refused));
}

bool WriteQuorvane::WriteLookOutIncludeFile(int16_t& MissionID, std::string& pathName) {
  Reporting reporting(*this);
  if (run_.database == nullptr) throw RuntimeError("No mission database is open");
  run_.mission = MissionID;
  return reporting.Finish(BuildLookoutInclude(run_, script_, pathName));
}

}  // namespace quorvane
