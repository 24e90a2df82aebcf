// The command's checks of its input and its smaller outputs: usage errors,
// SOURCE_DATE_EPOCH, `list`, `-v`, and damaged Jet files, reported in the
// command's own lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"

namespace quorvane {
namespace {

using testing::RunQuorvane;

// Every usage error is one "quorvane: error:" line that points at the help,
// with status 64.
TEST(CommandInputTest, UsageErrorsAreOneLineEach) {
  struct Case {
    std::string arguments;
    std::string says;
  };
  for (const Case& c : std::vector<Case>{
           {"", "A subcommand is required; run 'quorvane --help'"},
           {"bogus x.mdb 1", "unknown subcommand 'bogus'; run 'quorvane --help'"},
           {"fit", "DATABASE is required; run 'quorvane fit --help'"},
           {"fit x.mdb", "MISSION is required; run 'quorvane fit --help'"},
           {"fit x.mdb 32768", "MISSION: Value 32768 not in range -32768 to 32767"},
           {"script x.mdb -32769", "MISSION: Value -32769 not in range -32768 to 32767"},
           {"fit x.mdb one", "MISSION: Value one not in range"},
           {"build x.mdb", "mission numbers or --all are needed; run 'quorvane build --help'"},
           {"build x.mdb 1 --all", "MISSION excludes --all"},
           {"list", "DATABASE is required; run 'quorvane list --help'"},
           {"identifier", "TEXT is required; run 'quorvane identifier --help'"},
           {"dump", "DATABASE is required; run 'quorvane dump --help'"},
           {"fit x.mdb 1 --date", "--date: 1 required TEXT missing"},
           {"fit x.mdb 1 --date 2024-13-45", "--date: the date must be a real date"},
           {"build x.mdb 1 --date 2023-02-29", "--date: the date must be a real date"},
           {"build x.mdb 1 --date 12/06/2026", "--date: the date must be a real date"},
           {"check x.mdb", "mission numbers or --all are needed; run 'quorvane check --help'"},
           {"check x.mdb 1 -o out", ""},  // check writes into no folder of the user's
           {"script x.mdb 1 --message-format xml", "--message-format: xml not in {text,json}"},
           {"list x.mdb --csv", "The following argument was not expected: --csv"},
           {"convert x.mdb", "TARGET is required; run 'quorvane convert --help'"},
       }) {
    auto result = RunQuorvane(c.arguments);
    EXPECT_EQ(result.status, 64) << c.arguments;
    std::vector<std::string> lines = testing::OutputLines(result.output);
    ASSERT_EQ(lines.size(), 1u) << c.arguments << "\n" << result.output;
    EXPECT_TRUE(lines[0].starts_with("quorvane: error: ")) << lines[0];
    EXPECT_NE(lines[0].find(c.says), std::string::npos) << lines[0];
    EXPECT_TRUE(lines[0].ends_with("--help' for usage")) << lines[0];
  }
}

// Each form of --date that is not a real YYYY-MM-DD date, on every command
// that compiles.
TEST(CommandInputTest, MalformedDatesAreUsageErrors) {
  const char* compiles[] = {"fit", "script", "build", "check"};
  int next = 0;
  for (const char* date : {"2024-13-45", "2023-02-29", "1900-02-29", "2024-04-31", "2024-00-10",
                           "2024-01-00", "2024-1-01", "24-01-01", "2024/01/01", "12/06/2026",
                           "'2024-01-01 '", "+024-01-01", "''", "abcd-ef-gh", "2024-01-01T00:00"}) {
    std::string command = compiles[next++ % 4];
    auto result = RunQuorvane(command + " x.mdb 1 --date " + date);
    EXPECT_EQ(result.status, 64) << command << " " << date;
    EXPECT_EQ(result.output,
              "quorvane: error: --date: the date must be a real date as "
              "YYYY-MM-DD; run 'quorvane " +
                  command + " --help' for usage\n")
        << date;
  }
}

// SOURCE_DATE_EPOCH gives the header date when --date does not; anything but
// a non-negative whole number of seconds is a usage error.
TEST(CommandInputTest, SourceDateEpochMustBeAWholeNumberOfSeconds) {
  struct Case {
    std::string epoch;
    std::string date;  // of the header line; empty: a usage error
    std::string option = "";
  };
  std::string database = testing::SqliteFixture("campaign");
  for (const Case& c : std::vector<Case>{
           {"0", "1970-01-01"},
           {"86399", "1970-01-01"},
           {"1767225600", "2026-01-01"},
           {"abc", ""},
           {"-1", ""},
           {"1.5", ""},
           {" 5", ""},
           {"99999999999999999999", ""},
           {"abc", "2024-02-29", "--date 2024-02-29"},
       }) {
    std::string folder = testing::TempDir();
    auto result = testing::RunCommand(
        "SOURCE_DATE_EPOCH='" + c.epoch + "' " +
        testing::QuorvaneCommand("fit " + database + " 7 -o " + folder + " " + c.option + " 2>&1"));
    if (c.date.empty()) {
      EXPECT_EQ(result.status, 64) << c.epoch;
      EXPECT_EQ(result.output,
                "quorvane: error: SOURCE_DATE_EPOCH must be a non-negative whole "
                "number of seconds, not '" +
                    c.epoch + "'; run 'quorvane fit --help' for usage\n");
      continue;
    }
    EXPECT_EQ(result.status, 0) << c.epoch << result.output;
    std::string fit = testing::ReadFile(folder + "/m0007.FIT");
    EXPECT_NE(fit.find("Creation Date: " + c.date + " "), std::string::npos) << c.epoch;
  }
}

// `list` pads its columns by characters, so that names with accents and
// typographic marks line up; `--json` gives the same rows.
TEST(CommandInputTest, ListAlignsByCharactersAndPrintsJson) {
  std::string database = testing::FixturePath("campaign.mdb");
  auto list = RunQuorvane("list " + database);
  ASSERT_EQ(list.status, 0);
  std::vector<std::string> lines = testing::OutputLines(list.output);
  ASSERT_EQ(lines.size(), 6u);
  // The character column where the last field (the kind) starts.
  std::vector<size_t> kind_columns;
  for (const std::string& line : lines) {
    std::string before = line.substr(0, line.rfind("  ") + 2);
    kind_columns.push_back(
        static_cast<size_t>(std::count_if(before.begin(), before.end(), [](char c) {
          return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        })));
  }
  EXPECT_EQ(lines[4], " 105  Ghost Convoy – Señor’s Run  m0105      single-player");
  for (size_t column : kind_columns) EXPECT_EQ(column, kind_columns[0]) << list.output;

  auto json = RunQuorvane("list " + database + " --json");
  ASSERT_EQ(json.status, 0);
  auto missions = nlohmann::json::parse(json.output);
  ASSERT_EQ(missions.size(), 6u);
  EXPECT_EQ(missions[4],
            nlohmann::json::parse(R"({"mission": 105, "name": "Ghost Convoy – Señor’s Run",
                                                   "file": "m0105", "multiplayer": false})"));
  EXPECT_EQ(missions[3]["multiplayer"], true);
}

// Names and file names of mixed widths, with letters of two bytes and of
// three bytes in UTF-8 in names that are not the longest: every column is
// padded by characters.
TEST(CommandInputTest, ListPadsNamesOfMixedWidthsByCharacters) {
  std::string database = testing::MissionDatabase(
      testing::MissionRow(1, "\u00e91", "0", "'\u00c9lan'") +
      testing::MissionRow(-300, "m300", "-1", "'\u00d8deg\u00e5rd \u2013 Pass'") +
      testing::MissionRow(4000, "f\u00fcr4000", "0", "'A much longer plain name'") +
      testing::MissionRow(27, "m27", "NULL", "'\u20ac'"));
  auto list = RunQuorvane("list " + database);
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.output,
            "   1  \u00c9lan                      \u00e91       single-player\n"
            "-300  \u00d8deg\u00e5rd \u2013 Pass            m300     multiplayer\n"
            "4000  A much longer plain name  f\u00fcr4000  single-player\n"
            "  27  \u20ac                         m27      neither\n");
}

// `-v` notes each file an operation wrote, named in the output folder.
TEST(CommandInputTest, VerboseNotesEachFileWritten) {
  auto result = RunQuorvane("build " + testing::FixturePath("campaign.mdb") +
                            " 7 -v --date 2026-01-01 -o " + testing::TempDir());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output,
            "quorvane: mission 7: note: wrote m0007.FIT\n"
            "quorvane: mission 7: note: wrote m0007_VAR.ABI\n"
            "quorvane: mission 7: note: wrote m0007_INIT.ABI\n"
            "quorvane: mission 7: note: wrote m0007_MP.ABI\n"
            "quorvane: mission 7: note: wrote m0007.ABL\n"
            "quorvane: mission 7: note: wrote m0007_LOP.ABI\n"
            "quorvane: mission 7: note: wrote m0007_STR.ABI\n");
}

// Damaged copies of a Jet file: every line the command prints is its own,
// and the damage is reported as a message, not met by a crash.
TEST(CommandInputTest, DamagedJetFilesGiveOnlyTheCommandsOwnLines) {
  std::string seed = testing::ReadFile(testing::FixturePath("campaign.mdb"));
  std::mt19937 random(12);
  size_t refused = 0;
  for (int copy = 0; copy < 12; ++copy) {
    std::string bytes = seed;
    for (int i = 0; i < 20; ++i) {
      std::uniform_int_distribution<size_t> at(3 * 4096, bytes.size() - 1);
      bytes[at(random)] = static_cast<char>(random());
    }
    std::string database = testing::TempDir() + "/damaged.mdb";
    std::ofstream(database, std::ios::binary) << bytes;
    for (const std::string& command :
         {"build " + database + " --all -o " + testing::TempDir(),
          "dump " + database + " MissionAssignments", "list " + database}) {
      auto result = testing::RunCommand(testing::QuorvaneCommand(command) + " 2>&1 >/dev/null");
      EXPECT_TRUE(result.status == 0 || result.status == 1 || result.status == 2)
          << copy << ": " << command << ": status " << result.status;
      for (const std::string& line : testing::OutputLines(result.output)) {
        EXPECT_TRUE(line.starts_with("quorvane: ")) << copy << ": " << line;
        if (line.find("Damaged") != std::string::npos) ++refused;
      }
    }
  }
  EXPECT_GT(refused, 0u) << "no copy's damage was reported";
}

}  // namespace
}  // namespace quorvane
