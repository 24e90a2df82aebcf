// Searches per unit over large tables stay linear overall: the compiler finds
// each unit's warrior with "[MWID] = n" and walks a mission's units with
// FindNext.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "database/database.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

constexpr int kRows = 100000;

std::string BuildLargeMission() {
  std::string n = std::to_string(kRows);
  std::string script =
      "CREATE TABLE NewMW (MWID INTEGER, FITFileName TEXT(20));"
      "CREATE TABLE MissionAssignments (MissionID INTEGER, UniqueEntry INTEGER,"
      " Alignment TEXT(20), MWID INTEGER);"
      "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < " +
      n +
      ")"
      " INSERT INTO NewMW SELECT i, 'pmw' || i FROM k;"
      "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < " +
      n +
      ")"
      " INSERT INTO MissionAssignments SELECT 1 + i % 2, i,"
      " CASE i % 4 WHEN 0 THEN 'Clan' WHEN 1 THEN 'Inner Sphere' ELSE 'aTrain' END,"
      " " +
      n + " + 1 - i FROM k;";
  return quorvane::testing::SqliteDatabase(quorvane::testing::TempDir() + "/large.sqlite", script);
}

TEST(SearchScaleTest, OneSearchPerUnitOverAHundredThousandRows) {
  auto started = std::chrono::steady_clock::now();
  auto database = OpenDatabase(BuildLargeMission());
  auto warriors = database->OpenRecordset("NewMW");
  auto units = database->OpenRecordset(
      "SELECT * FROM [MissionAssignments] WHERE [MissionID] = 2 ORDER BY [Alignment] DESC");
  std::string walk = "[MissionID] = 2 AND [Alignment] <> 'ATRAIN'";
  int found = 0;
  for (units->FindFirst(walk); !units->NoMatch(); units->FindNext(walk)) {
    int32_t mwid = static_cast<int32_t>(units->Field("MWID").integer_value());
    warriors->FindFirst("[MWID] = " + std::to_string(mwid));
    ASSERT_FALSE(warriors->NoMatch()) << mwid;
    ASSERT_EQ(warriors->Field("FITFileName").text_value(), "pmw" + std::to_string(mwid));
    ++found;
  }
  EXPECT_EQ(found, kRows / 4);
  warriors->FindFirst("[FITFileName] = 'PMW77777'");
  EXPECT_EQ(warriors->Field("MWID").integer_value(), 77777);
  // A scan per search would take minutes; the indexed searches take well
  // under a second (a few under the sanitizers).
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
}

}  // namespace
}  // namespace quorvane::db
