// What the command checks once before its mission loop (the database opens,
// the output folder exists) and how `--all` reads the mission numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "quorvane/version.h"
#include "support/mission_sql.h"

namespace quorvane {
namespace {

using testing::RunQuorvane;

// Whatever the number of missions and the command, a missing database is
// told once, with the design's message and status.
TEST(RunSetupTest, MissingDatabaseIsToldOnce) {
  std::string database = testing::InFolder(testing::TempDir(), "nosuch.mdb");
  std::string folder = " -o " + testing::TempDir();
  const std::string line = "quorvane: error: Could not find file '" + database + "'.\n";
  for (const std::string& arguments :
       {"fit " + database + " 7" + folder, "script " + database + " 7" + folder,
        "build " + database + " 7" + folder, "build " + database + " 1 7 12" + folder,
        "build " + database + " --all" + folder, "check " + database + " 1 7 12",
        "check " + database + " --all"}) {
    auto result = RunQuorvane(arguments);
    EXPECT_EQ(result.status, 1) << arguments;
    EXPECT_EQ(result.output, line) << arguments;
    // In JSON the message belongs to no mission; the summary follows.
    auto json = RunQuorvane(arguments + " --message-format json");
    EXPECT_EQ(json.status, 1) << arguments;
    std::vector<std::string> lines = testing::OutputLines(json.output);
    ASSERT_EQ(lines.size(), 3u) << json.output;
    EXPECT_EQ(lines[0], R"({"kind":"start","schema":1,"version":")" QUORVANE_VERSION R"("})");
    EXPECT_TRUE(lines[1].starts_with(
        R"({"kind":"message","mission":null,"operation":null,"style":"critical","title":"Error","text":"Could not find file ')"))
        << json.output;
    EXPECT_TRUE(lines[2].starts_with(R"({"kind":"summary","summary":{"missions":)")) << json.output;
  }
}

// A missing database beside a file whose name differs only in the case of its
// ending gets a note naming that file and the name to give; a file whose stem
// differs in case is not the one meant.
TEST(RunSetupTest, MissingDatabaseNamesTheFileWhoseEndingDiffersInCase) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows finds a file whatever the case of its name";
#endif
  std::string folder = testing::TempDir();
  for (const char* file : {"campaign.mdb", "Other.MDB", "notes.Mdb"}) {
    std::ofstream(folder + "/" + file) << "";
  }
  struct Case {
    std::string given;
    std::string looked_for;
    std::string there;  // "" when no note is due
  };
  const std::vector<Case> cases = {
      {"campaign", "campaign.MDB", "campaign.mdb"},
      {"campaign.MDB", "campaign.MDB", "campaign.mdb"},
      {"notes.MDB", "notes.MDB", "notes.Mdb"},
      {"other", "other.MDB", ""},
      {"Campaign", "Campaign.MDB", ""},
  };
  const std::string note = "' is there: the case of the ending counts, so name the database as ";
  for (const Case& c : cases) {
    auto result = RunQuorvane("fit " + folder + "/" + c.given + " 7 -o " + folder);
    EXPECT_EQ(result.status, 1) << c.given;
    std::string expected =
        "quorvane: error: Could not find file '" + folder + "/" + c.looked_for + "'.\n";
    if (!c.there.empty()) {
      std::string there = folder + "/" + c.there;
      expected += "quorvane: note: '" + there + note + there + "\n";
    }
    EXPECT_EQ(result.output, expected) << c.given;
  }
  // A bare name is named back bare, as the user would type it.
  auto result = testing::RunCommand("cd " + folder + " && " +
                                    testing::QuorvaneCommand("build campaign 7") + " 2>&1");
  EXPECT_EQ(result.output,
            "quorvane: error: Could not find file './campaign.MDB'.\n"
            "quorvane: note: './campaign.mdb" +
                note + "campaign.mdb\n");
}

// A file that is not a database is told once, with a note of the reason; a
// missing output folder once, with the design's message.
TEST(RunSetupTest, UnopenableDatabaseAndMissingFolderAreToldOnce) {
  std::string database = testing::InFolder(testing::TempDir(), "notes.mdb");
  std::ofstream(database) << "not a database\n";
  auto result = RunQuorvane("build " + database + " 1 7 12 -o " + testing::TempDir());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, "quorvane: error: Could not open database object '" + database +
                               "'.\nquorvane: note: cannot read '" + database +
                               "' or it is too short to be a database\n");

  std::string campaign = testing::FixturePath("campaign.mdb");
  std::string missing = testing::TempDir() + "/missing";
  result = RunQuorvane("build " + campaign + " 1 7 12 -o " + missing);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output,
            "quorvane: error: Could not find path '" + testing::InFolder(missing, "") + "'.\n");
}

// `--all` skips a NewMissions row whose MissionID is not a mission number,
// with a note naming its position, and compiles each mission once; the
// design's own check still refuses the mission that has two rows.
TEST(RunSetupTest, AllSkipsBadMissionIdsAndCompilesEachMissionOnce) {
  std::string database = testing::SqliteFixtureWith(
      "campaign",
      "INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES "
      "(NULL, 'null', 0), (70000, 'big', 0), (7, 'again', 0), (2.5, 'half', 0), "
      "('abc', 'text', 0), (-32769, 'low', 0)");
  auto result =
      RunQuorvane("build " + database + " --all --date 2026-01-01 -o " + testing::TempDir());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output,
            "quorvane: note: NewMissions row 7: MissionID is Null; skipped\n"
            "quorvane: note: NewMissions row 8: MissionID '70000' is not a 16-bit number; "
            "skipped\n"
            "quorvane: note: NewMissions row 10: MissionID '2.5' is not a 16-bit number; "
            "skipped\n"
            "quorvane: note: NewMissions row 11: MissionID 'abc' is not a 16-bit number; "
            "skipped\n"
            "quorvane: note: NewMissions row 12: MissionID '-32769' is not a 16-bit number; "
            "skipped\n"
            "quorvane: mission 7: error: Incorrect record count in NewMissions table.\n"
            "quorvane: mission 7: note: FIT file not written (refused)\n"
            "quorvane: mission 105: note: m0105.FIT: the text of Objectives.Description, "
            "ObjectiveID 10501 holds the character \u03A9, which has no Windows-1252 form and "
            "is written as ?\n"
            "quorvane: mission 3000: Briefing File name not specified.\n"
            "quorvane: mission 3000: Briefing Map name not specified.\n"
            "quorvane: mission 3000: Player Tonnage Limit not specified.  Assuming 1200 ...\n"
            "quorvane: note: 5 of 6 missions compiled; failed: 7\n");
}

// `--all` over a MissionID column of each declared type holding values of
// every kind: only a number that is a whole 16-bit number is a mission (a
// Yes/No value is not, nor is a text of digits); every other row is skipped
// with a note naming its position. Each mission is compiled once, in the
// order of its first row.
TEST(RunSetupTest, AllTakesOnlyWholeNumbersOfEveryKindAsMissions) {
  const struct {
    const char* declared;
    std::vector<const char*> ids;  // one NewMissions row each
    std::vector<int> missions;     // compiled, in order
    std::vector<int> skipped;      // the positions of the rows skipped
  } kCases[] = {
      {"YESNO", {"-1", "0", "1", "NULL", "'7'"}, {}, {1, 2, 3, 4, 5}},
      {"",
       {"7", "7.0", "2.5", "'12'", "x'07'", "NULL", "1e10", "-32768", "-0.0"},
       {7, -32768, 0},
       {3, 4, 5, 6, 7}},
      {"TEXT", {"7", "'12'", "NULL"}, {}, {1, 2, 3}},
      {"DOUBLE", {"12.0", "12.5", "-3", "32768", "1e300"}, {12, -3}, {2, 4, 5}},
      {"CURRENCY", {"5", "5.5", "'6.0000'"}, {5, 6}, {2}},
      // 256 does not fit a Byte and reads as the Long it is.
      {"BYTE", {"255", "256", "'abc'"}, {255, 256}, {3}},
      {"SMALLINT", {"-32768", "32767", "40000"}, {-32768, 32767}, {3}},
  };
  for (const auto& c : kCases) {
    std::string rows = std::string("ALTER TABLE NewMissions DROP COLUMN MissionID;\n") +
                       "ALTER TABLE NewMissions ADD COLUMN MissionID " + c.declared + ";\n";
    for (const char* id : c.ids) {
      rows += "INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES (" +
              std::string(id) + ", 'm', 0);\n";
    }
    const std::string where = std::string("MissionID ") + c.declared;
    std::string database = testing::MissionDatabase(rows);
    auto result = RunQuorvane("check " + database + " --all");
    std::vector<int> missions;
    std::vector<int> skipped;
    for (const std::string& line : testing::OutputLines(result.output)) {
      int number = 0;
      if (std::sscanf(line.c_str(), "quorvane: mission %d:", &number) == 1) {
        if (std::find(missions.begin(), missions.end(), number) == missions.end()) {
          missions.push_back(number);
        }
      } else if (size_t at = line.find("NewMissions row "); at != std::string::npos) {
        skipped.push_back(std::stoi(line.substr(at + 16)));
      }
    }
    EXPECT_EQ(missions, c.missions) << where << "\n" << result.output;
    EXPECT_EQ(skipped, c.skipped) << where << "\n" << result.output;
  }
}

// A database without the NewMissions table: `--all` cannot read the mission
// numbers, a run-time error outside any mission; a mission number given
// gets the error from each operation.
TEST(RunSetupTest, DatabaseWithoutMissionsIsARuntimeError) {
  std::string database = testing::FixturePath("types.mdb");
  std::string folder = " -o " + testing::TempDir();
  auto result = RunQuorvane("build " + database + " --all" + folder);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.output,
            "quorvane: runtime error: Cannot find the input table or query 'NewMissions'.\n");
  result = RunQuorvane("build " + database + " --all --message-format json" + folder);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(
      result.output,
      R"({"kind":"start","schema":1,"version":")" QUORVANE_VERSION R"("})"
      "\n"
      R"({"kind":"result","mission":null,"operation":null,"result":false,"files":[],)"
      R"("incomplete":[],"runtime_error":"Cannot find the input table or query 'NewMissions'."})"
      "\n"
      R"({"kind":"summary","summary":{"missions":0,"compiled":0,"failed":[]}})"
      "\n");
  result = RunQuorvane("build " + database + " 3" + folder);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.output,
            "quorvane: mission 3: runtime error: Cannot find the input table or query "
            "'NewMissions', while checking the mission data\n"
            "quorvane: mission 3: note: FIT file not written (runtime error)\n"
            "quorvane: mission 3: runtime error: Cannot find the input table or query "
            "'NewMissions', while finding the mission record\n"
            "quorvane: mission 3: note: script not written (runtime error)\n");
}

}  // namespace
}  // namespace quorvane
