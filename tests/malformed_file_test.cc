// Files that are not sound mission databases: each fails to open with
// OpenError, or opens and then reads or fails with RuntimeError. None may
// crash; run these under AddressSanitizer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "database/database.h"
#include "forms/tsv_form.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

namespace fs = std::filesystem;
using quorvane::testing::FixturePath;
using quorvane::testing::ReadFile;
using quorvane::testing::SqliteFixture;
using quorvane::testing::TempDir;
using quorvane::testing::WriteFile;

// Opens the file and reads every table. True when it opened.
bool OpenAndReadAll(const std::string& path) {
  std::unique_ptr<Database> database;
  try {
    database = OpenDatabase(path);
  } catch (const OpenError&) {
    return false;
  }
  for (const auto& table : database->TableNames()) {
    try {
      std::ostringstream out;
      WriteTableTsv(*database, table, out);
      auto records = database->OpenRecordset("SELECT * FROM [" + table + "] ORDER BY [" +
                                             database->ColumnNames(table).at(0) + "] DESC");
      records->MoveLast();
    } catch (const RuntimeError&) {
      // A damaged table may fail to read; that is a clear error, not a crash.
    }
  }
  return true;
}

class DamagedCopyTest : public ::testing::TestWithParam<std::string> {
 protected:
  std::string Seed() {
    const std::string& name = GetParam();
    return ReadFile(name == "types.sqlite" ? SqliteFixture("types") : FixturePath(name));
  }
  bool IsJet() const { return GetParam().ends_with(".mdb"); }
};

TEST_P(DamagedCopyTest, TruncatedCopiesFailToOpen) {
  std::string seed = Seed();
  std::string dir = TempDir();
  size_t page = 4096;
  for (size_t size : {size_t{0}, size_t{1}, size_t{16}, size_t{0x15}, size_t{100}, size_t{2048},
                      page, 3 * page, seed.size() / 2, seed.size() - page, seed.size() - 1}) {
    std::string bytes = seed.substr(0, size);
    std::string path = WriteFile(dir + "/truncated", bytes);
    // A Jet file cut off anywhere and a SQLite file cut short of its pages
    // are refused at once.
    bool must_fail = true;
    bool opened = OpenAndReadAll(path);
    if (must_fail) {
      EXPECT_FALSE(opened) << GetParam() << " cut to " << size << " bytes";
    }
  }
}

TEST_P(DamagedCopyTest, BitFlippedCopiesNeverCrash) {
  std::string seed = Seed();
  std::string dir = TempDir();
  std::mt19937 random(20240607);
  for (int copy = 0; copy < 50; ++copy) {
    std::string bytes = seed;
    // Most damage goes to the first pages, where the catalog and the table
    // definitions live.
    size_t span = copy % 2 ? bytes.size() : std::min(bytes.size(), size_t{16384});
    for (int flips = 1 + static_cast<int>(random() % 8); flips > 0; --flips) {
      size_t at = random() % span;
      bytes[at] = static_cast<char>(copy % 3 ? bytes[at] ^ (1 << random() % 8) : random());
    }
    OpenAndReadAll(WriteFile(dir + "/flipped", bytes));
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DamagedCopyTest,
                         ::testing::Values("types.mdb", "campaign.mdb", "types.sqlite"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.')) +
                                  (name.ends_with(".mdb") ? "Jet" : "Sqlite");
                         });

TEST(OpenDatabaseTest, RefusesWhatIsNoMissionDatabase) {
  std::string dir = TempDir();
  std::string jet_head = ReadFile(FixturePath("types.mdb"));
  std::string unknown_version = jet_head;
  unknown_version[0x14] = 3;  // a later engine's file
  std::string text = "MissionID,MissionName\n1,Proving Ground\n";
  for (const std::string& path : {
           dir + "/missing.mdb",
           dir,
           WriteFile(dir + "/empty.mdb", ""),
           WriteFile(dir + "/text.mdb", text),
           WriteFile(dir + "/later.mdb", unknown_version),
       }) {
    EXPECT_THROW(OpenDatabase(path), OpenError) << path;
  }
}

// A copy of a Jet 4 file whose catalog declares the column `name` with the
// Access type code `type` (the catalog's definition fits its page).
std::string WithCatalogColumnType(std::string bytes, const std::string& name, char type) {
  const size_t definition = 2 * 4096;
  auto number = [&](size_t at, int size) {
    unsigned value = 0;
    for (int i = size - 1; i >= 0; --i)
      value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<size_t>(value);
  };
  size_t columns = number(definition + 45, 2);
  size_t entries = definition + 63 + number(definition + 51, 4) * 12;
  size_t names = entries + columns * 25;
  for (size_t i = 0; i < columns; ++i) {
    std::string utf16;
    for (char c : name) utf16 += {c, '\0'};
    size_t length = number(names, 2);
    if (std::string(&bytes[names + 2], length) == utf16) bytes[entries + i * 25] = type;
    names += 2 + length;
  }
  return bytes;
}

TEST(OpenDatabaseTest, CatalogColumnsOfAnotherTypeListNoTables) {
  const std::string seed = ReadFile(FixturePath("types.mdb"));
  std::string dir = TempDir();
  constexpr char kSingle = 6;
  constexpr char kText = 10;
  for (const char* column : {"Id", "Type", "Flags"}) {
    for (char type : {kSingle, kText}) {
      std::string copy = WithCatalogColumnType(seed, column, type);
      ASSERT_NE(copy, seed) << column;
      std::string path = WriteFile(dir + "/retyped.mdb", copy);
      // Refused, or opened with no table: no other error escapes.
      try {
        EXPECT_TRUE(OpenDatabase(path)->TableNames().empty()) << column << " " << int{type};
      } catch (const OpenError&) {
      }
    }
  }
}

TEST(OpenDatabaseTest, OpensFilesWhoseNamesHoldUriCharacters) {
#ifdef _WIN32
  std::string dir = TempDir() + "/a b#c%20e";  // a Windows name holds no "?"
#else
  std::string dir = TempDir() + "/a b#c?d%20e";
#endif
  fs::create_directories(dir);
  fs::copy_file(SqliteFixture("types"), dir + "/types %41.sqlite");
  fs::copy_file(FixturePath("types.mdb"), dir + "/types #1.mdb");
  for (const auto& name : {"/types %41.sqlite", "/types #1.mdb"}) {
    EXPECT_EQ(OpenDatabase(dir + name)->TableNames().size(), 11u) << name;
  }
}

// A Jet file cut short by another program while it is open: its tables
// read as damaged, with the reason told once, and the process goes on.
TEST(OpenDatabaseTest, JetFileCutShortWhileOpenIsToldNotFatal) {
  std::string path = TempDir() + "/cut.mdb";
  fs::copy_file(FixturePath("scale/units10000.mdb"), path);
  auto database = OpenDatabase(path);
  fs::resize_file(path, 128 * 1024);  // the catalog stays, most rows go
  std::ostringstream out;
  EXPECT_THROW(WriteTableTsv(*database, "MissionAssignments", out), RuntimeError);
  std::vector<std::string> said = database->TakeDiagnostics();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].rfind("the file ends at byte ", 0), 0u) << said[0];
  EXPECT_TRUE(database->TakeDiagnostics().empty());
}

TEST(OpenDatabaseTest, NeverWritesTheFile) {
  for (const std::string& fixture : {FixturePath("campaign.mdb"), SqliteFixture("campaign")}) {
    std::string dir = TempDir();
    std::string path = dir + "/mission";
    fs::copy_file(fixture, path);
    std::string before = ReadFile(path);
    auto modified = fs::last_write_time(path);
    ASSERT_TRUE(OpenAndReadAll(path));
    EXPECT_EQ(ReadFile(path), before) << fixture;
    EXPECT_EQ(fs::last_write_time(path), modified) << fixture;
    // No journal, lock or shared-memory file appears beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << fixture;
  }
}

}  // namespace
}  // namespace quorvane::db
