#include "compiler/mission_database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "compiler/write_quorvane.h"
#include "run/run_state.h"
#include "support/files.h"
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
    std::string path, name, file;  // the file the database is looked for in `path`
  } cases[] = {
      {"/m", "Campaign", "Campaign.MDB"},
      {"/m/", "Campaign", "Campaign.MDB"},
      {"/m", "Campaign.mdb", "Campaign.mdb"},
      {"/m", "Campaign.MDB", "Campaign.MDB"},
      {"/m", "Campaign.Mdb", "Campaign.Mdb.MDB"},
      {"/m", "c.sqlite", "c.sqlite"},
      {"/m", "c.sqlite3", "c.sqlite3"},
      {"/m", "c.db", "c.db"},
      {".", "c.sql", "c.sql.MDB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveDatabasePath(c.path, c.name), testing::InFolder(c.path, c.file)) << c.name;
  }
}

TEST_F(MissionDatabaseTest, RefusesMissingAndUnreadableDatabases) {
  struct Case {
    std::string name;
    std::string message;
  } cases[] = {
      {"Campaign",
       "Could not find file '" + testing::InFolder(folder_.string(), "Campaign.MDB") + "'."},
      {"notes.Mdb",
       "Could not find file '" + testing::InFolder(folder_.string(), "notes.Mdb.MDB") + "'."},
      {"notes.mdb", "Could not open database object '" +
                        testing::InFolder(folder_.string(), "notes.mdb") + "'."},
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
  const std::string with_separator = testing::InFolder(folder_.string(), "");
  EXPECT_TRUE(SetOutputPath(run, folder_.string()));
  EXPECT_EQ(run.output_folder, with_separator);
  EXPECT_TRUE(SetOutputPath(run, with_separator));
  EXPECT_EQ(run.output_folder, with_separator);
  EXPECT_TRUE(sink_.messages().empty());

  std::string missing = (folder_ / "out").string();
  EXPECT_FALSE(SetOutputPath(run, missing));
  ASSERT_EQ(sink_.messages().size(), 1u);
  EXPECT_EQ(sink_.messages()[0],
            (Message{BoxStyle::kCritical, "Error",
                     "Could not find path '" + testing::InFolder(missing, "") + "'."}));
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
  EXPECT_EQ(sink_.messages()[0].text,
            "Could not find file '" + testing::InFolder(path, "Campaign.MDB") + "'.");
  EXPECT_FALSE(fs::exists(output));
}

// Opens a database through a run state, with the host's loaded databases
// when `databases` is given.
std::shared_ptr<db::Database> OpenShared(MessageSink& sink, const std::string& database,
                                         std::shared_ptr<db::DatabaseCache> databases) {
  RunState run(sink);
  run.databases = std::move(databases);
  EXPECT_TRUE(OpenMissionDatabase(run, fs::path(database).parent_path().string(),
                                  fs::path(database).filename().string()));
  return run.database;
}

// The NewMissions rows as "MissionID:MissionFileName" words.
std::string MissionList(db::Database& opened) {
  std::string list;
  for (auto records = opened.OpenRecordset("NewMissions"); !records->Eof(); records->MoveNext()) {
    list += (list.empty() ? "" : " ") + JoinedForm(records->Field("MissionID")) + ":" +
            JoinedForm(records->Field("MissionFileName"));
  }
  return list;
}

// Compiler objects that share the host's loaded databases read one load of a
// file until the file changes; then the next operation loads it again.
TEST_F(MissionDatabaseTest, SharedDatabasesLoadAgainOnlyWhenTheFileChanges) {
  std::string database = testing::MissionDatabase(testing::MissionRow(1, "m1", "0"));
  auto databases = std::make_shared<db::DatabaseCache>();
  std::shared_ptr<db::Database> first = OpenShared(sink_, database, databases);
  EXPECT_EQ(OpenShared(sink_, database, databases), first);
  // Without the cache every operation loads the file.
  EXPECT_NE(OpenShared(sink_, database, nullptr), first);
  EXPECT_EQ(MissionList(*first), "1:m1");

  testing::AddRows(database, testing::MissionRow(2, "m2", "0"));
  fs::last_write_time(database, fs::last_write_time(database) + std::chrono::seconds(2));
  std::shared_ptr<db::Database> changed = OpenShared(sink_, database, databases);
  EXPECT_NE(changed, first);
  EXPECT_EQ(MissionList(*changed), "1:m1 2:m2");
  EXPECT_EQ(MissionList(*first), "1:m1");  // the earlier load keeps its rows
  EXPECT_EQ(OpenShared(sink_, database, databases), changed);

#ifndef _WIN32  // Windows removes no file that a loaded database holds open
  fs::remove(database);
  RunState gone(sink_);
  gone.databases = databases;
  EXPECT_FALSE(OpenMissionDatabase(gone, fs::path(database).parent_path().string(),
                                   fs::path(database).filename().string()));
  EXPECT_TRUE(sink_.messages().size() == 1u &&
              sink_.messages()[0].text.rfind("Could not find file", 0) == 0);
#endif
}

// A file rewritten in place is loaded again even when its modification time
// tells little: a different size with the very same time (a rewrite within
// the clock's second), or the same size with a time later by a fraction of
// a second.
TEST_F(MissionDatabaseTest, SharedDatabasesNoticeRewritesWithinOneSecond) {
  using std::chrono::milliseconds;
  const struct {
    const char* name;
    std::string rewrite;
    milliseconds later;
    bool same_size;
    const char* missions;
  } kCases[] = {
      {"a longer file at the same time",
       testing::MissionRow(2, "m2", "0", "'" + std::string(6000, 'x') + "'"), milliseconds(0),
       false, "1:m1 2:m2"},
      {"a file of the same size later within the second",
       "UPDATE NewMissions SET MissionFileName = 'm9';", milliseconds(400), true, "1:m9"},
  };
  for (const auto& c : kCases) {
    std::string database = testing::MissionDatabase(testing::MissionRow(1, "m1", "0"));
    const int64_t second = std::time(nullptr);
    const auto nanoseconds = [](milliseconds time) { return int64_t{time.count()} * 1000000; };
    ASSERT_TRUE(testing::SetModifiedTime(database, second, nanoseconds(milliseconds(100))));
    auto databases = std::make_shared<db::DatabaseCache>();
    std::shared_ptr<db::Database> first = OpenShared(sink_, database, databases);
    ASSERT_EQ(MissionList(*first), "1:m1") << c.name;
    const auto size = fs::file_size(database);

    testing::AddRows(database, c.rewrite);
    ASSERT_TRUE(
        testing::SetModifiedTime(database, second, nanoseconds(milliseconds(100) + c.later)));
    ASSERT_EQ(fs::file_size(database) == size, c.same_size) << c.name;
    std::shared_ptr<db::Database> rewritten = OpenShared(sink_, database, databases);
    EXPECT_NE(rewritten, first) << c.name;
    EXPECT_EQ(MissionList(*rewritten), c.missions) << c.name;
  }
  EXPECT_TRUE(sink_.messages().empty());
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
