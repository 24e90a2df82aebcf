#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/line.h"
#include "platform/runtime_error.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

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
  EXPECT_EQ(ReadBytes(path), "FITini\r\n\r\n           \xE9\r\n");
  EXPECT_THROW(file.WriteLine("x"), RuntimeError);
  EXPECT_THROW(file.Create(testing::TempDir() + "/no/such/folder/x.txt"), RuntimeError);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace quorvane
