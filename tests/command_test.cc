// Runs the built quorvane command and checks its exit statuses and messages.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace {

using Result = quorvane::testing::CommandResult;
using quorvane::testing::RunQuorvane;

// An output file's bytes with its folder (which the lookout include names)
// written as OUTPUT/.
std::string ReadOutputFile(const std::filesystem::path& path) {
  std::string bytes = quorvane::testing::ReadFile(path.string());
  std::string folder = path.parent_path().string() + "/";
  for (size_t at = bytes.find(folder); at != std::string::npos; at = bytes.find(folder, at)) {
    bytes.replace(at, folder.size(), "OUTPUT/");
  }
  return bytes;
}

TEST(CommandTest, UsageErrorsExitWith64) {
  for (const char* arguments : {"", "compile x.mdb 1", "fit", "fit x.mdb", "fit x.mdb 40000",
                                "fit x.mdb one", "build x.mdb", "build x.mdb 1 --all",
                                "fit x.mdb 1 --date 12/06/2026", "list", "identifier"}) {
    Result result = RunQuorvane(arguments);
    EXPECT_EQ(result.status, 64) << arguments << "\n" << result.output;
  }
}

TEST(CommandTest, HelpAndVersionSucceed) {
  for (const char* arguments :
       {"--help", "--version", "fit --help", "script --help", "build --help", "list --help",
        "identifier --help", "dump --help"}) {
    Result result = RunQuorvane(arguments);
    EXPECT_EQ(result.status, 0) << arguments << "\n" << result.output;
    EXPECT_FALSE(result.output.empty()) << arguments;
  }
}

TEST(CommandTest, MissingDatabaseIsReportedWithStatus1) {
  std::string folder = testing::TempDir();
  Result result = RunQuorvane("fit " + folder + "no_such_campaign 7 -o " + folder);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output,
            "quorvane: error: Could not find file '" + folder + "no_such_campaign.MDB'.\n");

  result = RunQuorvane("script no_such_campaign.mdb 7");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, "quorvane: error: Could not find file './no_such_campaign.mdb'.\n");
}

// A named pipe, a device or a folder given as the database is refused at once
// (opening a pipe must not wait for a writer), with the reason as a note.
TEST(CommandTest, SpecialFilesAsDatabaseAreRefusedWithTheReason) {
  namespace fs = std::filesystem;
  std::string folder = quorvane::testing::TempDir() + "/";
  ASSERT_EQ(mkfifo((folder + "pipe.mdb").c_str(), 0600), 0);
  fs::create_directory(folder + "folder.sqlite");
  fs::create_symlink("/dev/null", folder + "device.mdb");
  const std::pair<const char*, const char*> kCases[] = {
      {"pipe.mdb", "a named pipe"}, {"folder.sqlite", "a folder"}, {"device.mdb", "a device"}};
  for (const auto& [name, kind] : kCases) {
    std::string path = folder + name;
    Result result = RunQuorvane("fit " + path + " 7 -o " + folder);
    EXPECT_EQ(result.status, 1) << name;
    // The message, then the reason as a note.
    size_t message = result.output.find("error: Could not open database object '" + path + "'.\n");
    size_t note = result.output.find("note: '" + path + "' is " + kind + ", not a database file\n");
    EXPECT_NE(message, std::string::npos) << result.output;
    EXPECT_NE(note, std::string::npos) << result.output;
    EXPECT_LT(message, note);
    result = RunQuorvane("list " + path);
    EXPECT_EQ(result.status, 2) << name;
    EXPECT_NE(result.output.find(kind), std::string::npos) << result.output;
  }
}

// A SQLite database opens by any path that names it: with a leading "//", and
// with the characters that file URIs reserve in its name.
TEST(CommandTest, SqlitePathsOfEveryFormOpen) {
  namespace fs = std::filesystem;
  std::string campaign = quorvane::testing::SqliteFixture("campaign");
  Result expected = RunQuorvane("list " + campaign);
  ASSERT_EQ(expected.status, 0) << expected.output;
  std::string folder = quorvane::testing::TempDir();
  ASSERT_EQ(folder.front(), '/');
  for (const char* name : {"plain.sqlite", "a?b.sqlite", "a#b.sqlite", "100%.sqlite", "a%20b.db",
                           "?mode=rwc.sqlite3"}) {
    fs::copy_file(campaign, folder + "/" + name);
    for (const std::string& path :
         {folder + "/" + name, "/" + folder + "/" + name, "/" + folder + "//" + name}) {
      Result result = RunQuorvane("list '" + path + "'");
      EXPECT_EQ(result.status, 0) << path << "\n" << result.output;
      EXPECT_EQ(result.output, expected.output) << path;
    }
  }
}

// Two runs writing into one folder at the same time, round after round: every
// file is whole, equal to the file of one run or of the other, and no
// unfinished file is left.
TEST(CommandTest, ConcurrentRunsIntoOneFolderLeaveWholeFiles) {
  namespace fs = std::filesystem;
  std::string database = quorvane::testing::SqliteFixture("campaign");
  const std::array<std::string, 2> dates = {"2026-01-01", "2027-12-31"};

  std::array<std::map<std::string, std::string>, 2> expected;
  for (size_t run = 0; run < 2; ++run) {
    std::string folder = quorvane::testing::TempDir();
    ASSERT_EQ(
        RunQuorvane("build " + database + " --all --date " + dates[run] + " -o " + folder).status,
        0);
    for (const auto& entry : fs::directory_iterator(folder)) {
      expected[run][entry.path().filename().string()] = ReadOutputFile(entry.path());
    }
  }
  ASSERT_EQ(expected[0].size(), 42u);
  std::string shared = quorvane::testing::TempDir();
  for (int round = 0; round < 25; ++round) {
    std::array<Result, 2> results;
    std::thread other([&] {
      results[1] = RunQuorvane("build " + database + " --all --date " + dates[1] + " -o " + shared);
    });
    results[0] = RunQuorvane("build " + database + " --all --date " + dates[0] + " -o " + shared);
    other.join();
    EXPECT_EQ(results[0].status, 0) << results[0].output;
    EXPECT_EQ(results[1].status, 0) << results[1].output;
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(shared)) {
      std::string name = entry.path().filename().string();
      std::string bytes = ReadOutputFile(entry.path());
      EXPECT_TRUE(bytes == expected[0][name] || bytes == expected[1][name])
          << "round " << round << ": " << name << " is neither run's file";
      ++files;
    }
    EXPECT_EQ(files, expected[0].size()) << "round " << round;
  }
}

// Text in a number column of a SQLite twin is read as text, and then the
// compiler's own conversion refuses it, as it would a text from a Jet file;
// it never becomes the number its first digits spell.
TEST(CommandTest, TextInANumberColumnIsATypeMismatch) {
  namespace fs = std::filesystem;
  for (const char* text : {"1 OR 1=1", "garbage"}) {
    std::string folder = quorvane::testing::TempDir();
    std::string database = folder + "/campaign.sqlite";
    fs::copy_file(quorvane::testing::SqliteFixture("campaign"), database);
    quorvane::testing::SqliteDatabase(
        database, "UPDATE MissionAssignments SET MechID = '" + std::string(text) +
                      "' WHERE rowid = (SELECT min(rowid) FROM MissionAssignments WHERE "
                      "MissionID = 7 AND MechID > 0);");
    Result result = RunQuorvane("fit " + database + " 7 -o " + folder);
    EXPECT_EQ(result.status, 2) << text;
    EXPECT_NE(result.output.find("runtime error: Type mismatch: '" + std::string(text) +
                                 "' is not a number"),
              std::string::npos)
        << result.output;
    EXPECT_FALSE(fs::exists(folder + "/m0007.FIT"));
  }
}

TEST(CommandTest, IdentifierPrintsOrRefuses) {
  Result result = RunQuorvane("identifier 'Gate (North)'");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "_Gate_North\n");
  result = RunQuorvane("identifier '3rd Gate'");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, "quorvane: error: ABL Identifier '3rd Gate' starts with a number.\n");
}

// The table blocks of types.tsv: table name -> its lines.
std::map<std::string, std::string> ExpectedTables() {
  std::ifstream in(quorvane::testing::FixturePath("types.tsv"));
  std::map<std::string, std::string> tables;
  std::string line;
  std::string table;
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) table = line.substr(3, line.find('\t') - 3);
    if (!table.empty()) tables[table] += line + "\n";
  }
  return tables;
}

TEST(CommandTest, DumpMatchesTheExpectedValues) {
  std::map<std::string, std::string> tables = ExpectedTables();
  ASSERT_EQ(tables.size(), 11u);
  for (const std::string& database :
       {quorvane::testing::SqliteFixture("types"), quorvane::testing::FixturePath("types.mdb")}) {
    Result names = RunQuorvane("dump " + database);
    EXPECT_EQ(names.status, 0) << names.output;
    for (const auto& [table, expected] : tables) {
      EXPECT_NE(names.output.find(table + "\n"), std::string::npos) << table;
      Result result = RunQuorvane("dump " + database + " " + table);
      EXPECT_EQ(result.status, 0) << database << " " << table;
      EXPECT_EQ(result.output, expected) << database << " " << table;
    }
  }
}

// `build --all` writes every mission of the campaign exactly as the reviewed
// files show each mission compiled on its own.
TEST(CommandTest, BuildAllWritesTheExpectedFilesOfEveryMission) {
  namespace fs = std::filesystem;
  std::string output = quorvane::testing::TempDir();
  Result result = RunQuorvane("build " + quorvane::testing::SqliteFixture("campaign") +
                              " --all --date 2026-01-01 -o " + output);
  EXPECT_EQ(result.status, 0) << result.output;
  fs::path golden = fs::path(QUORVANE_SOURCE_DIR) / "tests" / "golden" / "campaign";
  size_t compared = 0;
  for (const auto& mission : fs::directory_iterator(golden)) {
    for (const auto& expected : fs::directory_iterator(mission.path())) {
      std::string name = expected.path().filename().string();
      if (name == "messages.txt") continue;
      std::string bytes = ReadOutputFile(fs::path(output) / name);
      EXPECT_TRUE(bytes == quorvane::testing::ReadFile(expected.path().string())) << name;
      ++compared;
    }
  }
  EXPECT_GE(compared, 40u);
}

}  // namespace
