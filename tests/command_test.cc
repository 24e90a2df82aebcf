// What the built quorvane command prints on standard output, and its exit
// status, for every subcommand; and `build --all` against the reviewed files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "quorvane/version.h"
#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/golden_files.h"

namespace quorvane {
namespace {

using testing::RunCommand;
using testing::RunQuorvane;

// Standard error is left out: messages, verdicts and notes go there.
TEST(CommandTest, EverySubcommandPrintsItsResultOnStandardOutput) {
  const std::string campaign = testing::SqliteFixture("campaign");
  const std::string broken = testing::SqliteFixture("broken");
  const std::string nullflags = testing::SqliteFixture("nullflags");
  const std::string out = " -o " + testing::TempDir() + " --date 2026-01-01";
  const struct {
    std::string arguments;
    std::string output;
    int status;
  } cases[] = {
      {"--version", std::string("quorvane ") + QUORVANE_VERSION + "\n", 0},
      {"fit " + campaign + " 7" + out, "", 0},
      {"script " + campaign + " 7" + out, "", 0},
      {"build " + campaign + " 1 12" + out, "", 0},
      {"build " + broken + " 207" + out, "", 1},
      {"build " + broken + " 224" + out, "", 2},
      {"check " + campaign + " 1", "", 0},
      {"check " + broken + " 216 217", "", 1},
      {"fit " + campaign + " 7 --date 2024-13-45", "", 64},
      // A mission whose Multiplayer is Null is of neither kind.
      {"list " + nullflags,
       "501  Null Multiplayer, six zones   n0501  neither\n"
       "502  Null Multiplayer, five zones  n0502  neither\n"
       "503  Null flags                    n0503  single-player\n",
       0},
      {"list " + nullflags + " --json",
       "[\n  {\n    \"mission\": 501,\n    \"name\": \"Null Multiplayer, six zones\",\n"
       "    \"file\": \"n0501\",\n    \"multiplayer\": null\n  },\n  {\n    \"mission\": 502,\n"
       "    \"name\": \"Null Multiplayer, five zones\",\n    \"file\": \"n0502\",\n"
       "    \"multiplayer\": null\n  },\n  {\n    \"mission\": 503,\n"
       "    \"name\": \"Null flags\",\n    \"file\": \"n0503\",\n    \"multiplayer\": false\n"
       "  }\n]\n",
       0},
      {"identifier 'Gate (North)'", "_Gate_North\n", 0},
      {"identifier '&H8000 Gate'", "_H8000_Gate\n", 0},
      {"identifier '3rd Gate'", "", 1},
      {"dump " + nullflags,
       "NewMissions\nMissionAssignments\nMechs\nVehicles\nNewMW\nObjectives\nObjectiveScripting\n"
       "PlayerEntryPoints\nMissionStructures\nStructureSalvage\nStructureAssociates\n"
       "LookoutPoints\n",
       0},
      {"dump " + testing::FixturePath("types.mdb") + " TypeInteger",
       "## TypeInteger\tSeq\tVal\n#types\tLong\tInteger\n1\t-32768\n2\t-1\n3\t0\n4\t1\n"
       "5\t32767\n6\t\\N\n",
       0},
      {"convert " + nullflags + " " + testing::TempDir() + "/n.sql", "", 0},
  };
  for (const auto& c : cases) {
    auto result = RunCommand(testing::QuorvaneCommand(c.arguments) + " 2>/dev/null");
    EXPECT_EQ(result.output, c.output) << c.arguments;
    EXPECT_EQ(result.status, c.status) << c.arguments;
  }
  for (const char* subcommand :
       {"fit", "script", "build", "check", "list", "identifier", "dump", "convert"}) {
    auto result = RunCommand(testing::QuorvaneCommand(std::string(subcommand) + " --help"));
    EXPECT_EQ(result.status, 0) << subcommand;
    EXPECT_NE(result.output.find("Usage: quorvane " + std::string(subcommand) + " [OPTIONS]"),
              std::string::npos)
        << result.output;
  }
}

// The database path is the folder and the name given, ".MDB" added to a name
// without ".mdb" or ".MDB", "." for a bare name.
TEST(CommandTest, MissingDatabaseIsReportedWithStatus1) {
  std::string folder = testing::TempDir();
  auto result = RunQuorvane("fit " + folder + "/no_such_campaign 7 -o " + folder);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output,
            "quorvane: error: Could not find file '" + folder + "/no_such_campaign.MDB'.\n");
  result = RunQuorvane("script no_such_campaign.mdb 7");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, "quorvane: error: Could not find file './no_such_campaign.mdb'.\n");
}

// `build --all` writes every mission of the campaign exactly as the reviewed
// files show each mission compiled on its own.
TEST(CommandTest, BuildAllWritesTheExpectedFilesOfEveryMission) {
  std::string output = testing::TempDir();
  auto result = RunQuorvane("build " + testing::SqliteFixture("campaign") + " --all --date " +
                            testing::kGoldenDate + " -o " + output);
  EXPECT_EQ(result.status, 0) << result.output;
  testing::FileSet written = testing::CompiledFiles(output, "");
  size_t compared = 0;
  for (int16_t mission : testing::GoldenMissions()) {
    for (const auto& [name, bytes] : testing::ReadFolder(testing::GoldenFolder(mission))) {
      if (name == "messages.txt") continue;
      EXPECT_TRUE(written[name] == bytes) << name;
      ++compared;
    }
  }
  EXPECT_GE(compared, 40u);
}

}  // namespace
}  // namespace quorvane
