#include "script/objectives/objective_actions.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "support/script_session.h"

namespace quorvane {
namespace {

using testing_support::At;
using testing_support::MemoryRow;
using testing_support::ScriptSession;

MemoryRow Action(int objective, const std::string& action, std::vector<const char*> parms = {}) {
  MemoryRow row = {{"MissionID", Variant::Long(7)},
                   {"ObjectiveID", Variant::Long(objective)},
                   {"Action", Variant::String(action)}};
  parms.resize(5, nullptr);
  for (int k = 0; k < 5; ++k) {
    row.emplace_back("ActionParm" + std::to_string(k + 1),
                     parms[k] ? Variant::String(parms[k]) : Variant::Null());
  }
  return row;
}

// A secondary objective with id 20, written as objective 2.
void SetObjective(ScriptSession& script, int alignment = 2) {
  script.SetObjective({{"ObjectiveID", Variant::Long(20)},
                       {"Alignment", Variant::Integer(alignment)},
                       {"Priority", Variant::Integer(1)},
                       {"TimeLeft", Variant::Double(900)}});
}

std::vector<std::string> SecondaryFailure(int column) {
  return {At(column, "SetObjectiveStatus(2,FAILED);"),
          At(column, "playBetty(BETTY_SECONDARY_FAILED);"),
          At(column, "Objective_2_Decided = TRUE;"),
          At(column, "PlayDigitalMusic(OBJECTIVE_FAIL_MUSIC);")};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> lines;
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

TEST(WriteObjectiveActionsTest, WithoutActionRowsWritesNothing) {
  ScriptSession script(false);
  SetObjective(script);
  script.SetActions({Action(21, "ABL SUCCESS", {"B", nullptr, nullptr, "Anytime"})});
  EXPECT_FALSE(WriteObjectiveActions(script.session, 20, 2, 2));
  EXPECT_EQ(script.session.script.objective_action_count, 0);
  EXPECT_TRUE(script.Lines(FileRole::kMain).empty());
}

// Only the objective's rows are visited, in stored order; an unknown action
// writes only its empty line but keeps its index; the combination follows.
TEST(WriteObjectiveActionsTest, WalksTheObjectivesRowsAndCombinesThem) {
  ScriptSession script(false);
  SetObjective(script);
  script.SetActions({Action(21, "ABL SUCCESS", {"B1", nullptr, nullptr, "Anytime"}),
                     Action(20, "ABL SUCCESS", {"A1", nullptr, nullptr, "Anytime"}),
                     Action(21, "ABL SUCCESS", {"B2", nullptr, nullptr, "Anytime"}),
                     Action(20, "Escort Convoy"),
                     Action(20, "ABL FAIL", {nullptr, "A3", nullptr, "Anytime"})});
  EXPECT_TRUE(WriteObjectiveActions(script.session, 20, 2, 2));
  EXPECT_EQ(script.session.script.objective_action_count, 3);
  std::vector<std::string> expected = Join({
      {At(18, "if (A1) then"), At(24, "Obj_2_Action_1_Success = TRUE;"), At(18, "else"),
       At(24, "if (gametime > 900) then")},
      SecondaryFailure(30),
      {At(24, "endif;"), At(18, "endif;"), "", "", At(18, "if (A3) then")},
      SecondaryFailure(24),
      {At(18, "else"), At(24, "if (gametime > 900) then"), At(30, "Obj_2_Action_3_Success = TRUE;"),
       At(24, "endif;"), At(18, "endif;"), "",
       At(18,
          "if ((Obj_2_Action_1_Success) AND (Obj_2_Action_2_Success) AND "
          "(Obj_2_Action_3_Success)) then"),
       At(24, "SetObjectiveStatus(2,SUCCESS);"), At(24, "playBetty(BETTY_OBJECTIVE_COMPLETE);"),
       At(24, "Objective_2_Decided = TRUE;"), At(24, "if (VictoryLevel < 0) then"),
       At(30, "PlayDigitalMusic(OBJECTIVE_SUCCESS_MUSIC);"), At(24, "endif;"), At(18, "endif;"),
       ""},
  });
  EXPECT_EQ(script.Lines(FileRole::kMain), expected);
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
    ScriptSession script(false);
    SetObjective(script);
    script.SetActions(
        {Action(20, "Escort Convoy"), Action(20, action, {c.block, c.vertex, "Yes", c.number})});
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

TEST(WriteObjectiveActionsTest, CaptureWithoutCaptureableEnemyWarnsPerRow) {
  ScriptSession script(false);
  SetObjective(script, 1);
  script.database().AddTable("MissionAssignments", {{{"MissionID", Variant::Long(7)},
                                                     {"Alignment", Variant::String("Clan")},
                                                     {"Captureable", Variant::Boolean(true)}}});
  script.SetActions({Action(20, "Capture Enemy Vehicles", {"All"}),
                     Action(20, "Capture Enemy Vehicles", {"Any", nullptr, "2"})});
  EXPECT_TRUE(WriteObjectiveActions(script.session, 20, 2, 1));
  Message warning = {BoxStyle::kPlain, "",
                     "No captureable enemy vehicles were found for Capture Enemy Vehicle Action."};
  EXPECT_EQ(script.sink.messages(), (std::vector<Message>{warning, warning}));
  std::vector<std::string> lines = script.Lines(FileRole::kMain);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
}

// In a multiplayer mission the marker moves and the secondary objective fails
// through numbered cases of handleMessage.
TEST(WriteObjectiveActionsTest, MultiplayerMarkerAndSecondaryFailure) {
  ScriptSession script(true);
  SetObjective(script, 2);
  script.session.script.inner_sphere_primary_count = 2;
  script.SetActions({Action(20, "Set Objective Marker", {"1200", "800", nullptr, "After"}),
                     Action(20, "Fail Secondary Objective")});
  EXPECT_TRUE(WriteObjectiveActions(script.session, 20, 2, 2));
  std::vector<std::string> module = script.Lines(FileRole::kMain);
  module.resize(std::min<size_t>(module.size(), 11));
  EXPECT_EQ(module,
            (std::vector<std::string>{
                At(18, "if ((Objective_1_Decided) AND (NOT Obj_2_Action_1_Success)) then"),
                At(24, "sendMessage(1,0);"), At(24, "handlemessage;"), At(18, "endif;"), "",
                At(18, "if (VictoryLevel >= 2) then"), "sendMessage(2,0);", "handleMessage;",
                At(18, "endif;"), "",
                At(18, "if ((Obj_2_Action_1_Success) AND (Obj_2_Action_2_Success)) then")}));
  std::vector<std::string> events = script.Lines(FileRole::kMultiplayer);
  events.resize(std::min<size_t>(events.size(), 10));
  EXPECT_EQ(events, (std::vector<std::string>{
                        At(18, "Case 1:"), "", At(24, "setObjectivePos(2,1200.0,800.0,0.0);"),
                        At(24, "Obj_2_Action_1_Success = TRUE;"), At(24, "endcase;"), "",
                        At(18, "Case 2:"), "", At(24, "SetObjectiveStatus(2,FAILED);"),
                        At(24, "Objective_2_Decided = TRUE;")}));
  EXPECT_EQ(script.Lines(FileRole::kInit),
            std::vector<std::string>{"     Obj_2_Action_2_Success = TRUE;"});
}

}  // namespace
}  // namespace quorvane
