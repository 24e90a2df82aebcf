#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/line.h"
#include "platform/runtime_error.h"
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

}  // namespace
}  // namespace quorvane
