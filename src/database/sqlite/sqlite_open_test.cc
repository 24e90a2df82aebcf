// What a SQLite twin in the states a designer's tools leave it in opens as:
// committed changes still in the write-ahead log are read, an interrupted
// change or another program's lock is refused in one line (and the files stay
// as they were), extra bytes after the last page are allowed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "database/database.h"
#include "database/sqlite/sqlite_handle.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

namespace fs = std::filesystem;
using quorvane::testing::ReadFile;
using quorvane::testing::SqliteDatabase;
using quorvane::testing::TempDir;
using quorvane::testing::WriteFile;

// A writer's connection, as the designer's editor holds one.
SqliteDb Writer(const std::string& path) {
  sqlite3* raw = nullptr;
  sqlite3_open(path.c_str(), &raw);
  SqliteDb db(raw);
  return db;
}

std::string Names(const std::string& path) {
  auto database = OpenDatabase(path);
  auto rows = database->OpenRecordset("T");
  std::string names;
  while (!rows->Eof()) {
    names += JoinedForm(rows->Field("Name")) + ";";
    rows->MoveNext();
  }
  return names;
}

std::string OpenFailure(const std::string& path) {
  try {
    OpenDatabase(path);
  } catch (const OpenError& error) {
    return error.what();
  }
  return "(opened)";
}

std::string SmallDatabase(const std::string& folder) {
  return SqliteDatabase(folder + "/t.sqlite",
                        "CREATE TABLE T (Name TEXT); INSERT INTO T VALUES ('old');");
}

// A database in write-ahead-log mode whose last commit is still in its log,
// with the writer open (`copy` false) or killed (the files copied elsewhere,
// without SQLite's shared-memory file).
TEST(SqliteOpenTest, CommittedChangesInTheLogAreRead) {
  for (bool copy : {false, true}) {
    std::string path = SmallDatabase(TempDir());
    SqliteDb writer = Writer(path);
    Execute(writer.get(), "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
    Execute(writer.get(), "UPDATE T SET Name = 'new'; INSERT INTO T VALUES ('added');");
    ASSERT_GT(fs::file_size(path + "-wal"), 0u);
    if (copy) {
      std::string folder = TempDir();
      fs::copy_file(path, folder + "/t.sqlite");
      fs::copy_file(path + "-wal", folder + "/t.sqlite-wal");
      path = folder + "/t.sqlite";
    }
    std::string file = ReadFile(path);
    EXPECT_EQ(Names(path), "new;added;") << (copy ? "copied" : "writer open");
    EXPECT_EQ(ReadFile(path), file);
  }
}

// A writer killed inside a transaction leaves a hot journal; reading without
// rolling it back would read half a change. (The change is larger than the
// writer's cache, so that its pages already went to the file and the journal
// was made valid, as a killed writer leaves them.)
TEST(SqliteOpenTest, HotJournalIsRefusedAndLeftAlone) {
  std::string path = SmallDatabase(TempDir());
  std::string folder = TempDir();
  {
    SqliteDb writer = Writer(path);
    Execute(writer.get(),
            "CREATE TABLE Pad (x); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
            "WHERE i < 200) INSERT INTO Pad SELECT randomblob(1000) FROM n;");
    Execute(writer.get(),
            "PRAGMA cache_size=1; BEGIN; UPDATE T SET Name = 'half'; "
            "UPDATE Pad SET x = randomblob(1000);");
    fs::copy_file(path, folder + "/t.sqlite");
    fs::copy_file(path + "-journal", folder + "/t.sqlite-journal");
  }
  path = folder + "/t.sqlite";
  std::string file = ReadFile(path);
  std::string journal = ReadFile(path + "-journal");
  std::string failure = OpenFailure(path);
  EXPECT_NE(failure.find("hot journal '" + path + "-journal'"), std::string::npos) << failure;
  EXPECT_NE(failure.find("open the database once with sqlite3"), std::string::npos) << failure;
  EXPECT_EQ(ReadFile(path), file);
  EXPECT_EQ(ReadFile(path + "-journal"), journal);
}

TEST(SqliteOpenTest, LockedDatabaseIsRefusedAfterWaiting) {
  std::string path = SmallDatabase(TempDir());
  SqliteDb writer = Writer(path);
  Execute(writer.get(), "BEGIN EXCLUSIVE; UPDATE T SET Name = 'busy';");
  std::string failure = OpenFailure(path);
  EXPECT_NE(failure.find("another program holds the database locked"), std::string::npos)
      << failure;
  Execute(writer.get(), "COMMIT");
  EXPECT_EQ(Names(path), "busy;");
}

// The file's length against its pages: more bytes are SQLite's own
// business, fewer mean a cut file; a damaged page is one line.
TEST(SqliteOpenTest, FileLengthAndDamage) {
  struct Case {
    const char* name;
    void (*change)(std::string& bytes);
    const char* failure;  // empty: opens and reads
  };
  const Case cases[] = {
      {"one byte appended", [](std::string& b) { b += 'x'; }, ""},
      {"a page of zeros appended", [](std::string& b) { b += std::string(4096, '\0'); }, ""},
      {"one byte cut", [](std::string& b) { b.pop_back(); }, "the SQLite file is truncated"},
      {"a table page overwritten",
       [](std::string& b) { b.replace(b.size() - 4096, 16, std::string(16, '\xff')); },
       "the SQLite file is damaged: "},
  };
  std::string good = ReadFile(SmallDatabase(TempDir()));
  for (const Case& c : cases) {
    std::string bytes = good;
    c.change(bytes);
    std::string path = WriteFile(TempDir() + "/t.sqlite", bytes);
    std::string failure = OpenFailure(path);
    if (*c.failure == '\0') {
      EXPECT_EQ(failure, "(opened)") << c.name;
      EXPECT_EQ(Names(path), "old;") << c.name;
    } else {
      EXPECT_TRUE(failure.starts_with(c.failure)) << c.name << ": " << failure;
      EXPECT_EQ(failure.find('\n'), std::string::npos) << c.name << ": " << failure;
    }
  }
}

}  // namespace
}  // namespace quorvane::db
