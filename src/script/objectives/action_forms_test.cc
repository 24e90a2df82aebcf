// One row per action form: the lines an action puts before and into its
// condition, its deadline line and its _INIT statements.
#include <gtest/gtest.h>

#include "script/objectives/objective_actions.h"
#include "support/script_fixture.h"

namespace quorvane {
namespace {

using testing_support::At;
using testing_support::ScriptFixture;
using testing_support::SqlText;

constexpr int kClan = 1;
constexpr int kIS = 2;             // Inner Sphere
constexpr int kNeither = 3;        // not 2: the Clan side's names, but no side text
constexpr double kNullTime = -99;  // TimeLeft Null
constexpr const char* kNull = nullptr;
constexpr const char* kAfter = "After Last Action";
constexpr const char* kAny = "Anytime";

struct ActionCase {
  std::string label;
  std::string action;
  std::array<const char*, 5> parms;  // ActionParm1 to 5; nullptr is Null
  int alignment;
  double time_left;                // -1: no limit
  int index;                       // the action's place among the objective's actions
  char shape;                      // S, F; O: `lines` is the whole block; -: no block
  std::vector<std::string> lines;  // S and F: lines before and of the condition (column 18)
  std::string deadline;
  std::vector<std::string> init;
};

ActionCase Row(std::string label, std::string action, std::array<const char*, 5> parms,
               int alignment, double time_left, int index, char shape,
               std::vector<std::string> lines = {}, std::string deadline = {},
               std::vector<std::string> init = {}) {
  return {label, action, parms, alignment, time_left, index, shape, lines, deadline, init};
}

void PrintTo(const ActionCase& c, std::ostream* out) { *out << c.label; }

// Outcome code of objective 2, a secondary objective with several actions.
std::vector<std::string> Failure(int column) {
  return {At(column, "SetObjectiveStatus(2,FAILED);"),
          At(column, "playBetty(BETTY_SECONDARY_FAILED);"),
          At(column, "Objective_2_Decided = TRUE;"),
          At(column, "PlayDigitalMusic(OBJECTIVE_FAIL_MUSIC);")};
}

std::vector<std::string> Success(int column, int index) {
  return {At(column, "Obj_2_Action_" + std::to_string(index) + "_Success = TRUE;")};
}

std::vector<std::string> Lines(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> lines;
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

std::vector<std::string> ExpectedBlock(const ActionCase& c) {
  if (c.shape == 'O' || c.shape == '-') return c.lines;
  std::vector<std::string> condition;
  for (const std::string& line : c.lines) condition.push_back(At(18, line));
  bool s = c.shape == 'S';
  return Lines({condition,
                s ? Success(24, c.index) : Failure(24),
                {At(18, "else"), At(24, c.deadline)},
                s ? Failure(30) : Success(30, c.index),
                {At(24, "endif;"), At(18, "endif;")}});
}

std::string ActionRow(const std::string& action, const std::array<const char*, 5>& p) {
  std::string row = "INSERT INTO ObjectiveScripting VALUES (7, 20, " + SqlText(action.c_str());
  for (const char* parm : p) row += ", " + SqlText(parm);
  return row + ");";
}

class ActionFormTest : public testing::TestWithParam<ActionCase> {};

// Objective 2 of mission 7, whose capturable units are two Clan ones (one
// written in lower case) and one Inner Sphere one. The action sits at its
// place among actions that write no block.
TEST_P(ActionFormTest, WritesItsBlock) {
  const ActionCase& c = GetParam();
  ScriptFixture script(false);
  std::string time_left = c.time_left == kNullTime ? "NULL" : std::to_string(c.time_left);
  script.Sql("INSERT INTO Objectives VALUES (7, 20, " + std::to_string(c.alignment) + ", 1, " +
             time_left + ");" +
             "INSERT INTO MissionAssignments VALUES (7, 'Clan', -1), (7, 'Clan', 0), "
             "(7, 'Inner Sphere', -1), (7, 'clan', -1), (8, 'Inner Sphere', -1);");
  for (int i = 1; i < c.index; ++i) script.Sql(ActionRow("Escort Convoy", {}));
  script.Sql(ActionRow(c.action, c.parms) + ActionRow("Escort Convoy", {}));
  script.Open();
  EXPECT_TRUE(WriteObjectiveActions(script.session, 20, 2, c.alignment));
  std::vector<std::string> lines = script.Lines(FileRole::kMain);
  auto block = lines.begin() + (c.index - 1);
  EXPECT_EQ(std::vector<std::string>(block, std::find(block, lines.end(), "")), ExpectedBlock(c));
  std::vector<std::string> init;
  for (const std::string& statement : c.init) init.push_back("     " + statement);
  EXPECT_EQ(script.Lines(FileRole::kInit), init);
}

std::string NoLimit(const std::string& line) {
  return line + "  // supposedly will not happen unless time limit is set";
}

std::vector<std::string> Point(const std::string& last) {
  return {"aPoint[0] = 1200;", "aPoint[1] = 800;", "aPoint[2] = 0.0;", last};
}

const std::string k900 = "if (gametime > 900) then";

const ActionCase kCases[] = {
    // Enemy force
    Row("DestroyEnemyAllNoLimit", "Destroy Enemy", {"All"}, kClan, -1, 1, 'S',
        {"if (isDead(PLAYER_FORCE)) then"}, NoLimit("if (gettimeleft == 0.0) then")),
    Row("DestroyEnemyStarCounted", "Destroy Enemy", {"Lance/Star", "03", "2"}, kIS, 900, 1, 'S',
        {"if (NumDead(ClanStar(2)) >= 2) then"}, k900),
    Row("DeadOrFledStarAsEntered", "Enemy Dead or Fled", {"Lance/Star", "1"}, kIS, 900, 1, 'S',
        {"if (isDeadorFled(ClanStar(1))) then"}, k900),
    Row("DeadOrFledLanceByNumber", "Enemy Dead or Fled", {"Lance/Star", "01", "2"}, kClan, 900, 1,
        'S', {"if (NumDead(PLAYER_LANCE1) + NumWithdrawn(PLAYER_LANCE1) >= 2) then"}, k900),
    Row("PreventWithdrawThirdAfterLast", "Prevent Enemy Withdraw", {"All", kNull, kNull, kAfter},
        kIS, 900, 3, 'F', {"if (NumWithdrawn(CLAN_FORCE) > 0) then"},
        "if ((gametime > 900) OR (Obj_2_Action_2_Success)) then"),
    Row("PreventWithdrawLanceNoLimit", "Prevent Enemy Withdraw", {"Lance/Star", "2", "2", kAfter},
        kClan, -1, 2, 'F', {"if (NumWithdrawn(PLAYER_LANCE2) >= 2) then"},
        "if ((gettimeleft == 0.0) OR (Obj_2_Action_1_Success)) then"),
    // Objects and structures
    Row("DestroyNumObjectsLowerCaseAll", "Destroy Num Objects", {kNull, kNull, "all"}, kIS, 900, 1,
        'S', {"if (NumObjectListDead >= all) then"}, k900),
    Row("GuardNumObjectsNoLimit", "Guard Num Objects", {kNull, kNull, "2"}, kIS, -1, 1, 'F',
        {"if (NumObjectListAlive < 2) then"},
        NoLimit("if ((gettimeleft == 0.0) OR (ClanForceDead)) then")),
    Row("GuardNumObjectsFirstAfterLast", "Guard Num Objects", {kNull, kNull, "ALL", kAfter}, kClan,
        600, 1, 'F', {"if (NumObjectListAlive < ObjectListSize) then"},
        "if ((gametime > 600) OR (Objective_1_Decided)) then"),
    Row("CaptureStructureHexVertex", "Capture Structure", {"0", "&H10", kNull, " 5 "}, kIS, 900, 1,
        'S', {"x = 4229;", "if ((IsCaptured(x) == 1) AND ( objectSide(x) ==  INNER_SPHERE))  then"},
        "if ((gametime > 900) OR (getObjectDamage(x) > 99)) then"),
    Row("KingOfHillBlockRoundsToEven", "King Of Hill", {"2.5", "1", kNull, "0"}, kClan, -1, 1, 'S',
        {"x = 10504;", "if (( playerforcedead AND ( objectSide(x) ==  CLAN)) ",
         "or (( gettimeleft() < 0.5 AND ( objectSide(x) ==  CLAN)) )) then"},
        "if ((gettimeleft == 0.0) OR (getObjectDamage(x) > 99)) then"),
    Row("KingOfHillNeitherSide", "King Of Hill", {"1", "2", kNull, "3"}, kNeither, 900, 1, 'S',
        {"x = 7315;", "if (( playerforcedead AND ( objectSide(x) ==  )) ",
         "or (( gettimeleft() < 0.5 AND ( objectSide(x) ==  )) )) then"},
        "if ((gametime > 900) OR (getObjectDamage(x) > 99)) then"),
    // Vehicles
    Row("DestroyVehicleLance8", "Destroy Vehicle", {"PLAYER LANCE", "8", "2"}, kIS, 900, 1, 'S',
        {"if (isDead(VehicleID(PLAYER_LANCE7 + 1,2,0))) then"}, k900),
    Row("DestroyVehicleUnknownGroup", "Destroy Vehicle", {"Player Lance", "1", "1"}, kIS, 900, 1,
        '-'),
    Row("CaptureStarCounted", "Capture Enemy Vehicles", {"Lance/Star", "2", "1"}, kIS, 900, 1, 'S',
        {"if (isCaptured(ClanStar(1)) >= 1) then"},
        "if ((gametime > 900) OR (2 - NumCaptureDeadorFled(ClanStar(1)) < 1)) then"),
    Row("CaptureAllIgnoresCount", "Capture Enemy Vehicles", {"All", kNull, "5"}, kClan, -1, 1, 'S',
        {"if (isCaptured(PLAYER_FORCE) >= 1) then"},
        "if ((gettimeleft == 0.0) OR (NumCaptureDeadorFled(PLAYER_FORCE) > 0)) then"),
    Row("GuardVehicleNullTimeLeftIsUnlimited", "Guard Vehicle", {kNull, "1", "3"}, kIS, kNullTime,
        1, 'F', {"if (isDead(getVehicleID(ALLIED_FORCE,0,3))) then"},
        NoLimit("if ((gettimeleft == 0.0) OR (ClanForceDead)) then")),
    // Guards
    Row("GuardAllyLance7AnySide", "Guard Ally", {"Lance/Star", "7"}, kClan, -1, 1, 'F',
        {"if (isDead(ALLIED_LANCE7)) then"},
        NoLimit("if ((gettimeleft == 0.0) OR (ClanForceDead)) then")),
    Row("GuardAllyAny", "Guard Ally", {"Any"}, kIS, 900, 1, 'F',
        {"if (NumDead(ALLIED_FORCE) > 0) then"}, k900),
    Row("GuardAllyAllAfterLast", "Guard Ally", {"All", kNull, "2", kAfter}, kIS, -1, 2, 'F',
        {"if (NumDead(ALLIED_FORCE) >= 1) then"},
        "if ((gettimeleft == 0.0) OR (Obj_2_Action_1_Success)) then"),
    Row("GuardPlayerLance9Counted", "Guard Player", {"Lance/Star", "9", "2"}, kClan, 900, 1, 'F',
        {"if (NumAlive(PLAYER_LANCE7 + 2) < 2) then"}, k900),
    Row("GuardClannerStar", "Guard Clanner", {"Lance/Star", "1"}, kIS, -1, 1, 'F',
        {"if (isDead(CLAN_STAR1)) then"},
        NoLimit("if ((gettimeleft == 0.0) OR (PlayerForceDead)) then")),
    // Areas
    Row("MoveToAreaAfterLast", "Move to Area", {"1200", "800", "100", kAfter}, kClan, 900, 2, 'S',
        Point(
            "if ((Obj_2_Action_1_Success) AND (distancetoposition(CLAN_FORCE,aPoint) < 100)) then"),
        k900),
    Row("MoveToAreaOtherTiming", "Move to Area", {"1200", "800", "100", "Later", "Yes"}, kIS, 900,
        1, '-'),
    Row("MoveAllToAreaStar", "Move All to Area", {"1200", "800", "100", kAny, "2"}, kClan, 900, 1,
        'S', Point("if (isWithinArea(CLAN_STAR2,aPoint,100)) then"), k900),
    Row("MoveAllToAreaFirstAfterLast", "Move All to Area", {"1200", "800", "100", kAfter, "ALL"},
        kIS, 900, 1, 'S',
        Point("if ((Objective_1_Decided) AND (isWithinArea(PLAYER_FORCE,aPoint,100))) then"), k900),
    Row("ExtractionZoneWholeForce", "Extraction Zone", {"1200", "800", "150", kAny, "ALL"}, kIS,
        900, 1, 'S',
        Point("if ((isWithinArea(PLAYER_FORCE,aPoint,150)) AND (NOT "
              "InHotSpot(CLAN_FORCE,1200,800,300))) then"),
        k900),
    Row("ExtractionZoneStarAfterLast", "Extraction Zone", {"1200", "800", "75.5", kAfter, "2"},
        kClan, 900, 2, 'S',
        Point("if ((Obj_2_Action_1_Success) AND (isWithinArea(ClanStar(2),aPoint,75.5)) AND (NOT "
              "InHotSpot(PLAYER_FORCE,1200,800,151))) then"),
        k900),
    // Marker, secondary failure and designer conditions
    Row("MarkerAnytimeOnlyInit", "Set Objective Marker", {"1200", "800", kNull, kAny}, kIS, 900, 2,
        'O', {}, {}, {"setObjectivePos(2,1200.0,800.0,0.0);", "Obj_2_Action_2_Success = TRUE;"}),
    Row("MarkerFirstAction", "Set Objective Marker", {"1200", "800"}, kIS, 900, 1, 'O',
        {At(18, "if ((Objective_1_Decided) AND (NOT Obj_2_Action_1_Success)) then"),
         At(24, "setObjectivePos(2,1200.0,800.0,0.0);"), At(24, "Obj_2_Action_1_Success = TRUE;"),
         At(18, "endif;")}),
    Row("FailSecondaryClan", "Fail Secondary Objective", {}, kClan, 900, 2, 'O',
        {At(18, "if (ClanVictoryLevel >= 0) then"), At(24, "SetObjectiveStatus(2,FAILED);"),
         At(24, "Objective_2_Decided = TRUE;"), At(18, "endif;")},
        {}, {"Obj_2_Action_2_Success = TRUE;"}),
    Row("AblSuccessEmptyCondition", "ABL SUCCESS", {"", kNull, kNull, kAny}, kIS, -1, 1, 'S',
        {"if () then"}, "if (gettimeleft == 0.0) then"),
    Row("AblSuccessAfterLast", "ABL SUCCESS", {"Flag1", kNull, kNull, kAfter}, kIS, 900, 2, 'S',
        {"if ((Obj_2_Action_1_Success) AND (Flag1)) then"}, k900),
    Row("AblFailAnytime", "ABL FAIL", {kNull, "Flag2", kNull, kAny}, kClan, 900, 1, 'F',
        {"if (Flag2) then"}, k900),
    Row("AblFailFirstAfterLast", "ABL FAIL", {kNull, "Flag2", kNull, kAfter}, kClan, 900, 1, 'F',
        {"if (Flag2) then"}, "if (Objective_1_Decided) then"),
    Row("AblFailOtherTiming", "ABL FAIL", {kNull, "Flag2"}, kClan, 900, 1, '-'),
};

INSTANTIATE_TEST_SUITE_P(Actions, ActionFormTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ActionCase>& info) {
                           return info.param.label;
                         });

}  // namespace
}  // namespace quorvane
