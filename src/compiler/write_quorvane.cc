#include "compiler/write_quorvane.h"

#include "compiler/mission_database.h"
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

// Closes the files a step left open when an operation ends, also when a
// run-time error ends it, so that everything written so far is in place.
class CloseFilesAtEnd {
 public:
  explicit CloseFilesAtEnd(OutputFiles& files) : files_(files) {}
  // At the normal end of an operation: a file that cannot be put in place is
  // a run-time error.
  bool Now(bool result) {
    files_.CloseAll();
    return result;
  }
  ~CloseFilesAtEnd() {
    try {
      files_.CloseAll();
    } catch (const RuntimeError&) {
      // A close that fails while an earlier error is on its way is not reported.
    }
  }

 private:
  OutputFiles& files_;
};

}  // namespace

WriteQuorvane::WriteQuorvane(MessageSink& messages) : session_(messages) {
  session_.creation_date = CreationDate();
}

void WriteQuorvane::set_creation_date(const std::string& date) {
  session_.creation_date = CreationDate(date);
}

void WriteQuorvane::share_databases(std::shared_ptr<db::DatabaseCache> databases) {
  session_.databases = std::move(databases);
}

bool WriteQuorvane::WriteMissionFITFile(std::string& OutputPath, std::string& DatabasePath,
                                        std::string& DatabaseName, int16_t& MissionID) {
  CloseFilesAtEnd close_files(session_.files);
  return close_files.Now(OpenMissionDatabase(session_, DatabasePath, DatabaseName) &&
                         SetOutputPath(session_, OutputPath) &&
                         BuildMissionFit(session_, fit_, MissionID));
}

Variant WriteQuorvane::MakeAblIdentifier(std::string& thisstring) {
  quorvane::MakeAblIdentifier(session_.messages, thisstring);
  return Variant();
}

bool WriteQuorvane::WriteMissionScript(std::string& OutputPath, std::string& DatabasePath,
                                       std::string& DatabaseName, int16_t& MissionIdentifier) {
  CloseFilesAtEnd close_files(session_.files);
  session_.mission_identifier = MissionIdentifier;
  auto steps = [&] {
    if (!OpenMissionDatabase(session_, DatabasePath, DatabaseName)) return false;
    if (!SetOutputPath(session_, OutputPath)) return false;
    ScriptSession script{session_, script_};
    if (!FindMissionRecord(script, MissionIdentifier)) return false;
    OpenVarInitFiles(script);
    OpenMultiplayerInclude(script);
    if (!WriteMissionBrain(script, MissionIdentifier)) return false;
    int16_t mission = session_.mission_identifier;
    WriteStructureInclude(script, mission);
    CloseVarInitFiles(script);
    CloseMultiplayerInclude(script);
    return true;
  };
  return close_files.Now(steps());
}

bool WriteQuorvane::WriteLookOutIncludeFile(int16_t& MissionID, std::string& pathName) {
  CloseFilesAtEnd close_files(session_.files);
  if (session_.database == nullptr) throw RuntimeError("No mission database is open");
  script_.drop_lines_of_closed_includes = true;
  struct ResetDrop {
    ScriptState& script;
    ~ResetDrop() { script.drop_lines_of_closed_includes = false; }
  } reset{script_};
  ScriptSession script{session_, script_};
  return close_files.Now(quorvane::WriteLookOutIncludeFile(script, MissionID, pathName));
}

}  // namespace quorvane
