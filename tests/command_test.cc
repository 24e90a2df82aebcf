// Runs the built quorvane command and checks its exit statuses and messages.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "support/command.h"
#include "support/fixtures.h"

namespace {

using Result = quorvane::testing::CommandResult;

// Standard output and standard error together.
Result RunQuorvane(const std::string& arguments) {
  return quorvane::testing::RunCommand(std::string(QUORVANE_BINARY) + " " + arguments + " 2>&1");
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

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
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
      std::string bytes = ReadFile(fs::path(output) / name);
      std::string folder = output + "/";
      for (size_t at = bytes.find(folder); at != std::string::npos; at = bytes.find(folder, at)) {
        bytes.replace(at, folder.size(), "OUTPUT/");
      }
      EXPECT_TRUE(bytes == ReadFile(expected.path())) << name;
      ++compared;
    }
  }
  EXPECT_GE(compared, 40u);
}

}  // namespace
