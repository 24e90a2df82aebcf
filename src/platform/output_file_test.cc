#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <chrono>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/file_calls.h"
#include "platform/line.h"
#include "platform/runtime_error.h"
#include "platform/windows1252.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

TEST(LineTest, ColumnStopStartsTheItemInItsColumn) {
  EXPECT_EQ(Line::At(1, "x").text(), "x");
  EXPECT_EQ(Line::At(6, "Var").text(), "     Var");
  EXPECT_EQ((Line("     static boolean").Tab(40) << "Flag;").text(),
            "     static boolean" + std::string(20, ' ') + "Flag;");
  // A line already past the stop is ended; the item starts on the next line.
  std::string long_type = "     " + std::string(40, 't');
  EXPECT_EQ((Line(long_type).Tab(40) << "x;").text(),
            long_type + "\r\n" + std::string(39, ' ') + "x;");
  // Exactly at the stop: nothing is added.
  EXPECT_EQ((Line(std::string(39, 'a')).Tab(40) << "b").text(), std::string(39, 'a') + "b");
  // Characters, not bytes, are counted.
  EXPECT_EQ((Line("é").Tab(3) << "x").text(), "é x");
}

TEST(OutputFileTest, WritesCrLfLinesAndReplacesOldFiles) {
  std::string path = testing::TempDir() + "/output_file_test.txt";
  { std::ofstream(path) << "old content that is longer"; }
  OutputFile file;
  file.Create(path);
  file.WriteLine("FITini");
  file.WriteLine();
  file.WriteLine(Line::At(12, "é"));
  file.Close();
  EXPECT_EQ(testing::ReadFile(path), "FITini\r\n\r\n           \xE9\r\n");
  EXPECT_THROW(file.WriteLine("x"), RuntimeError);
  EXPECT_THROW(file.Create(testing::TempDir() + "/no/such/folder/x.txt"), RuntimeError);
  std::filesystem::remove(path);
}

// Lines go to the file in blocks: every line arrives, in order, across block
// ends, and a file still open when its object ends keeps them all.
TEST(OutputFileTest, KeepsEveryLineAcrossBlocks) {
  std::string path = testing::TempDir() + "quorvane_output_blocks_test.txt";
  std::string expected;
  {
    OutputFile file;
    file.Create(path);
    for (int i = 0; i < 20000; ++i) {
      std::string line = "l Line" + std::to_string(i) + " = é";
      file.WriteLine(line);
      expected += ToWindows1252(line) + "\r\n";
    }
  }
  EXPECT_EQ(testing::ReadFile(path), expected);
  std::filesystem::remove(path);
}

// The names in a folder.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// While a file is written it is a hidden temporary file beside its name, and
// the old file stays as it was; closing puts the new one in its place.
TEST(OutputFileTest, WritesUnderATemporaryNameUntilClosed) {
  std::string folder = testing::TempDir();
  const std::string long_name = std::string(251, 'n') + ".FIT";  // the longest a name can be
  for (const std::string& name : {std::string("m0007.FIT"), long_name}) {
    std::string path = folder + "/" + name;
    testing::WriteFile(path, "old\r\n");
    OutputFile file;
    file.Create(path);
    file.WriteLine("new");
    std::vector<std::string> names = Names(folder);
    ASSERT_EQ(names.size(), 2u) << name;
    std::string temporary = names[0];
    EXPECT_EQ(temporary.rfind("." + name.substr(0, 200), 0), 0u) << temporary;
    EXPECT_NE(temporary.find(kUnfinishedMark), std::string::npos) << temporary;
    EXPECT_EQ(testing::ReadFile(path), "old\r\n");
    file.Close();
    EXPECT_EQ(Names(folder), std::vector<std::string>{name});
    EXPECT_EQ(testing::ReadFile(path), "new\r\n");
    std::filesystem::remove(path);
  }
}

// Names the system could not take as they are are refused at once, before
// any file is made.
TEST(OutputFileTest, RefusesANulInTheNameAndAFolderAtTheName) {
  std::string folder = testing::TempDir();
  std::filesystem::create_directory(folder + "/taken.FIT");
  OutputFile file;
  EXPECT_THROW(file.Create(folder + "/ab" + std::string(1, '\0') + "cd.FIT"), RuntimeError);
  EXPECT_THROW(file.Create(folder + "/taken.FIT"), RuntimeError);
  EXPECT_EQ(Names(folder), std::vector<std::string>{"taken.FIT"});
}

// The journal lists the files created since it was cleared, and those that
// were still open when CloseAll closed them: the unfinished ones.
TEST(OutputFileTest, FilesKeepAJournalOfCreatedAndUnfinishedFiles) {
  std::string folder = testing::TempDir() + "/";
  OutputFiles files;
  files[FileRole::kMain].Create(folder + "old.FIT");
  files.ClearJournal();
  files[FileRole::kVariables].Create(folder + "m_VAR.ABI");
  files[FileRole::kMain].Create(folder + "m.ABL");
  files[FileRole::kMain].Close();
  files[FileRole::kMain].Create(folder + "m_LOP.ABI");
  files.CloseAll();
  EXPECT_EQ(files.created(), (std::vector<std::string>{folder + "m_VAR.ABI", folder + "m.ABL",
                                                       folder + "m_LOP.ABI"}));
  EXPECT_EQ(files.left_open(),
            (std::vector<std::string>{folder + "m_LOP.ABI", folder + "m_VAR.ABI"}));
  files.ClearJournal();
  EXPECT_TRUE(files.created().empty());
  EXPECT_TRUE(files.left_open().empty());
}

// Temporaries a killed run left behind go when a later run writes into their
// folder: one is abandoned when no process holds its lock and it has not
// changed for a minute. One still being written (locked) or just made stays.
TEST(OutputFileTest, LaterRunRemovesAbandonedTemporaries) {
  namespace fs = std::filesystem;
  std::string folder = testing::TempDir();
  auto old_file = [&](const std::string& name) {
    std::string path = testing::WriteFile(folder + "/" + name, "partial\r\n");
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
    return path;
  };
  old_file(".m1.FIT.unfinished-abc123");
  old_file(".m1.ABL.unfinished-def456");
  old_file(".settings");  // not a temporary
  testing::WriteFile(folder + "/.m2.FIT.unfinished-fresh1", "partial\r\n");
  // A run still writing holds the lock on its temporary.
  std::string busy = folder + "/.m3.FIT.unfinished-busy12";
  int held = files::CreateLocked(busy);
  ASSERT_GE(held, 0);
#ifndef _WIN32
  // (Windows lets nobody else change the times of a file held this way;
  // FileCallsTest checks the lock alone there.)
  fs::last_write_time(files::NativePath(busy),
                      fs::file_time_type::clock::now() - std::chrono::hours(1));
#endif
  OutputFile file;
  file.Create(folder + "/m9.FIT");
  file.Close();
  files::CloseFile(held);
  EXPECT_EQ(Names(folder),
            (std::vector<std::string>{".m2.FIT.unfinished-fresh1", ".m3.FIT.unfinished-busy12",
                                      ".settings", "m9.FIT"}));
}

}  // namespace
}  // namespace quorvane
