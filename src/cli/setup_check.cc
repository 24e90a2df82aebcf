#include "cli/setup_check.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>

#include "cli/commands.h"
#include "cli/reporter.h"
#include "compiler/mission_database.h"
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

}  // namespace

std::shared_ptr<db::Database> CheckSetup(const std::string& database,
                                         const std::string& output_folder, Reporter& reporter) {
  reporter.Leave();
  RunState session(reporter);
  session.databases = LoadedDatabases();
  std::string folder;
  std::string name;
  SplitDatabasePath(database, folder, name);
  if (!OpenMissionDatabase(session, folder, name)) {
    if (!session.database_open_failure.empty()) {
      reporter.Note(session.database_open_failure);
    } else {
      NoteNameOfDatabaseThere(database, folder, name, reporter);
    }
    return nullptr;
  }
  for (const std::string& said : session.database->TakeDiagnostics()) {
    reporter.Note("the database file's reader says: " + said);
  }
  if (!SetOutputPath(session, output_folder)) return nullptr;
  return session.database;
}

}  // namespace quorvane::cli
