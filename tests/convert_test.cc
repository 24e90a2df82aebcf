// `convert` over every Jet database of the test data: the SQLite twin, and
// the SQL text loaded by the sqlite3 program, hold the same tables, columns
// and rows as the Jet file, and every mission compiled from them gives the
// same files and the same messages.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testing::RunQuorvane;

// Every Jet file of the test data, by its path below tests/data.
std::vector<std::string> JetFixtures() {
  fs::path data = fs::path(testing::FixturePath("campaign.mdb")).parent_path();
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(data)) {
    if (entry.path().extension() == ".mdb")
      names.push_back(fs::relative(entry.path(), data).generic_string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The files a build wrote, with the output folder in their text made neutral.
std::map<std::string, std::string> WrittenFiles(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& [name, state] : testing::FolderState(folder)) {
    std::string bytes = testing::ReadFile(folder + "/" + name);
    for (size_t at = bytes.find(folder); at != std::string::npos; at = bytes.find(folder, at)) {
      bytes.replace(at, folder.size(), "OUTPUT");
    }
    files[name] = bytes;
  }
  return files;
}

void ExpectSameTables(const std::string& twin, const std::string& source) {
  auto names = RunQuorvane("dump " + source);
  ASSERT_EQ(names.status, 0) << names.output;
  EXPECT_EQ(RunQuorvane("dump " + twin).output, names.output);
  for (const std::string& table : Words(names.output)) {
    auto expected = RunQuorvane("dump " + source + " " + table);
    EXPECT_EQ(expected.status, 0) << table;
    EXPECT_TRUE(RunQuorvane("dump " + twin + " " + table).output == expected.output) << table;
  }
}

void ExpectSameMissions(const std::string& twin, const std::string& source) {
  if (RunQuorvane("dump " + source + " NewMissions").status != 0) return;  // not a mission database
  std::string twin_folder = testing::TempDir();
  std::string source_folder = testing::TempDir();
  auto from_twin = RunQuorvane("build " + twin + " --all --date 2026-01-01 -o " + twin_folder);
  auto from_source =
      RunQuorvane("build " + source + " --all --date 2026-01-01 -o " + source_folder);
  EXPECT_EQ(from_twin.status, from_source.status);
  EXPECT_EQ(from_twin.output, from_source.output);
  auto written = WrittenFiles(source_folder);
  EXPECT_FALSE(written.empty());
  EXPECT_TRUE(WrittenFiles(twin_folder) == written);
}

class ConvertTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ConvertTest, TwinHoldsTheSameTablesAndCompilesTheSame) {
  std::string source = testing::FixturePath(GetParam());
  std::string folder = testing::TempDir();
  std::string twin = folder + "/twin.sqlite";
  auto converted = RunQuorvane("convert " + source + " " + twin);
  ASSERT_EQ(converted.status, 0) << converted.output;
  EXPECT_EQ(converted.output, "");
  ExpectSameTables(twin, source);
  ExpectSameMissions(twin, source);
}

TEST_P(ConvertTest, SqlTextLoadedBySqliteHoldsTheSameTables) {
  std::string sqlite3 = testing::FindOnPath("sqlite3");
  if (sqlite3.empty()) GTEST_SKIP() << "no sqlite3 program";
  std::string source = testing::FixturePath(GetParam());
  std::string folder = testing::TempDir();
  ASSERT_EQ(RunQuorvane("convert " + source + " " + folder + "/twin.sql").status, 0);
  std::string twin = folder + "/loaded.db";
  auto loaded = testing::RunCommand(sqlite3 + " " + twin + " < " + folder + "/twin.sql 2>&1");
  ASSERT_EQ(loaded.status, 0) << loaded.output;
  ExpectSameTables(twin, source);
  ExpectSameMissions(twin, source);
}

INSTANTIATE_TEST_SUITE_P(JetFiles, ConvertTest, ::testing::ValuesIn(JetFixtures()),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

// An existing target is kept unless --force is given; then a SQLite database
// or .sql text is replaced.
TEST(ConvertTargetTest, RefusesToOverwriteWithoutForce) {
  std::string source = testing::FixturePath("campaign.mdb");
  for (const std::string name : {"kept.sqlite", "kept.sql"}) {
    std::string target = testing::TempDir() + "/" + name;
    if (name.ends_with(".sql")) {
      testing::WriteFile(target, "earlier\n");
    } else {
      testing::SqliteDatabase(target, "CREATE TABLE Earlier (x);");
    }
    std::string earlier = testing::ReadFile(target);
    auto refused = RunQuorvane("convert " + source + " " + target);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.output,
              "quorvane: error: '" + target + "' exists; add --force to replace it\n");
    EXPECT_EQ(testing::ReadFile(target), earlier);
    EXPECT_EQ(RunQuorvane("convert " + source + " " + target + " --force").status, 0);
    if (name.ends_with(".sql")) {
      EXPECT_TRUE(testing::ReadFile(target).starts_with("BEGIN TRANSACTION;\nCREATE TABLE "));
    } else {
      EXPECT_EQ(RunQuorvane("dump " + target + " NewMissions").status, 0);
    }
    EXPECT_EQ(fs::directory_iterator(fs::path(target).parent_path())->path(), target)
        << "only the target is left in its folder";
  }
}

// Targets that --force never replaces: the source itself, by any name that
// reaches it, and files a conversion does not make (a Jet database above all,
// with the designer's queries, forms and macros). Each stays byte for byte.
TEST(ConvertTargetTest, NeverReplacesItsSourceOrADesignersFile) {
  struct Case {
    const char* what;
    std::string target;  // relative to the folder; the source is "campaign.mdb"
    const char* refusal;
  };
  const std::string kSource = "' is the source database; convert never writes over its source\n";
  const std::string kJet =
      "' is a Jet database, not a SQLite database or .sql text; convert --force replaces only "
      "those it makes\n";
  const std::vector<Case> cases = {
      {"the same path", "campaign.mdb", kSource.c_str()},
      {"a symbolic link to it", "link.mdb", kSource.c_str()},
      {"a path through a folder and back", "sub/../campaign.mdb", kSource.c_str()},
      {"a hard link to it", "hard.sqlite", kSource.c_str()},
      {"another Jet file", "other.mdb", kJet.c_str()},
      {"a Jet file named .sql", "jet.sql", kJet.c_str()},
      {"a text named .sqlite", "notes.sqlite",
       "' is not a SQLite database or .sql text; convert --force replaces only those it "
       "makes\n"},
  };
  for (const Case& c : cases) {
#ifdef _WIN32
    // Symbolic links need privileges there.
    if (std::string_view(c.target) == "link.mdb") continue;
#endif
    std::string folder = testing::TempDir();
    fs::create_directory(folder + "/sub");
    std::string source = folder + "/campaign.mdb";
    fs::copy_file(testing::FixturePath("campaign.mdb"), source);
#ifndef _WIN32
    fs::create_symlink(source, folder + "/link.mdb");
#endif
    fs::create_hard_link(source, folder + "/hard.sqlite");
    fs::copy_file(source, folder + "/other.mdb");
    fs::copy_file(source, folder + "/jet.sql");
    testing::WriteFile(folder + "/notes.sqlite", "my notes\n");
    auto before = testing::FolderState(folder);
    std::string target = folder + "/" + c.target;
    auto refused = RunQuorvane("convert " + source + " " + target + " --force");
    EXPECT_EQ(refused.status, 1) << c.what;
    EXPECT_EQ(refused.output, "quorvane: error: '" + target + c.refusal) << c.what;
    EXPECT_TRUE(testing::FolderState(folder) == before) << c.what;
  }
}

}  // namespace
}  // namespace quorvane
