// Output stays inside the output folder: mission file names that would leave
// it are refused by both operations before any file is created.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "compiler/write_quorvane.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadLines;
using testing::SqliteDatabase;
using testing::SqliteFixture;
using testing::TempDir;

constexpr int16_t kMission = 7;

// A copy of the campaign database in `folder` whose mission 7 has the file
// name given by the SQL expression `name_sql`.
std::string CampaignWithFileName(const std::string& folder, const std::string& name_sql) {
  std::string path = folder + "/campaign.sqlite";
  fs::copy_file(SqliteFixture("campaign"), path, fs::copy_options::overwrite_existing);
  return SqliteDatabase(path, "UPDATE NewMissions SET MissionFileName = " + name_sql +
                                  " WHERE MissionID = " + std::to_string(kMission) + ";");
}

// Every file and folder under `root`, relative to it.
std::vector<std::string> Tree(const std::string& root) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    entries.push_back(fs::relative(entry.path(), root).string());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

struct Outcome {
  bool result;
  std::vector<Message> messages;
};

// Runs one operation (the FIT file or the script) on mission 7.
Outcome RunOperation(bool fit, const std::string& output, const std::string& database) {
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  std::string out = output;
  std::string folder = fs::path(database).parent_path().string();
  std::string name = fs::path(database).filename().string();
  int16_t mission = kMission;
  bool result = fit ? compiler.WriteMissionFITFile(out, folder, name, mission)
                    : compiler.WriteMissionScript(out, folder, name, mission);
  return {result, sink.messages()};
}

TEST(OutputFolderTest, NamesThatLeaveTheFolderAreRefusedAndNothingIsCreated) {
  std::string root = TempDir();
  struct Case {
    std::string sql;   // the MissionFileName as SQL
    std::string name;  // as the message shows it
  };
  const std::vector<Case> cases = {
      {"'../x'", "../x"},
      {"'" + root + "/abs'", root + "/abs"},
      {"'a/../../x'", "a/../../x"},
      {"'..'", ".."},
      {"'../escaped.abl'", "../escaped.abl"},
      {"'sub/..'", "sub/.."},
      {"'ab' || char(0) || 'cd'", std::string("ab\0cd", 5)},
  };
  for (const Case& c : cases) {
    for (bool fit : {true, false}) {
      std::string folder = TempDir();
      fs::create_directories(folder + "/out/a/sub");
      std::string database = CampaignWithFileName(folder, c.sql);
      std::vector<std::string> before = Tree(folder);
      Outcome outcome = RunOperation(fit, folder + "/out", database);
      EXPECT_FALSE(outcome.result) << c.name;
      ASSERT_FALSE(outcome.messages.empty()) << c.name;
      EXPECT_EQ(outcome.messages.back(),
                (Message{BoxStyle::kCritical, "Error",
                         "Mission file name '" + c.name +
                             "' is not a file name inside the output folder."}))
          << c.name;
      EXPECT_EQ(Tree(folder), before) << c.name << (fit ? " (FIT)" : " (script)");
    }
  }
  EXPECT_TRUE(Tree(root).empty());
}

// Subfolders of the output folder are names like any other.
TEST(OutputFolderTest, NamesInSubfoldersAreWrittenThere) {
  std::string folder = TempDir();
  fs::create_directories(folder + "/out/maps/a");
  std::string database = CampaignWithFileName(folder, "'maps/a/m7'");
  EXPECT_TRUE(RunOperation(true, folder + "/out", database).result);
  EXPECT_TRUE(RunOperation(false, folder + "/out", database).result);
  EXPECT_EQ(Tree(folder + "/out/maps/a"),
            (std::vector<std::string>{"m7.ABL", "m7.FIT", "m7_INIT.ABI", "m7_LOP.ABI",
                                      "m7_MP.ABI", "m7_STR.ABI", "m7_VAR.ABI"}));
}

// An empty output path is the current folder.
TEST(OutputFolderTest, EmptyOutputPathIsTheCurrentFolder) {
  std::string folder = TempDir();
  fs::create_directories(folder + "/cwd");
  std::string database = CampaignWithFileName(folder, "'m7'");
  fs::path previous = fs::current_path();
  fs::current_path(folder + "/cwd");
  Outcome fit = RunOperation(true, "", database);
  Outcome script = RunOperation(false, "", database);
  fs::current_path(previous);
  EXPECT_TRUE(fit.result);
  EXPECT_TRUE(script.result);
  EXPECT_EQ(Tree(folder + "/cwd"),
            (std::vector<std::string>{"m7.ABL", "m7.FIT", "m7_INIT.ABI", "m7_LOP.ABI", "m7_MP.ABI",
                                      "m7_STR.ABI", "m7_VAR.ABI"}));
  EXPECT_EQ(ReadLines(folder + "/cwd/m7.FIT").back(), "FITend");
}

}  // namespace
}  // namespace quorvane
