#include "script/objectives/objective_actions.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "support/script_fixture.h"

namespace quorvane {
namespace {

using testing_support::ScriptFixture;
using testing_support::SqlText;

std::string Action(int objective, const char* action, std::vector<const char*> parms = {}) {
  parms.resize(5, nullptr);
  std::string row = "INSERT INTO ObjectiveScripting VALUES (7, " + std::to_string(objective) +
                    ", " + SqlText(action);
  for (const char* parm : parms) row += ", " + SqlText(parm);
  return row + ");";
}

// Objective 2 (id 20) of mission 7, a secondary objective.
void AddObjective(ScriptFixture& script, int alignment) {
  script.Sql("INSERT INTO Objectives VALUES (7, 20, " + std::to_string(alignment) + ", 1, 900)");
}

TEST(WriteObjectiveActionsTest, WithoutActionRowsWritesNothing) {
  ScriptFixture script(false);
  AddObjective(script, 2);
  script.Sql(Action(21, "ABL SUCCESS", {"B", nullptr, nullptr, "Anytime"}));
  script.Open();
  EXPECT_FALSE(WriteObjectiveActions(script.session, 20, 2, 2));
  EXPECT_EQ(script.session.script.objective_action_count, 0);
  EXPECT_TRUE(script.Lines(FileRole::kMain).empty());
}

struct PositionErrorCase {
  const char* block;
  const char* vertex;
  const char* number;
  std::string error;
};

class StructurePositionErrorTest : public testing::TestWithParam<PositionErrorCase> {};

// A structure position that is no 16-bit number ends the run before any line
// of the block is written.
TEST_P(StructurePositionErrorTest, EndsTheRun) {
  const PositionErrorCase& c = GetParam();
  for (const char* action :
       {"Destroy Structure", "Guard Structure", "Capture Structure", "King Of Hill"}) {
    ScriptFixture script(false);
    AddObjective(script, 2);
    script.Sql(Action(20, "Escort Convoy") +
               Action(20, action, {c.block, c.vertex, "Yes", c.number}));
    script.Open();
    try {
      WriteObjectiveActions(script.session, 20, 2, 2);
      ADD_FAILURE() << action << " wrote its block";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(std::string(error.what()).substr(0, c.error.size()), c.error) << action;
    }
    EXPECT_EQ(script.Lines(FileRole::kMain), std::vector<std::string>{""}) << action;
    EXPECT_TRUE(script.Lines(FileRole::kInit).empty()) << action;
  }
}

INSTANTIATE_TEST_SUITE_P(Positions, StructurePositionErrorTest,
                         testing::Values(PositionErrorCase{"abc", "2", "3", "Type mismatch"},
                                         PositionErrorCase{"1", "", "3", "Type mismatch"},
                                         PositionErrorCase{"1", "2", "32768", "Overflow"},
                                         PositionErrorCase{"-40000", "2", "3", "Overflow"},
                                         PositionErrorCase{"1", nullptr, "3",
                                                           "Invalid use of Null"}));

// The capturable units counted are the enemy's (Inner Sphere for a Clan
// objective) of the action's mission; without any, each such row warns and
// writes only its empty line.
TEST(WriteObjectiveActionsTest, CaptureWithoutCaptureableEnemyWarnsPerRow) {
  ScriptFixture script(false);
  AddObjective(script, 1);
  script.Sql(
      "INSERT INTO MissionAssignments VALUES (7, 'Clan', -1), (7, 'Inner Sphere', 0), "
      "(8, 'Inner Sphere', -1);" +
      Action(20, "Capture Enemy Vehicles", {"All"}) +
      Action(20, "Capture Enemy Vehicles", {"Any", nullptr, "2"}));
  script.Open();
  EXPECT_TRUE(WriteObjectiveActions(script.session, 20, 2, 1));
  Message warning = {BoxStyle::kPlain, "",
                     "No captureable enemy vehicles were found for Capture Enemy Vehicle Action."};
  EXPECT_EQ(script.sink.messages(), (std::vector<Message>{warning, warning}));
  std::vector<std::string> lines = script.Lines(FileRole::kMain);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
}

}  // namespace
}  // namespace quorvane
