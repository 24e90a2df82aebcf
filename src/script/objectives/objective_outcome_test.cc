#include "script/objectives/objective_outcome.h"

#include <gtest/gtest.h>

#include "support/script_fixture.h"

namespace quorvane {
namespace {

using testing_support::At;
using testing_support::ScriptFixture;

enum class Outcome { kSuccess, kFailure, kAllActions };
constexpr int kClan = 1;
constexpr int kIS = 2;       // Inner Sphere
constexpr int kNeither = 3;  // not 1: the Inner Sphere side here
constexpr int kNullPriority = -99;

struct OutcomeCase {
  std::string label;
  bool multiplayer;
  int alignment;
  int priority;
  int action_count;  // the objective's actions (the count passed for kAllActions)
  Outcome outcome;
  int level;
  std::vector<std::string> module;      // brain module lines
  std::vector<std::string> event = {};  // the lines of handleMessage case 1, if any
};

void PrintTo(const OutcomeCase& c, std::ostream* out) { *out << c.label; }

class ObjectiveOutcomeTest : public testing::TestWithParam<OutcomeCase> {};

// Objective 4, action 2; three Inner Sphere and two Clan primary objectives.
TEST_P(ObjectiveOutcomeTest, WritesModuleLinesAndEvent) {
  const OutcomeCase& c = GetParam();
  ScriptFixture script(c.multiplayer);
  std::string priority = c.priority == kNullPriority ? "NULL" : std::to_string(c.priority);
  script.Sql("INSERT INTO Objectives VALUES (7, 20, " + std::to_string(c.alignment) + ", " +
             priority + ", -1)");
  script.Open();
  script.session.script.inner_sphere_primary_count = 3;
  script.session.script.clan_primary_count = 2;
  script.session.script.objective_action_count = c.action_count;
  if (c.outcome == Outcome::kSuccess) WriteObjectiveSuccess(script.session, 4, 2, c.level);
  if (c.outcome == Outcome::kFailure) WriteObjectiveFailure(script.session, 4, 2, c.level);
  if (c.outcome == Outcome::kAllActions) WriteAllActionsSuccess(script.session, c.action_count, 4);
  EXPECT_EQ(script.Lines(FileRole::kMain), c.module);
  std::vector<std::string> event;
  if (!c.event.empty()) event = {At(18, "Case 1:"), ""};
  for (const std::string& line : c.event) event.push_back(At(24, line));
  EXPECT_EQ(script.Lines(FileRole::kMultiplayer), event);
}

std::vector<std::string> AtColumn(int column, const std::vector<std::string>& texts) {
  std::vector<std::string> lines;
  for (const std::string& text : texts) lines.push_back(At(column, text));
  return lines;
}

std::vector<std::string> Lines(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> lines;
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

// Forms the campaign missions do not show; the others are pinned by their
// brain modules.
const OutcomeCase kCases[] = {
    {"SecondarySingleActionHasNoVictoryLine", false, kIS, 1, 1, Outcome::kSuccess, 0,
     Lines({AtColumn(24, {"SetObjectiveStatus(4,SUCCESS);", "playBetty(BETTY_OBJECTIVE_COMPLETE);",
                          "Objective_4_Decided = TRUE;", "if (VictoryLevel < 3) then"}),
            {At(30, "PlayDigitalMusic(OBJECTIVE_SUCCESS_MUSIC);"), At(24, "endif;")}})},
    {"PrimaryFailureLevel3", false, kClan, 0, 3, Outcome::kFailure, 3,
     AtColumn(36, {"SetObjectiveStatus(4,FAILED);", "playBetty(BETTY_CANNOT_COMP_OBJ);",
                   "Objective_4_Decided = TRUE;"})},
    {"NullPriorityFailureHasNoMusic", false, kIS, kNullPriority, 1, Outcome::kFailure, 2,
     AtColumn(30, {"SetObjectiveStatus(4,FAILED);", "playBetty(BETTY_SECONDARY_FAILED);",
                   "Objective_4_Decided = TRUE;"})},
    {"MultiplayerNeitherSideFailureIsInnerSphere",
     true,
     kNeither,
     1,
     2,
     Outcome::kFailure,
     0,
     {At(24, "sendMessage(1,0);"), At(24, "handleMessage;")},
     {"SetObjectiveStatus(4,FAILED);", "if (getHomeTeam == PLAYER_FORCE) then",
      "     playBetty(BETTY_SECONDARY_FAILED);", "     PlayDigitalMusic(OBJECTIVE_FAIL_MUSIC);",
      "endif;", "Objective_4_Decided = TRUE;"}},
    {"MultiplayerClanPrimaryCombination",
     true,
     kClan,
     0,
     2,
     Outcome::kAllActions,
     0,
     {At(18, "if ((Obj_4_Action_1_Success) AND (Obj_4_Action_2_Success)) then"),
      At(24, "sendMessage(1,0);"), At(24, "handleMessage;"), At(18, "endif;"), ""},
     {"SetObjectiveStatus(4,SUCCESS);", "ClanVictoryLevel = ClanVictoryLevel + 1;",
      "if (getHomeTeam == CLAN_FORCE) then", "     playBetty(BETTY_OBJECTIVE_COMPLETE);",
      "     if ((VictoryLevel < 3) AND (ClanVictoryLevel < 2)) then",
      "          PlayDigitalMusic(OBJECTIVE_SUCCESS_MUSIC);", "     endif;", "endif;",
      "Objective_4_Decided = TRUE;"}},
};

INSTANTIATE_TEST_SUITE_P(Outcomes, ObjectiveOutcomeTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<OutcomeCase>& info) {
                           return info.param.label;
                         });

}  // namespace
}  // namespace quorvane
