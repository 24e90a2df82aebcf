// The FIT writer against missions that each carry one fault: the checks stop
// with their message and leave the folder as it was, the warnings let the
// file be written, and faults found while writing end the run.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "compiler/write_quorvane.h"
#include "platform/runtime_error.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

// How a build ends.
enum class Outcome {
  kRefused,       // a check failed: false, no file written
  kWritten,       // true, the file ends with FITend
  kStopped,       // false, the file was begun and has no FITend
  kRuntimeError,  // a RuntimeError, the file was begun and has no FITend
};

struct BrokenCase {
  int16_t mission;
  Outcome outcome;
  std::vector<Message> messages;
};

Message Critical(const std::string& text) { return {BoxStyle::kCritical, "Error", text}; }
Message Plain(const std::string& text) { return {BoxStyle::kPlain, "", text}; }

std::set<std::string> FolderEntries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

const std::vector<BrokenCase>& BrokenCases() {
  static const std::vector<BrokenCase> cases = {
      {201, Outcome::kRefused, {Critical("Incorrect record count in NewMissions table.")}},
      {202, Outcome::kRefused, {Critical("Incorrect record count in NewMissions table.")}},
      {203, Outcome::kRefused, {Critical("Incorrect number of objectives.")}},
      {204, Outcome::kRefused, {Critical("Incorrect number of drop zones (must be 6).")}},
      {205, Outcome::kRefused, {Critical("Incorrect number of drop zones (must be 6).")}},
      {206, Outcome::kRefused, {Critical("No Dropzones were defined.")}},
      {207, Outcome::kRefused, {Plain("No Assignments found for Mission 207.")}},
      {208, Outcome::kRefused, {Critical("Incorrect number of objectives.")}},
      {209, Outcome::kRefused, {Plain("MWID cannot be Zero. [209]")}},
      {210, Outcome::kRefused, {Plain("MWID cannot be Zero. [210]")}},
      {211, Outcome::kRefused, {Plain("MWID 40 not found in database. [211]")}},
      {212, Outcome::kRefused, {Plain("MechID cannot be Zero. [212]")}},
      {213, Outcome::kRefused, {Plain("MechID 999 not found in database. [213]")}},
      {214, Outcome::kRefused, {Plain("VehicleID 998 not found in database. [214]")}},
      {215, Outcome::kRefused, {Plain("No MechID or VehicleID has been assigned. [215]")}},
      {216,
       Outcome::kWritten,
       {Plain("Both a Mech and Vehicle seem to be assigned to the same warrior. [216]")}},
      {217, Outcome::kStopped, {Plain("Too many assignments to Clan Group 2")}},
      // Faults that only the script writers see: the FIT file is written quietly.
      {218, Outcome::kWritten, {}},
      {219, Outcome::kWritten, {}},
      {220, Outcome::kWritten, {}},
      {221, Outcome::kWritten, {}},
      {222, Outcome::kWritten, {}},
      {223, Outcome::kWritten, {}},
      {224, Outcome::kRuntimeError, {}},
      {225, Outcome::kRuntimeError, {}},
      {226, Outcome::kWritten, {}},
      {227, Outcome::kWritten, {}},
  };
  return cases;
}

// Compiles one mission of a database into a folder that already holds an
// older FIT file of the mission and checks the outcome.
void CheckBuild(const std::string& database, const std::string& file_prefix, const BrokenCase& c) {
  SCOPED_TRACE("mission " + std::to_string(c.mission) + " of " + database);
  fs::path folder = testing::TempDir();
  std::string fit_name = file_prefix + std::to_string(c.mission) + ".FIT";
  const std::string older = "an older FIT file\r\n";
  std::ofstream(folder / fit_name, std::ios::binary) << older;

  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2026-12-06");
  std::string output = folder.string();
  std::string database_folder = fs::path(database).parent_path().string();
  std::string database_name = fs::path(database).filename().string();
  int16_t mission = c.mission;
  std::optional<bool> result;
  try {
    result = compiler.WriteMissionFITFile(output, database_folder, database_name, mission);
  } catch (const RuntimeError&) {
  }

  EXPECT_EQ(sink.messages(), c.messages);
  std::string written = testing::ReadFile((folder / fit_name).string());
  switch (c.outcome) {
    case Outcome::kRefused:
      EXPECT_EQ(result, false);
      EXPECT_EQ(written, older);
      EXPECT_EQ(FolderEntries(folder), std::set<std::string>{fit_name});
      break;
    case Outcome::kWritten:
      EXPECT_EQ(result, true);
      EXPECT_TRUE(written.starts_with("FITini\r\n"));
      EXPECT_TRUE(EndsWith(written, "\r\nFITend\r\n"));
      break;
    case Outcome::kStopped:
    case Outcome::kRuntimeError:
      EXPECT_EQ(result, c.outcome == Outcome::kStopped ? std::optional<bool>(false) : std::nullopt);
      EXPECT_TRUE(written.starts_with("FITini\r\n"));
      EXPECT_EQ(written.find("FITend"), std::string::npos);
      break;
  }
}

class FitBrokenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(FitBrokenTest, EachFaultEndsTheBuildAsExpected) {
  std::string database =
      GetParam() == "mdb" ? testing::FixturePath("broken.mdb") : testing::SqliteFixture("broken");
  for (const BrokenCase& c : BrokenCases()) CheckBuild(database, "b0", c);
}

INSTANTIATE_TEST_SUITE_P(Databases, FitBrokenTest, ::testing::Values("sqlite", "mdb"));

// Null Yes/No values exist only in SQLite databases: a mission whose
// Multiplayer field is Null is neither kind and needs six drop zones.
TEST(FitNullMultiplayerTest, NeedsSixDropZonesAndSkipsTheUnitSections) {
  std::string database = testing::SqliteFixture("nullflags");
  CheckBuild(database, "n0",
             {502, Outcome::kRefused, {Critical("Incorrect number of drop zones (must be 6).")}});
}

}  // namespace
}  // namespace quorvane
