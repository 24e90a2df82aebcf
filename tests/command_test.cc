// What the built quorvane command prints on standard output, and its exit
// status, for every subcommand; and `build --all` against the reviewed files.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <array>
#include <filesystem>
#include <string>
#include <thread>

#include "quorvane/version.h"
#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/golden_files.h"

namespace quorvane {
namespace {

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
    auto result = RunQuorvane(c.arguments, testing::Streams::kOutputOnly);
    EXPECT_EQ(result.output, c.output) << c.arguments;
    EXPECT_EQ(result.status, c.status) << c.arguments;
  }
  for (const char* subcommand : {"fit", "script", "build", "check", "list", "identifier", "dump",
                                 "convert", "map", "report"}) {
    auto result = RunQuorvane(std::string(subcommand) + " --help", testing::Streams::kOutputOnly);
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
  auto result =
      RunQuorvane("fit " + testing::InFolder(folder, "no_such_campaign") + " 7 -o " + folder);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, "quorvane: error: Could not find file '" +
                               testing::InFolder(folder, "no_such_campaign.MDB") + "'.\n");
  result = RunQuorvane("script no_such_campaign.mdb 7");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, "quorvane: error: Could not find file '" +
                               testing::InFolder(".", "no_such_campaign.mdb") + "'.\n");
}

// A named pipe, a device or a folder given as the database is refused at once
// (opening a pipe must not wait for a writer), with the reason as a note.
// Named pipes and links to devices are POSIX files.
#ifndef _WIN32
TEST(CommandTest, SpecialFilesAsDatabaseAreRefusedWithTheReason) {
  namespace fs = std::filesystem;
  std::string folder = testing::TempDir() + "/";
  ASSERT_EQ(mkfifo((folder + "pipe.mdb").c_str(), 0600), 0);
  fs::create_directory(folder + "folder.sqlite");
  fs::create_symlink("/dev/null", folder + "device.mdb");
  const std::pair<const char*, const char*> kCases[] = {
      {"pipe.mdb", "a named pipe"}, {"folder.sqlite", "a folder"}, {"device.mdb", "a device"}};
  for (const auto& [name, kind] : kCases) {
    std::string path = folder + name;
    auto result = RunQuorvane("fit " + path + " 7 -o " + folder);
    EXPECT_EQ(result.status, 1) << name;
    // The message, then the reason as a note.
    size_t message = result.output.find("error: Could not open database object '" + path + "'.\n");
    size_t note = result.output.find("note: '" + path + "' is " + kind + ", not a database file\n");
    EXPECT_NE(message, std::string::npos) << result.output;
    EXPECT_NE(note, std::string::npos) << result.output;
    EXPECT_LT(message, note);
    // list tells it as the compiling commands do.
    result = RunQuorvane("list " + path);
    EXPECT_EQ(result.status, 1) << name;
    EXPECT_EQ(result.output, "quorvane: error: Could not open database object '" + path +
                                 "'.\nquorvane: note: '" + path + "' is " + kind +
                                 ", not a database file\n");
  }
}

// A SQLite database opens by any path that names it: with a leading "//", and
// with the characters that file URIs reserve in its name (POSIX paths: a
// Windows name holds no "?").
TEST(CommandTest, SqlitePathsOfEveryFormOpen) {
  namespace fs = std::filesystem;
  std::string campaign = testing::SqliteFixture("campaign");
  auto expected = RunQuorvane("list " + campaign);
  ASSERT_EQ(expected.status, 0) << expected.output;
  std::string folder = testing::TempDir();
  ASSERT_EQ(folder.front(), '/');
  for (const char* name : {"plain.sqlite", "a?b.sqlite", "a#b.sqlite", "100%.sqlite", "a%20b.db",
                           "?mode=rwc.sqlite3"}) {
    fs::copy_file(campaign, folder + "/" + name);
    for (const std::string& path :
         {folder + "/" + name, "/" + folder + "/" + name, "/" + folder + "//" + name}) {
      auto result = RunQuorvane("list '" + path + "'");
      EXPECT_EQ(result.status, 0) << path << "\n" << result.output;
      EXPECT_EQ(result.output, expected.output) << path;
    }
  }
}
#endif

// Two runs writing into one folder at the same time, round after round: every
// file is whole, equal to the file of one run or of the other, and no
// unfinished file is left.
TEST(CommandTest, ConcurrentRunsIntoOneFolderLeaveWholeFiles) {
  namespace fs = std::filesystem;
  std::string database = testing::SqliteFixture("campaign");
  const std::array<std::string, 2> dates = {"2026-01-01", "2027-12-31"};

  std::array<testing::FileSet, 2> expected;
  for (size_t run = 0; run < 2; ++run) {
    std::string folder = testing::TempDir();
    ASSERT_EQ(
        RunQuorvane("build " + database + " --all --date " + dates[run] + " -o " + folder).status,
        0);
    expected[run] = testing::CompiledFiles(folder, "");
  }
  ASSERT_EQ(expected[0].size(), 42u + 1);  // and the empty transcript
  std::string shared = testing::TempDir();
  for (int round = 0; round < 25; ++round) {
    std::array<testing::CommandResult, 2> results;
    std::thread other([&] {
      results[1] = RunQuorvane("build " + database + " --all --date " + dates[1] + " -o " + shared);
    });
    results[0] = RunQuorvane("build " + database + " --all --date " + dates[0] + " -o " + shared);
    other.join();
    EXPECT_EQ(results[0].status, 0) << results[0].output;
    EXPECT_EQ(results[1].status, 0) << results[1].output;
    testing::FileSet written = testing::CompiledFiles(shared, "");
    for (auto& [name, bytes] : written) {
      EXPECT_TRUE(bytes == expected[0][name] || bytes == expected[1][name])
          << "round " << round << ": " << name << " is neither run's file";
    }
    EXPECT_EQ(written.size(), expected[0].size()) << "round " << round;
  }
}

// Text in a number column of a SQLite twin is read as text, and then the
// compiler's own conversion refuses it, as it would a text from a Jet file;
// it never becomes the number its first digits spell.
TEST(CommandTest, TextInANumberColumnIsATypeMismatch) {
  namespace fs = std::filesystem;
  for (const char* text : {"1 OR 1=1", "garbage"}) {
    std::string folder = testing::TempDir();
    std::string database = folder + "/campaign.sqlite";
    fs::copy_file(testing::SqliteFixture("campaign"), database);
    testing::SqliteDatabase(database,
                            "UPDATE MissionAssignments SET MechID = '" + std::string(text) +
                                "' WHERE rowid = (SELECT min(rowid) FROM MissionAssignments WHERE "
                                "MissionID = 7 AND MechID > 0);");
    auto result = RunQuorvane("fit " + database + " 7 -o " + folder);
    EXPECT_EQ(result.status, 2) << text;
    EXPECT_NE(result.output.find("runtime error: Type mismatch: '" + std::string(text) +
                                 "' is not a number"),
              std::string::npos)
        << result.output;
    EXPECT_FALSE(fs::exists(folder + "/m0007.FIT"));
  }
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
