// What the command says around the compiler's messages when it compiles
// missions: every line of an operation names its mission, an operation that
// does not end well gets a verdict, files left unfinished are named, a run
// of several missions ends with a summary, and the setup is checked once.
// Over every mission of the broken and campaign databases, on both twins.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testing::RunQuorvane;

// The lines of one mission's operations in `build`, less "quorvane: mission N: ".
struct MissionLines {
  int mission;
  bool compiled;
  std::vector<std::string> lines;
};

const std::vector<MissionLines>& BrokenMissions() {
  static const std::vector<MissionLines> missions = {
      {202,
       false,
       {"error: Incorrect record count in NewMissions table.",
        "note: FIT file not written (refused)"}},
      {203,
       false,
       {"error: Incorrect number of objectives.", "note: FIT file not written (refused)",
        "error: Incorrect record count in Objectives table.", "note: script not finished (refused)",
        "note: b0203_VAR.ABI left incomplete", "note: b0203_INIT.ABI left incomplete",
        "note: b0203_MP.ABI left incomplete"}},
      {204,
       false,
       {"error: Incorrect number of drop zones (must be 6).",
        "note: FIT file not written (refused)"}},
      {205,
       false,
       {"error: Incorrect number of drop zones (must be 6).",
        "note: FIT file not written (refused)"}},
      {206, false, {"error: No Dropzones were defined.", "note: FIT file not written (refused)"}},
      {207,
       false,
       {"No Assignments found for Mission 207.", "note: FIT file not written (refused)"}},
      {208,
       false,
       {"error: Incorrect number of objectives.", "note: FIT file not written (refused)",
        "error: Incorrect record count in Objectives table.", "note: script not finished (refused)",
        "note: b0208_VAR.ABI left incomplete", "note: b0208_INIT.ABI left incomplete",
        "note: b0208_MP.ABI left incomplete"}},
      {209, false, {"MWID cannot be Zero. [209]", "note: FIT file not written (refused)"}},
      {210, false, {"MWID cannot be Zero. [210]", "note: FIT file not written (refused)"}},
      {211,
       false,
       {"MWID 40 not found in database. [211]", "note: FIT file not written (refused)"}},
      {212, false, {"MechID cannot be Zero. [212]", "note: FIT file not written (refused)"}},
      {213,
       false,
       {"MechID 999 not found in database. [213]", "note: FIT file not written (refused)"}},
      {214,
       false,
       {"VehicleID 998 not found in database. [214]", "note: FIT file not written (refused)"}},
      {215,
       false,
       {"No MechID or VehicleID has been assigned. [215]", "note: FIT file not written (refused)"}},
      {216, true, {"Both a Mech and Vehicle seem to be assigned to the same warrior. [216]"}},
      {217,
       false,
       {"Too many assignments to Clan Group 2", "note: FIT file not finished (refused)",
        "note: b0217.FIT left incomplete"}},
      {218,
       false,
       {"error: Incorrect record count in ObjectiveScripting table.",
        "note: script not finished (refused)", "note: b0218_VAR.ABI left incomplete",
        "note: b0218_INIT.ABI left incomplete", "note: b0218_MP.ABI left incomplete"}},
      {219,
       true,
       {"Alignment not set correctly on captureable vehicle.",
        "note: script written, structure include refused", "note: b0219_STR.ABI left incomplete"}},
      {220,
       true,
       {"The design does not permit you to have an Inner Sphere Vehicle Bay.  Please change "
        "the alignment to Clan."}},
      {221, true, {"Too many items on the ObjectList. Max is 10 (0 to 9)."}},
      {222, true, {"No captureable enemy vehicles were found for Capture Enemy Vehicle Action."}},
      {223, true, {"error: ABL Identifier '3rd Gate' starts with a number."}},
      {224,
       false,
       {"runtime error: Invalid use of Null: Mechs.Name, ID 990, while writing the FIT parts "
        "section",
        "note: FIT file not finished (runtime error)", "note: b0224.FIT left incomplete"}},
      {225,
       false,
       {"runtime error: Invalid use of Null: Vehicles.TypeID, VehicleID 990, while writing the "
        "FIT parts section",
        "note: FIT file not finished (runtime error)", "note: b0225.FIT left incomplete"}},
      {226,
       false,
       {"runtime error: Invalid use of Null: MissionStructures.Identifier, StructureID 22601, "
        "while writing the structure include",
        "note: script not finished (runtime error)", "note: b0226_VAR.ABI left incomplete",
        "note: b0226_INIT.ABI left incomplete", "note: b0226_MP.ABI left incomplete",
        "note: b0226_STR.ABI left incomplete"}},
      {227, true, {}},
  };
  return missions;
}

const std::vector<MissionLines>& CampaignMissions() {
  static const std::vector<MissionLines> missions = {
      {1, true, {}},
      {7, true, {}},
      {12, true, {}},
      {23, true, {}},
      {105,
       true,
       {"note: m0105.FIT: the text of Objectives.Description, ObjectiveID 10501 holds the "
        "character \u03A9, which has no Windows-1252 form and is written as ?"}},
      {3000,
       true,
       {"Briefing File name not specified.", "Briefing Map name not specified.",
        "Player Tonnage Limit not specified.  Assuming 1200 ..."}},
  };
  return missions;
}

// The lines `build` prints for the missions: theirs in turn, then, after a
// run of more than one mission, the summary.
std::string ExpectedOutput(const std::vector<MissionLines>& missions) {
  std::string output;
  std::string failed;
  size_t compiled = 0;
  for (const MissionLines& mission : missions) {
    for (const std::string& line : mission.lines) {
      output += "quorvane: mission " + std::to_string(mission.mission) + ": " + line + "\n";
    }
    if (mission.compiled) {
      ++compiled;
    } else {
      failed += (failed.empty() ? "; failed: " : ", ") + std::to_string(mission.mission);
    }
  }
  if (missions.size() == 1) return output;
  return output + "quorvane: note: " + std::to_string(compiled) + " of " +
         std::to_string(missions.size()) + " missions compiled" + failed + "\n";
}

struct Twin {
  std::string fixture;  // "broken", "campaign"
  bool jet;
  const std::vector<MissionLines>& (*missions)();
  int status;  // of `build --all`

  std::string Database() const {
    return jet ? testing::FixturePath(fixture + ".mdb") : testing::SqliteFixture(fixture);
  }
};

std::string Name(const Twin& twin) { return twin.fixture + (twin.jet ? "_mdb" : "_sqlite"); }
void PrintTo(const Twin& twin, std::ostream* out) { *out << Name(twin); }

class MissionRunTest : public ::testing::TestWithParam<Twin> {};

TEST_P(MissionRunTest, EveryLineNamesItsMissionWithVerdictsAndASummary) {
  const Twin& twin = GetParam();
  auto result =
      RunQuorvane("build " + twin.Database() + " --all --date 2026-01-01 -o " + testing::TempDir());
  EXPECT_EQ(result.status, twin.status);
  EXPECT_EQ(result.output, ExpectedOutput(twin.missions()));
}

// `check` prints what `build` prints and exits as it does, and leaves the
// database's folder, the current folder and the temporary folder as they were.
TEST_P(MissionRunTest, CheckSaysWhatBuildSaysAndLeavesEveryFolderAsItWas) {
  const Twin& twin = GetParam();
  std::string folder = testing::TempDir();
  std::string database = folder + "/" + fs::path(twin.Database()).filename().string();
  fs::copy_file(twin.Database(), database);
  std::string temporary = testing::TempDir();
  auto before = testing::FolderState(folder);

  auto result = testing::RunCommand(
      "cd " + folder + " && TMPDIR=" + temporary + " " +
      testing::QuorvaneCommand("check " + database + " --all --date 2026-01-01 2>&1"));
  EXPECT_EQ(result.status, twin.status);
  EXPECT_EQ(result.output, ExpectedOutput(twin.missions()));
  EXPECT_EQ(testing::FolderState(folder), before);
  EXPECT_TRUE(fs::is_empty(temporary));
}

// The keys of each kind of JSON object, in their order.
const std::map<std::string, std::vector<std::string>> kKeys = {
    {"start", {"kind", "schema", "version"}},
    {"message", {"kind", "mission", "operation", "style", "title", "text"}},
    {"result", {"kind", "mission", "operation", "result", "files", "incomplete", "runtime_error"}},
    {"note", {"kind", "mission", "text"}},
    {"summary", {"kind", "summary"}},
};

// The line of text the text output prints for a JSON object; empty for an
// object without one (the start, a result that ended well).
std::string TextLine(const nlohmann::ordered_json& object) {
  std::string kind = object["kind"];
  if (kind == "start") return "";
  if (kind == "summary") {
    const auto& counts = object["summary"];
    std::string failed;
    for (int mission : counts["failed"]) {
      failed += (failed.empty() ? "; failed: " : ", ") + std::to_string(mission);
    }
    return "quorvane: note: " + std::to_string(counts["compiled"].get<int>()) + " of " +
           std::to_string(counts["missions"].get<int>()) + " missions compiled" + failed;
  }
  std::string line = "quorvane: ";
  if (!object["mission"].is_null()) {
    line += "mission " + std::to_string(object["mission"].get<int>()) + ": ";
  }
  if (kind == "note") return line + "note: " + object["text"].get<std::string>();
  if (kind == "message") {
    if (object["style"] == "critical") line += "error: ";
    return line + object["text"].get<std::string>();
  }
  if (object["runtime_error"].is_null()) return "";
  return line + "runtime error: " + object["runtime_error"].get<std::string>();
}

// The JSON lines parse, each kind has exactly its documented keys, the run
// starts with the start object, and the objects match the text lines one to
// one: messages, run-time errors, notes and the summary.
TEST_P(MissionRunTest, JsonLinesMatchTheTextLines) {
  const Twin& twin = GetParam();
  std::string arguments = "build " + twin.Database() + " --all --date 2026-01-01 -o ";
  auto text = RunQuorvane(arguments + testing::TempDir());
  auto json = RunQuorvane(arguments + testing::TempDir() + " --message-format json");
  EXPECT_EQ(json.status, text.status);
  std::vector<std::string> seen;
  std::vector<std::string> kinds;
  for (const std::string& line : testing::OutputLines(json.output)) {
    auto object = nlohmann::ordered_json::parse(line);
    std::vector<std::string> keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    ASSERT_TRUE(kKeys.count(object.value("kind", ""))) << line;
    EXPECT_EQ(keys, kKeys.at(object["kind"])) << line;
    kinds.push_back(object["kind"]);
    if (std::string shown = TextLine(object); !shown.empty()) seen.push_back(shown);
  }
  ASSERT_FALSE(kinds.empty());
  EXPECT_EQ(kinds.front(), "start");
  EXPECT_EQ(kinds.back(), "summary");
  EXPECT_EQ(seen, testing::OutputLines(text.output));
}

// Runs of one, two and three missions given by number, with verdicts of
// every kind (216 compiles with a message, 227 without, 207 is refused, 224
// ends with a run-time error): the missions' lines in the order given, and a
// summary after more than one mission; the status is the worst mission's.
TEST(MissionSummaryTest, RunsOfOneTwoAndThreeMissions) {
  const std::vector<std::vector<int>> kRuns = {
      {216},      {207},           {224},           {216, 207},      {207, 227},
      {227, 216}, {224, 216, 207}, {216, 227, 207}, {227, 216, 227},
  };
  const std::string database = testing::SqliteFixture("broken");
  for (const std::vector<int>& run : kRuns) {
    std::vector<MissionLines> missions;
    std::string numbers;
    int status = 0;
    for (int id : run) {
      auto it = std::find_if(BrokenMissions().begin(), BrokenMissions().end(),
                             [&](const MissionLines& m) { return m.mission == id; });
      ASSERT_NE(it, BrokenMissions().end());
      missions.push_back(*it);
      numbers += " " + std::to_string(id);
      bool runtime_error = std::any_of(it->lines.begin(), it->lines.end(), [](const auto& line) {
        return line.starts_with("runtime error: ");
      });
      status = std::max(status, it->compiled ? 0 : (runtime_error ? 2 : 1));
    }
    auto result =
        RunQuorvane("build " + database + numbers + " --date 2026-01-01 -o " + testing::TempDir());
    EXPECT_EQ(result.status, status) << numbers;
    EXPECT_EQ(result.output, ExpectedOutput(missions)) << numbers;
  }
}

INSTANTIATE_TEST_SUITE_P(Databases, MissionRunTest,
                         ::testing::Values(Twin{"broken", true, BrokenMissions, 2},
                                           Twin{"broken", false, BrokenMissions, 2},
                                           Twin{"campaign", true, CampaignMissions, 0},
                                           Twin{"campaign", false, CampaignMissions, 0}),
                         [](const auto& info) { return Name(info.param); });

}  // namespace
}  // namespace quorvane
