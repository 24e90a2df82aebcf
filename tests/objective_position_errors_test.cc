// A structure action whose position is not a 16-bit number ends the script
// operation with a run-time error: the command exits with status 2.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "support/command.h"
#include "support/fixtures.h"

namespace {

// The campaign with one change to the "Destroy Structure" row of mission 7.
std::string CampaignWith(const std::string& change) {
  std::ifstream in(quorvane::testing::FixturePath("campaign.sql"));
  std::stringstream sql;
  sql << in.rdbuf() << "\n" << change << ";\n";
  std::string path = quorvane::testing::TempDir() + "/campaign.sqlite";
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql.str().c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  return path;
}

std::pair<int, std::string> RunScript(const std::string& database) {
  auto [status, output] =
      quorvane::testing::RunCommand(std::string(QUORVANE_BINARY) + " script " + database +
                                    " 7 -o " + quorvane::testing::TempDir() + " 2>&1");
  return {status, output};
}

TEST(ObjectivePositionErrorTest, BadStructurePositionExitsWithStatus2) {
  struct Case {
    std::string set;
    std::string reason;
  };
  for (const Case& c :
       {Case{"ActionParm1 = 'abc'", "Type mismatch"}, Case{"ActionParm2 = '40000'", "Overflow"},
        Case{"ActionParm4 = NULL", "Invalid use of Null"}}) {
    std::string database = CampaignWith("UPDATE ObjectiveScripting SET " + c.set +
                                        " WHERE MissionID = 7 AND Action = 'Destroy Structure'");
    auto [status, output] = RunScript(database);
    EXPECT_EQ(status, 2) << c.set << "\n" << output;
    EXPECT_NE(output.find("quorvane: runtime error: " + c.reason), std::string::npos)
        << c.set << "\n"
        << output;
  }
}

}  // namespace
