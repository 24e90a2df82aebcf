#include "compiler/mission_database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "compiler/write_quorvane.h"
#include "run/run_state.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class MissionDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) / "open_test";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(folder_ / "notes.mdb") << "these are not the bytes of a database";
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path folder_;
  RecordingSink sink_;
};

TEST_F(MissionDatabaseTest, ResolvesTheDatabasePath) {
  struct Case {
    std::string path, name, resolved;
  } cases[] = {
      {"/m", "Campaign", "/m/Campaign.MDB"},
      {"/m/", "Campaign", "/m/Campaign.MDB"},
      {"/m", "Campaign.mdb", "/m/Campaign.mdb"},
      {"/m", "Campaign.MDB", "/m/Campaign.MDB"},
      {"/m", "Campaign.Mdb", "/m/Campaign.Mdb.MDB"},
      {"/m", "c.sqlite", "/m/c.sqlite"},
      {"/m", "c.sqlite3", "/m/c.sqlite3"},
      {"/m", "c.db", "/m/c.db"},
      {".", "c.sql", "./c.sql.MDB"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveDatabasePath(c.path, c.name), c.resolved) << c.name;
}

TEST_F(MissionDatabaseTest, RefusesMissingAndUnreadableDatabases) {
  struct Case {
    std::string name;
    std::string message;
  } cases[] = {
      {"Campaign", "Could not find file '" + folder_.string() + "/Campaign.MDB'."},
      {"notes.Mdb", "Could not find file '" + folder_.string() + "/notes.Mdb.MDB'."},
      {"notes.mdb", "Could not open database object '" + folder_.string() + "/notes.mdb'."},
  };
  for (const Case& c : cases) {
    RecordingSink sink;
    RunState run(sink);
    EXPECT_FALSE(OpenMissionDatabase(run, folder_.string(), c.name));
    ASSERT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(sink.messages()[0], (Message{BoxStyle::kCritical, "Error", c.message}));
  }
}

TEST_F(MissionDatabaseTest, ChecksTheOutputFolder) {
  RunState run(sink_);
  EXPECT_TRUE(SetOutputPath(run, folder_.string()));
  EXPECT_EQ(run.output_folder, folder_.string() + "/");
  EXPECT_TRUE(SetOutputPath(run, folder_.string() + "/"));
  EXPECT_EQ(run.output_folder, folder_.string() + "/");
  EXPECT_TRUE(sink_.messages().empty());

  std::string missing = (folder_ / "out").string();
  EXPECT_FALSE(SetOutputPath(run, missing));
  ASSERT_EQ(sink_.messages().size(), 1u);
  EXPECT_EQ(sink_.messages()[0],
            (Message{BoxStyle::kCritical, "Error", "Could not find path '" + missing + "/'."}));
  // A file is not a folder.
  EXPECT_FALSE(SetOutputPath(run, (folder_ / "notes.mdb").string()));
}

TEST_F(MissionDatabaseTest, OperationsStopAtTheFirstRefusedStep) {
  WriteQuorvane compiler(sink_);
  std::string output = (folder_ / "missing").string();
  std::string path = folder_.string();
  std::string name = "Campaign";
  int16_t mission = 1;
  // The database is looked for first; the output folder is not looked at.
  EXPECT_FALSE(compiler.WriteMissionFITFile(output, path, name, mission));
  EXPECT_FALSE(compiler.WriteMissionScript(output, path, name, mission));
  ASSERT_EQ(sink_.messages().size(), 2u);
  EXPECT_EQ(sink_.messages()[0].text, "Could not find file '" + path + "/Campaign.MDB'.");
  EXPECT_FALSE(fs::exists(output));
}

// Compiler objects that share the host's loaded databases read one load of a
// file until the file changes; then the next operation loads it again.
TEST_F(MissionDatabaseTest, SharedDatabasesLoadAgainOnlyWhenTheFileChanges) {
  std::string database = testing::MissionDatabase(testing::MissionRow(1, "m1", "0"));
  std::string folder = fs::path(database).parent_path().string();
  std::string name = fs::path(database).filename().string();
  auto databases = std::make_shared<db::DatabaseCache>();
  auto open = [&](bool shared) {
    RunState run(sink_);
    if (shared) run.databases = databases;
    EXPECT_TRUE(OpenMissionDatabase(run, folder, name));
    return run.database;
  };
  auto missions = [](db::Database& opened) {
    auto records = opened.OpenRecordset("NewMissions");
    if (!records->Eof()) records->MoveLast();
    return records->RecordCount();
  };
  std::shared_ptr<db::Database> first = open(true);
  EXPECT_EQ(open(true), first);
  EXPECT_NE(open(false), first);  // without the cache every operation loads the file
  EXPECT_EQ(missions(*first), 1);

  testing::AddRows(database, testing::MissionRow(2, "m2", "0"));
  fs::last_write_time(database, fs::last_write_time(database) + std::chrono::seconds(2));
  std::shared_ptr<db::Database> changed = open(true);
  EXPECT_NE(changed, first);
  EXPECT_EQ(missions(*changed), 2);
  EXPECT_EQ(missions(*first), 1);  // a record set of the earlier load keeps its rows
  EXPECT_EQ(open(true), changed);

  fs::remove(database);
  RunState gone(sink_);
  gone.databases = databases;
  EXPECT_FALSE(OpenMissionDatabase(gone, folder, name));
  EXPECT_TRUE(sink_.messages().size() == 1u &&
              sink_.messages()[0].text.rfind("Could not find file", 0) == 0);
}

TEST(MakeAblIdentifierTest, FormsIdentifiersOrRefusesLeadingNumbers) {
  struct Case {
    std::string text, result;
    bool refused;
  } cases[] = {
      {"Power Station", "_Power_Station", false},
      {"Gate (North)", "_Gate_North", false},
      {"", "_", false},
      {"0 Alpha", "_0_Alpha", false},
      {"-5 Gate", "_5_Gate", false},
      {"A  B", "_A__B", false},
      {"A:B.C", "_ABC", false},
      {"x&;=%^()-+.!\\/:y", "_xy", false},
      {"12 Gate", "12 Gate", true},
      {"3rd Lance", "3rd Lance", true},
      {"&H1F", "&H1F", true},
      {" 1 2x", " 1 2x", true},
      {"0.0001 x", "0.0001 x", true},
      // Literals up to four hexadecimal digits are 16-bit: &H8000 is negative.
      {"&H7FFF Gate", "&H7FFF Gate", true},
      {"&H8000 Gate", "_H8000_Gate", false},
      {"&HFFFF", "_HFFFF", false},
      {"&O100000 x", "_O100000_x", false},
  };
  for (const Case& c : cases) {
    RecordingSink sink;
    WriteQuorvane compiler(sink);
    std::string text = c.text;
    EXPECT_TRUE(compiler.MakeAblIdentifier(text).IsEmpty());
    EXPECT_EQ(text, c.result) << c.text;
    if (c.refused) {
      ASSERT_EQ(sink.messages().size(), 1u) << c.text;
      EXPECT_EQ(sink.messages()[0],
                (Message{BoxStyle::kCritical, "Error",
                         "ABL Identifier '" + c.text + "' starts with a number."}));
    } else {
      EXPECT_TRUE(sink.messages().empty()) << c.text;
    }
  }
}

}  // namespace
}  // namespace quorvane
