// A structure action whose position is not a 16-bit number ends the script
// operation with a run-time error that names the field, row and step: the
// command exits with status 2.

#include <gtest/gtest.h>

#include "support/command.h"
#include "support/fixtures.h"

namespace {

std::pair<int, std::string> RunScript(const std::string& database) {
  auto [status, output] = quorvane::testing::RunQuorvane("script " + database + " 7 -o " +
                                                         quorvane::testing::TempDir());
  return {status, output};
}

TEST(ObjectivePositionErrorTest, BadStructurePositionExitsWithStatus2) {
  struct Case {
    std::string set;
    std::string reason;
  };
  // The reason names the field, the row (the table has no key: its stored
  // position) and the step.
  for (const Case& c : {
           Case{"ActionParm1 = 'abc'",
                "Type mismatch: 'abc' is not a number: ObjectiveScripting.ActionParm1, row 15, "
                "while writing objective 1 of the brain\n"},
           Case{"ActionParm2 = '40000'",
                "Overflow (40000 does not fit an Integer): ObjectiveScripting.ActionParm2, row 15, "
                "while writing objective 1 of the brain\n"},
           Case{"ActionParm4 = NULL",
                "Invalid use of Null: ObjectiveScripting.ActionParm4, row 15, while writing "
                "objective 1 of the brain\n"},
       }) {
    // One change to the "Destroy Structure" row of mission 7.
    std::string database = quorvane::testing::SqliteFixtureWith(
        "campaign", "UPDATE ObjectiveScripting SET " + c.set +
                        " WHERE MissionID = 7 AND Action = 'Destroy Structure'");
    auto [status, output] = RunScript(database);
    EXPECT_EQ(status, 2) << c.set << "\n" << output;
    EXPECT_NE(output.find("quorvane: mission 7: runtime error: " + c.reason), std::string::npos)
        << c.set << "\n"
        << output;
  }
}

}  // namespace
