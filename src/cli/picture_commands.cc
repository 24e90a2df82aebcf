#include "cli/picture_commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "cli/mission_ids.h"
#include "cli/reporter.h"
#include "picture/mission_map_svg.h"
#include "picture/mission_report_html.h"
#include "picture/read_mission.h"

namespace quorvane::cli {
namespace {

namespace fs = std::filesystem;

picture::MissionModel ReadOrNote(const std::string& database, int16_t mission) {
  try {
    return picture::ReadMission(*OpenForReading(database), mission);
  } catch (const std::exception& error) {
    return picture::UnreadMission(mission, error.what());
  }
}

// Writes the text under a temporary name beside the file and renames it
// into place, so that a reader never sees half a picture. "-" is `out`.
int WriteText(const std::string& path, const std::string& text, std::ostream& out,
              std::ostream& err) {
  if (path == "-") {
    out << text;
    out.flush();
    return kSuccess;
  }
  std::string temporary = path + ".unfinished";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      err << "quorvane: runtime error: Cannot write '" << path << "'\n";
      return kRuntimeError;
    }
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    err << "quorvane: runtime error: Cannot write '" << path << "'\n";
    return kRuntimeError;
  }
  return kSuccess;
}

// Runs `check` on one mission, its lines going to `err` and into the outcome.
picture::CheckOutcome CheckOne(const CompileOptions& options, int16_t mission, int& status,
                               std::ostream& err) {
  std::ostringstream said;
  auto reporter = MakeTextReporter(said, false);
  status = CheckMissions(options, {{mission}, false}, *reporter);
  err << said.str();
  picture::CheckOutcome outcome;
  std::istringstream lines(said.str());
  for (std::string line; std::getline(lines, line);) outcome.lines.push_back(line);
  outcome.compiles = status == kSuccess;
  outcome.verdict = status == kSuccess        ? "check: the mission compiles."
                    : status == kRuntimeError ? "check: a run-time error ended the compile."
                                              : "check: the compiler refuses the mission.";
  return outcome;
}

std::string DatabaseStem(const std::string& database) {
  std::string stem = fs::path(database).stem().string();
  return stem.empty() ? "missions" : stem;
}

}  // namespace

int DrawMissionMap(const CompileOptions& options, int16_t mission, const std::string& output,
                   std::ostream& out, std::ostream& err) {
  auto reporter = MakeTextReporter(err, false);
  int status = CheckMissions(options, {{mission}, false}, *reporter);
  picture::MissionModel model = ReadOrNote(options.database, mission);
  std::string path = output.empty() ? picture::DefaultMapName(model, ".svg") : output;
  return std::max(status, WriteText(path, picture::MissionMapSvg(model), out, err));
}

int WriteMissionReport(const CompileOptions& options, const MissionChoice& missions,
                       const std::string& output, std::ostream& out, std::ostream& err) {
  std::vector<int16_t> ids = missions.ids;
  if (missions.all) {
    auto reporter = MakeTextReporter(err, false);
    try {
      ids = AllMissionIds(*OpenForReading(options.database), *reporter);
    } catch (const std::exception& error) {
      err << "quorvane: runtime error: " << error.what() << '\n';
      return kRuntimeError;
    }
  }
  int status = kSuccess;
  std::vector<picture::ReportedMission> reported;
  for (int16_t mission : ids) {
    int mission_status = kSuccess;
    picture::CheckOutcome check = CheckOne(options, mission, mission_status, err);
    status = std::max(status, mission_status);
    reported.push_back({ReadOrNote(options.database, mission), std::move(check)});
  }
  std::string title = "Missions of " + fs::path(options.database).filename().string();
  std::string path = output.empty() ? DatabaseStem(options.database) + ".html" : output;
  return std::max(status, WriteText(path, picture::MissionReportHtml(title, reported), out, err));
}

}  // namespace quorvane::cli
