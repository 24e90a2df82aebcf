#include "cli/setup_check.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

#include "cli/commands.h"
#include "cli/reporter.h"
#include "compiler/mission_database.h"
#include "platform/file_calls.h"
#include "run/run_state.h"

namespace quorvane::cli {
namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// The name of a file beside `missing` that differs from it only in the case of
// its ending ("campaign.mdb" for "campaign.MDB"), or "" when there is none.
std::string NameDifferingInEndingCase(const fs::path& missing) {
  std::string wanted = missing.filename().string();
  std::size_t dot = wanted.rfind('.');
  if (dot == std::string::npos) return "";
  std::string_view stem = std::string_view(wanted).substr(0, dot);
  std::string_view ending = std::string_view(wanted).substr(dot);
  std::set<std::string> found;  // sorted, so that the note is the same on every run
  std::error_code error;
  for (fs::directory_iterator entry(missing.parent_path(), error), end; !error && entry != end;
       entry.increment(error)) {
    std::string name = entry->path().filename().string();
    std::string_view view(name);
    if (name != wanted && view.size() == wanted.size() && view.substr(0, dot) == stem &&
        SameIgnoringCase(view.substr(dot), ending)) {
      found.insert(name);
    }
  }
  return found.empty() ? "" : *found.begin();
}

// A missing database whose ending only differs in case from a file that is
// there: a name without an ending gets ".MDB", and the file system tells the
// cases apart, so the user is told the name to give.
void NoteNameOfDatabaseThere(const std::string& database, const std::string& folder,
                             const std::string& name, Reporter& reporter) {
  fs::path missing(ResolveDatabasePath(folder, name));
  std::string there = NameDifferingInEndingCase(missing);
  if (there.empty()) return;
  fs::path given(database);
  std::string argument = given.has_parent_path() ? (given.parent_path() / there).string() : there;
  reporter.Note("'" + (missing.parent_path() / there).string() +
                "' is there: the case of the ending counts, so name the database as " + argument);
}

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
    if (!run.database_open_failure.empty()) {
      reporter.Note(run.database_open_failure);
    } else {
      NoteNameOfDatabaseThere(database, folder, name, reporter);
    }
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
