// Record-set behaviour over the campaign fixture, the same from the Jet file
// and from its SQLite twin.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "database/database.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

using quorvane::testing::FixturePath;
using quorvane::testing::SqliteFixture;

std::string AssignmentQuery(int mission) {
  return "SELECT * FROM [MissionAssignments] WHERE [MissionID] = " + std::to_string(mission) +
         " ORDER BY [ALIGNMENT] DESC, [FORCEGROUP] ASC, [Role] ASC";
}

// The UniqueEntry of each part, by mission, from the head of campaign.sql.
std::map<int, std::vector<int>> PartOrderFromFixtureHead() {
  std::ifstream in(FixturePath("campaign.sql"));
  std::map<int, std::vector<int>> order;
  std::regex mission_line(R"(^-- Unit order of mission (\d+))");
  std::regex part_line(R"(^--   part +\d+: .*UniqueEntry (\d+),)");
  int mission = 0;
  std::smatch m;
  for (std::string line; std::getline(in, line) && line.rfind("--", 0) == 0;) {
    if (std::regex_search(line, m, mission_line)) mission = std::stoi(m[1]);
    if (std::regex_search(line, m, part_line)) order[mission].push_back(std::stoi(m[1]));
  }
  return order;
}

int32_t LongField(const Recordset& records, const char* name) {
  return static_cast<int32_t>(records.Field(name).integer_value());
}

class RecordsetTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    const std::string& format = GetParam();
    database_ =
        OpenDatabase(format == "jet" ? FixturePath("campaign.mdb") : SqliteFixture("campaign"));
  }
  std::unique_ptr<Database> database_;
};

TEST_P(RecordsetTest, AssignmentWalkFollowsPartOrder) {
  auto expected = PartOrderFromFixtureHead();
  ASSERT_EQ(expected.size(), 3u);
  for (const auto& [mission, entries] : expected) {
    auto records = database_->OpenRecordset(AssignmentQuery(mission));
    std::string criteria = "[MissionID] = " + std::to_string(mission);
    std::vector<int> walked;
    for (records->FindFirst(criteria); !records->NoMatch(); records->FindNext(criteria)) {
      walked.push_back(LongField(*records, "UniqueEntry"));
    }
    EXPECT_EQ(walked, entries) << "mission " << mission;
    // The failed FindNext left the record set on the last row.
    EXPECT_EQ(LongField(*records, "UniqueEntry"), entries.back());
    EXPECT_FALSE(records->Eof());
  }
}

TEST_P(RecordsetTest, SidesComeInDescendingTextOrder) {
  auto records = database_->OpenRecordset(AssignmentQuery(7));
  std::vector<std::string> sides;
  for (; !records->Eof(); records->MoveNext()) {
    std::string side(records->Field("Alignment").text_value());
    if (sides.empty() || sides.back() != side) sides.push_back(side);
  }
  EXPECT_EQ(sides, (std::vector<std::string>{"Other", "Inner Sphere", "Clan", "aTrain"}));
}

TEST_P(RecordsetTest, RecordCountGrowsAsRowsAreReached) {
  struct Case {
    std::string source;
    int32_t after_open;
    int32_t after_move_last;
  };
  for (const Case& c : std::vector<Case>{
           {AssignmentQuery(7), 1, 28},
           {"SELECT * FROM [NewMissions] WHERE [MissionID] = 12", 1, 1},
           {"SELECT * FROM [NewMissions] WHERE [MissionID] = 201", 0, 0},
           {"SELECT * FROM [PlayerEntryPoints] WHERE [MissionID] = 23", 1, 6},
           {"mechs", 1, 16},
       }) {
    auto records = database_->OpenRecordset(c.source);
    EXPECT_EQ(records->RecordCount(), c.after_open) << c.source;
    EXPECT_EQ(records->Eof(), c.after_open == 0) << c.source;
    records->MoveLast();
    EXPECT_EQ(records->RecordCount(), c.after_move_last) << c.source;
    records->MoveFirst();
    EXPECT_EQ(records->RecordCount(), c.after_move_last) << c.source;
  }
}

TEST_P(RecordsetTest, MovingPastTheEndAndReadingWithoutRowFail) {
  auto records = database_->OpenRecordset("SELECT * FROM [NewMissions] WHERE [MissionID] = 1");
  EXPECT_EQ(records->Field("MissionName").text_value(), "Proving Ground");
  records->MoveNext();
  EXPECT_TRUE(records->Eof());
  EXPECT_THROW(records->Field("MissionName"), RuntimeError);
  EXPECT_THROW(records->MoveNext(), RuntimeError);
  records->MoveFirst();
  EXPECT_FALSE(records->Eof());
  records->Close();
  EXPECT_THROW(records->MoveFirst(), RuntimeError);
}

TEST_P(RecordsetTest, CriteriaFormsFindTheSameRows) {
  auto count = [&](const std::string& criteria) {
    auto records = database_->OpenRecordset("MissionAssignments");
    int n = 0;
    for (records->FindFirst(criteria); !records->NoMatch(); records->FindNext(criteria)) ++n;
    return n;
  };
  struct Case {
    std::string criteria;
    int matches;
  };
  for (const Case& c : std::vector<Case>{
           {"[MissionID] = 7", 28},
           {"[MissionID] =7", 28},
           {"[missionid]=7", 28},
           {"MissionID = 7", 28},
           {"[MissionID] = 7 AND [Alignment] <> 'aTrain'", 22},
           {"[MissionID] = 7 AND [Alignment] <> 'ATRAIN'", 22},
           {"[MissionID] = 7 AND [Alignment] = \"atrain\"", 6},
           {"[MissionID] = 7 AND NOT ([Alignment] = 'aTrain')", 22},
           {"[MissionID] = 7 AND [Alignment] = 'Clan' AND [ForceGroup] = 3 AND [Role] <= 3", 3},
           {"[MissionID] = 7 AND ([ForceGroup] = 0 OR [ForceGroup] >= 3)", 10},
           {"[MissionID] = 7 AND [Captureable] = TRUE", 3},
           {"[MissionID] = 7 AND [Captureable] = -1", 3},
           {"[MissionID] = 7 AND [Captureable] = 1", 0},
           {"[MissionID] = 7 AND [MWID] Is Null", 1},
           {"[MissionID] = 7 AND [MWID] Is Not Null", 27},
           {"[MissionID] = 7 AND [MWID] <> 0", 22},
           {"[MissionID] = 3000 AND [Rotation] = 0", 2},
           {"[MissionID] = 3000 AND NOT [Rotation] = 0", 0},
           {"[MissionID] = 3000 AND [Rotation] = Null", 0},
           {"[MissionID] = 7 AND [Rotation] > -45.5 AND [Rotation] < 45.25", 14},
           {"[MissionID] = 99999", 0},
       }) {
    EXPECT_EQ(count(c.criteria), c.matches) << c.criteria;
  }
}

TEST_P(RecordsetTest, TextSearchFoldsAccentedCapitals) {
  auto records = database_->OpenRecordset("NewMissions");
  records->FindFirst("[MissionName] = 'GHOST CONVOY \u2013 SE\u00d1OR\u2019S RUN'");
  ASSERT_FALSE(records->NoMatch());
  EXPECT_EQ(LongField(*records, "MissionID"), 105);
}

TEST_P(RecordsetTest, NullsSortFirstAscendingAndLastDescending) {
  for (bool descending : {false, true}) {
    auto records = database_->OpenRecordset(
        "SELECT * FROM [MissionAssignments] WHERE [MissionID] = 3000 ORDER BY [Rotation] " +
        std::string(descending ? "DESC" : "ASC"));
    records->MoveLast();
    ASSERT_EQ(records->RecordCount(), 3);
    records->MoveFirst();
    if (descending) records->MoveLast();
    EXPECT_TRUE(records->Field("Rotation").IsNull());
  }
}

TEST_P(RecordsetTest, FailedSearchKeepsTheCurrentRow) {
  auto records = database_->OpenRecordset("NewMW");
  records->FindFirst("[MWID] = 45");
  ASSERT_FALSE(records->NoMatch());
  records->FindFirst("[MWID] = 40");
  EXPECT_TRUE(records->NoMatch());
  EXPECT_EQ(LongField(*records, "MWID"), 45);
  records->FindNext("[MWID] = 45");
  EXPECT_TRUE(records->NoMatch());
  EXPECT_EQ(LongField(*records, "MWID"), 45);
  records->FindFirst("[MWID] = 7");
  EXPECT_FALSE(records->NoMatch());
  EXPECT_TRUE(records->Field("FITFileName").IsNull());
}

TEST_P(RecordsetTest, BadSourcesAndCriteriaAreRuntimeErrorsNamingTheCulprit) {
  auto message_of = [](auto&& action) -> std::string {
    try {
      action();
    } catch (const RuntimeError& error) {
      return error.what();
    }
    return "no error";
  };
  auto records = database_->OpenRecordset("MissionAssignments");
  struct Case {
    std::string criteria;
    std::string names;
  };
  for (const Case& c : std::vector<Case>{
           {"[Nonesuch] = 1", "Nonesuch"},
           {"[MissionID] = 7 AND [Alignment] <> 'O'Brien'", "O'Brien"},
           {"[MissionID] = ", "[MissionID] = "},
           {"[MissionID] = 7 AND", "[MissionID] = 7 AND"},
           {"([MissionID] = 7", "([MissionID] = 7"},
           {"[Alignment] = 7", "mismatch"},
           {"[MissionID] = '7'", "mismatch"},
           {"[Alignment]", "mismatch"},
       }) {
    EXPECT_NE(message_of([&] { records->FindFirst(c.criteria); }).find(c.names), std::string::npos)
        << c.criteria;
  }
  EXPECT_NE(message_of([&] { records->Field("Nonesuch"); }).find("Nonesuch"), std::string::npos);
  for (const std::string source :
       {"SELECT * FROM [Nonesuch]", "Nonesuch", "SELECT * FROM [NewMissions] WHERE [Nope] = 1",
        "SELECT * FROM [NewMissions] ORDER BY [Nope]", "SELECT [MissionID] FROM [NewMissions]"}) {
    EXPECT_THROW(database_->OpenRecordset(source), RuntimeError) << source;
  }
}

// Only a SQLite file can hold a Null Yes/No value; it reads as Null and
// meets neither TRUE nor FALSE.
TEST(NullYesNoTest, NullFlagsMeetNoComparison) {
  auto database = OpenDatabase(SqliteFixture("nullflags"));
  auto records =
      database->OpenRecordset("SELECT * FROM [MissionAssignments] WHERE [MissionID] = 503");
  auto matches = [&](const std::string& criteria) {
    std::vector<int> entries;
    for (records->FindFirst(criteria); !records->NoMatch(); records->FindNext(criteria)) {
      entries.push_back(LongField(*records, "UniqueEntry"));
    }
    return entries;
  };
  EXPECT_EQ(matches("[Active] = TRUE"), (std::vector<int>{4, 5}));
  EXPECT_EQ(matches("[Active] = FALSE"), std::vector<int>{});
  EXPECT_EQ(matches("NOT [Active] = TRUE"), std::vector<int>{});
  EXPECT_EQ(matches("[Active] Is Null"), std::vector<int>{3});
  EXPECT_EQ(matches("[Captureable] <> TRUE"), (std::vector<int>{3, 5}));
  records->MoveFirst();
  EXPECT_TRUE(records->Field("Active").IsNull());
  EXPECT_EQ(records->Field("Captureable").type(), VariantType::kBoolean);
}

INSTANTIATE_TEST_SUITE_P(Formats, RecordsetTest, ::testing::Values("sqlite", "jet"));

}  // namespace
}  // namespace quorvane::db
