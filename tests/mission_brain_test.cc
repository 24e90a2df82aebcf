// The mission brain module on small missions, each built for one concern:
// refused missions, objective order and delayed determination, the
// force-dead failing, the vehicle counts and the multiplayer passages.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

using Lines = std::vector<std::string>;

bool Contains(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

size_t CountOf(const Lines& lines, const std::string& prefix) {
  return std::count_if(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

std::string Declaration(const std::string& name) {
  return "     static boolean" + std::string(20, ' ') + name + ";";
}

struct RefusalCase {
  std::string label;
  std::string rows;
  std::string message;
};

class BrainRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

// A refused mission gets no module; the includes opened before it stay.
TEST_P(BrainRefusalTest, WritesNoModule) {
  ScriptRun run = RunMissionScript(MissionDatabase(GetParam().rows), 300, "m300");
  EXPECT_FALSE(run.result);
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.messages,
            (std::vector<Message>{{BoxStyle::kCritical, "Error", GetParam().message}}));
  EXPECT_FALSE(run.Has(".ABL"));
  EXPECT_FALSE(run.Has("_LOP.ABI"));
  EXPECT_TRUE(run.Has("_VAR.ABI") && run.Has("_INIT.ABI") && run.Has("_MP.ABI"));
}

INSTANTIATE_TEST_SUITE_P(
    Missions, BrainRefusalTest,
    ::testing::Values(
        RefusalCase{"MultiplayerWithOneObjective",
                    MissionRow(300, "m300", "-1") + ObjectiveRow(300, "1", "2", 1, "0") +
                        ActionRows(300, 1, 2),
                    "Incorrect record count in Objectives table."},
        RefusalCase{"NoObjective", MissionRow(300, "m300", "0") + ActionRows(300, 1, 1),
                    "Incorrect record count in Objectives table."},
        RefusalCase{"FewerActionRowsThanObjectives",
                    MissionRow(300, "m300", "0") + ObjectiveRow(300, "1", "2", 1, "0") +
                        ObjectiveRow(300, "2", "2", 2, "0") + ObjectiveRow(300, "3", "1", 1, "0") +
                        ActionRows(300, 1, 2) + ActionRows(301, 2, 5),
                    "Incorrect record count in ObjectiveScripting table."}),
    [](const auto& info) { return info.param.label; });

// Objectives stored out of order: the Inner Sphere objectives (Alignment 2)
// come first, each side in Objective order. Objective 11 has two actions,
// 12 none, 31 three.
class SinglePlayerBrainTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    run_ = new ScriptRun(
        RunMissionScript(MissionDatabase(MissionRow(310, "m310.abl", "0") +
                                         ObjectiveRow(310, "31", "1", 1, "0", "-1", "0") +
                                         ObjectiveRow(310, "12", "2", 2, "1", "-1", "-1") +
                                         ObjectiveRow(310, "11", "2", 1, "0", "-1", "0") +
                                         ActionRows(310, 31, 3) + ActionRows(310, 11, 2)),
                         310, "m310"));
  }
  static void TearDownTestSuite() { delete run_; }
  static ScriptRun* run_;
};
ScriptRun* SinglePlayerBrainTest::run_ = nullptr;

TEST_F(SinglePlayerBrainTest, NumbersObjectivesInnerSphereFirst) {
  ASSERT_TRUE(run_->result) << run_->error;
  EXPECT_EQ(
      run_->Lines("_VAR.ABI"),
      (Lines{"//*********************************************************************************",
             "// Variable Include file for mission Test Mission", "",
             Declaration("Objective_0_Decided"), Declaration("Obj_0_Action_1_Success"),
             Declaration("Obj_0_Action_2_Success"), Declaration("Objective_1_Decided"),
             Declaration("Objective_2_Decided"), Declaration("Obj_2_Action_1_Success"),
             Declaration("Obj_2_Action_2_Success"), Declaration("Obj_2_Action_3_Success")}));
  const Lines& init = run_->Lines("_INIT.ABI");
  EXPECT_TRUE(HasSequence(
      init, {"     Objective_0_Decided = FALSE;", "     Obj_0_Action_1_Success = FALSE;"}));
  EXPECT_TRUE(Contains(init, "     Obj_2_Action_3_Success = FALSE;"));
}

TEST_F(SinglePlayerBrainTest, DelayedObjectivesWaitForAllEarlierOnes) {
  const Lines& module = run_->Lines(".ABL");
  // The first objective cannot wait: a warning, and its plain test.
  EXPECT_EQ(run_->messages, (std::vector<Message>{{BoxStyle::kPlain, "",
                                                   "The first objective cannot have its "
                                                   "determination delayed."}}));
  EXPECT_TRUE(
      HasSequence(module, {"            if (checkObjectiveStatus(0) == INCOMPLETE) then", ""}));
  EXPECT_TRUE(HasSequence(module, {"            if ((checkObjectiveStatus(1) == INCOMPLETE) AND "
                                   "(Objective_0_Decided)) then",
                                   ""}));
  EXPECT_TRUE(HasSequence(module, {"            if ((checkObjectiveStatus(2) == INCOMPLETE) AND "
                                   "(Objective_0_Decided) AND (Objective_1_Decided)) then",
                                   ""}));
  EXPECT_TRUE(Contains(module,
                       "            if ((NOT ExitTimerSet) AND (Objective_0_Decided) AND "
                       "(Objective_1_Decided) AND (Objective_2_Decided)) then"));
}

TEST_F(SinglePlayerBrainTest, ObjectiveWithoutActionsGetsTheOutcomeTemplate) {
  const Lines& module = run_->Lines(".ABL");
  // Objective 1 is secondary: no victory line, and no failed-primary branch.
  EXPECT_TRUE(HasSequence(
      module,
      {"                   // Enter Objective 1 Success/Fail Checks Here", "",
       "                   // Uncomment these lines and place them where Objective is set Failed",
       "//                        SetObjectiveStatus(1,FAILED);",
       "//                        playBetty(BETTY_CANNOT_COMP_OBJ);",
       "//                        Objective_1_Decided = TRUE;",
       "//                        PlayDigitalMusic(OBJECTIVE_FAIL_MUSIC);", "",
       "                   // Uncomment these lines and place them where Objective is set Success",
       "//                        SetObjectiveStatus(1,SUCCESS);",
       "//                        playBetty(BETTY_OBJECTIVE_COMPLETE);",
       "//                        Objective_1_Decided = TRUE;",
       "//                        PlayDigitalMusic(OBJECTIVE_SUCCESS_MUSIC);", "            endif;",
       ""}));
  EXPECT_EQ(CountOf(module, "                   // Enter Objective"), 1u);
}

TEST_F(SinglePlayerBrainTest, FailedPrimaryObjectivesStartTheExitTimer) {
  const Lines& module = run_->Lines(".ABL");
  for (const char* index : {"0", "2"}) {
    EXPECT_TRUE(HasSequence(
        module,
        {"            else", "                  if (NOT ExitTimerSet) then        ",
         "                        //if Failed primary Objective, fail mission",
         std::string("                        if (checkObjectiveStatus(") + index +
             ") == FAILED) then",
         "                              setTimer(EXIT_TIMER,2.0);",
         "                              ExitTimerSet = TRUE;", "                        endif;",
         "                  endif;", "            endif;"}))
        << "objective " << index;
  }
  EXPECT_EQ(CountOf(module, "            else"), 2u);
  // One Inner Sphere primary objective decides the result, whatever the Clan's.
  EXPECT_TRUE(Contains(module, "                  if (VictoryLevel >= 1) then"));
}

TEST_F(SinglePlayerBrainTest, DeadPlayerFailsObjectivesThatMayFail) {
  EXPECT_TRUE(HasSequence(
      run_->Lines(".ABL"),
      {"            if ((NOT ExitTimerSet) AND (PlayerForceDead)) then",
       "                  // Fail any Undecided Player Objectives",
       "                  if (checkObjectiveStatus(0) == INCOMPLETE) then",
       "                        setObjectiveStatus(0, FAILED);", "                  endif;",
       "                  if (checkObjectiveStatus(2) == INCOMPLETE) then",
       "                        setObjectiveStatus(2, FAILED);", "                  endif;",
       "            endif;", ""}));
}

struct VehicleCase {
  std::string label;
  std::string assignments;
  Lines declarations;  // after PerimeterBreach
  Lines init;          // after PlayGASound = FALSE
};

class VehicleCountTest : public ::testing::TestWithParam<VehicleCase> {};

// The first search names the unit's start state, the later ones leave it out.
TEST_P(VehicleCountTest, DeclaresAndResetsTheFlagArrays) {
  ScriptRun run = RunMissionScript(
      MissionDatabase(MissionRow(320, "m320", "0") + ObjectiveRow(320, "1", "2", 1, "0") +
                      ActionRows(320, 1, 1) + GetParam().assignments),
      320, "m320");
  ASSERT_TRUE(run.result) << run.error;
  const Lines& module = run.Lines(".ABL");
  Lines declarations = {"            boolean             PerimeterBreach;"};
  declarations.insert(declarations.end(), GetParam().declarations.begin(),
                      GetParam().declarations.end());
  declarations.push_back("");
  declarations.push_back("//------------------------------------------------------------------");
  EXPECT_TRUE(HasSequence(module, declarations));
  Lines init = {"            PlayGASound = FALSE;"};
  init.insert(init.end(), GetParam().init.begin(), GetParam().init.end());
  init.push_back("");
  init.push_back("            #include_ \"m320_INIT.ABI\"");
  EXPECT_TRUE(HasSequence(module, init));
}

INSTANTIATE_TEST_SUITE_P(
    Missions, VehicleCountTest,
    ::testing::Values(
        VehicleCase{
            "CreatedAndActivated",
            // Before the first match: counted by neither search.
            AssignmentRow(320, "-1", "100", "-1", "200") + AssignmentRow(320, "0", "0", "0", "0") +
                // First created vehicle.
                AssignmentRow(320, "0", "400", "-1", "0") +
                // Created, though it exists from the start; the first activated vehicle.
                AssignmentRow(320, "-1", "150", "0", "250.5") +
                // Activated, though active from the start.
                AssignmentRow(320, "-1", "0", "-1", "10") +
                AssignmentRow(320, "-1", "NULL", "-1", "5") +
                AssignmentRow(321, "0", "50", "0", "50"),
            {"            static boolean[2]   VehicleCreated;",
             "            static boolean[3]   VehicleActivated;"},
            {"            for x = 0 to 1 do", "                  VehicleCreated[x] = FALSE;",
             "            endfor;", "            for x = 0 to 2 do",
             "                  VehicleActivated[x] = FALSE;", "            endfor;"}},
        VehicleCase{
            "OnlyActivated",
            AssignmentRow(320, "-1", "100", "0", "75") + AssignmentRow(321, "0", "50", "0", "50"),
            {"            static boolean[1]   VehicleActivated;"},
            {"            for x = 0 to 0 do", "                  VehicleActivated[x] = FALSE;",
             "            endfor;"}},
        VehicleCase{"None",
                    AssignmentRow(320, "-1", "100", "-1", "200") +
                        AssignmentRow(320, "0", "NULL", "0", "0"),
                    {},
                    {}}),
    [](const auto& info) { return info.param.label; });

// Three Inner Sphere objectives (0-2) and two Clan ones (3, 4); objectives 1
// and 4 never fail when their force dies. Each has one action row of an
// action that writes no block, so that only the brain adds multiplayer events.
class MultiplayerBrainTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    run_ = new ScriptRun(RunMissionScript(
        MissionDatabase(MissionRow(330, "mp330", "-1") +
                        ObjectiveRow(330, "5", "1", 2, "1", "0", "-1") +
                        ObjectiveRow(330, "4", "1", 1, "0", "0", "0") +
                        ObjectiveRow(330, "1", "2", 1, "0", "0", "0") +
                        ObjectiveRow(330, "2", "2", 2, "0", "0", "-1") +
                        ObjectiveRow(330, "3", "2", 3, "1", "0", "0") + ActionRows(330, 1, 1) +
                        ActionRows(330, 2, 1) + ActionRows(330, 3, 1) + ActionRows(330, 4, 1) +
                        ActionRows(330, 5, 1)),
        330, "mp330"));
  }
  static void TearDownTestSuite() { delete run_; }
  static ScriptRun* run_;
};
ScriptRun* MultiplayerBrainTest::run_ = nullptr;

Lines FailedEvent(const std::string& indent, int objective, int event) {
  return {
      indent + "if (checkObjectiveStatus(" + std::to_string(objective) + ") == INCOMPLETE) then",
      "                        sendMessage(" + std::to_string(event) + ",0);",
      "                        handleMessage;", indent + "endif;"};
}

Lines Joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(MultiplayerBrainTest, EachTeamsDeathFailsItsOwnObjectives) {
  ASSERT_TRUE(run_->result) << run_->error;
  const std::string in = "                  ";
  EXPECT_TRUE(HasSequence(run_->Lines(".ABL"),
                          Joined({{"            // FAIL OBJECTIVES IF TEAM DIES",
                                   "            //---------------------------------------", "",
                                   "            if (PlayerForceDead) then"},
                                  FailedEvent(in, 0, 1),
                                  FailedEvent(in, 2, 2),
                                  {"            endif;", "", "            if (ClanForceDead) then"},
                                  FailedEvent(in, 3, 3),
                                  {"            endif;", ""}})));
}

TEST_F(MultiplayerBrainTest, EachSidesDecidedObjectivesFailTheOthersOpenOnes) {
  const std::string in = "                  ";
  const Lines exit_timer = {"                  sendMessage(MSG_SET_EXIT_TIMER,0);",
                            "                  handleMessage;", "            endif;", ""};
  EXPECT_TRUE(
      HasSequence(run_->Lines(".ABL"),
                  Joined({{"            if ((NOT ExitTimerSet) AND (Objective_0_Decided) AND "
                           "(Objective_1_Decided) AND (Objective_2_Decided)) then"},
                          FailedEvent(in, 3, 4),
                          FailedEvent(in, 4, 5),
                          exit_timer,
                          {"            if ((NOT ExitTimerSet) AND (Objective_3_Decided) AND "
                           "(Objective_4_Decided)) then"},
                          FailedEvent(in, 0, 6),
                          FailedEvent(in, 1, 7),
                          FailedEvent(in, 2, 8),
                          exit_timer,
                          {"            //---------------------------------------",
                           "            // END SCENARIO"}})));
  const Lines& events = run_->Lines("_MP.ABI");
  EXPECT_TRUE(HasSequence(
      events,
      {"                 Case 8:", "", "                       setObjectiveStatus(2, FAILED);",
       "                       endcase;", "", "           endswitch;"}));
  EXPECT_EQ(CountOf(events, "                 Case "), 8u);
}

TEST_F(MultiplayerBrainTest, PrimaryCountsOfBothSidesDecideTheResult) {
  const Lines& module = run_->Lines(".ABL");
  // A failed primary objective ends the mission once the other side has won.
  EXPECT_TRUE(Contains(module,
                       "                              if ((ClanVictoryLevel >= 1) OR "
                       "(ClanForceDead)) then"));
  EXPECT_TRUE(Contains(module,
                       "                              if ((VictoryLevel >= 2) OR "
                       "(PlayerForceDead)) then"));
  EXPECT_TRUE(Contains(module,
                       "                  if ((VictoryLevel >= 2) AND "
                       "(ClanVictoryLevel < 1)) then"));
  EXPECT_TRUE(HasSequence(module, {"          MSG_PLAY_END_MUSIC = 250;", "",
                                   "          // Multiplayer Victory Codes"}));
  EXPECT_TRUE(HasSequence(module, {"            static integer      VictoryLevel;",
                                   "            static integer      ClanVictoryLevel;"}));
  EXPECT_TRUE(HasSequence(module, {"#include_ \"mp330_MP.ABI\"", ""}));
  EXPECT_TRUE(run_->messages.empty());
}

struct VariantCase {
  std::string label;
  std::string rows;
  std::vector<Lines> expected;  // runs of lines of the module
  std::string absent;           // a line prefix the module must not hold
  std::vector<std::string> messages;
};

class BrainVariantTest : public ::testing::TestWithParam<VariantCase> {};

TEST_P(BrainVariantTest, WritesTheFormOfTheMission) {
  ScriptRun run = RunMissionScript(MissionDatabase(GetParam().rows), 340, "m340");
  ASSERT_TRUE(run.result) << run.error;
  const Lines& module = run.Lines(".ABL");
  for (const Lines& expected : GetParam().expected) {
    EXPECT_TRUE(HasSequence(module, expected)) << expected.front();
  }
  EXPECT_EQ(CountOf(module, GetParam().absent), 0u);
  std::vector<std::string> texts;
  for (const Message& message : run.messages) texts.push_back(message.text);
  EXPECT_EQ(texts, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Missions, BrainVariantTest,
    ::testing::Values(
        // A side without objectives gets no all-decided test.
        VariantCase{"MultiplayerWithoutClanObjectives",
                    MissionRow(340, "m340", "-1") + ObjectiveRow(340, "1", "2", 1, "0") +
                        ObjectiveRow(340, "2", "2", 2, "1") + ActionRows(340, 1, 2),
                    {{"            if ((NOT ExitTimerSet) AND (Objective_0_Decided) AND "
                      "(Objective_1_Decided)) then",
                      "                  sendMessage(MSG_SET_EXIT_TIMER,0);",
                      "                  handleMessage;", "            endif;", "",
                      "            //---------------------------------------",
                      "            // END SCENARIO"}},
                    "            if ((NOT ExitTimerSet) AND ) then",
                    {}},
        // Only Null Multiplayer: the force-dead failing takes the team form,
        // whose events are refused in a mission without multiplayer constants.
        VariantCase{
            "NullMultiplayer",
            MissionRow(340, "m340", "NULL") + ObjectiveRow(340, "1", "2", 1, "0", "0", "0") +
                ActionRows(340, 1, 1),
            {{"            if (PlayerForceDead) then",
              "                  if (checkObjectiveStatus(0) == INCOMPLETE) then",
              "                        sendMessage(0,0);", "                        handleMessage;",
              "                  endif;", "            endif;", "",
              "            if (ClanForceDead) then", "            endif;", "",
              "            //---------------------------------------",
              "            // Objective Resolution"}},
            "          MSG_",
            {"Too many Multiplayer Events."}},
        VariantCase{
            "NullFlagsOfObjectives",
            MissionRow(340, "m340", "0") + ObjectiveRow(340, "1", "2", 1, "NULL", "0", "0") +
                ObjectiveRow(340, "2", "2", 2, "0", "NULL", "NULL") + ActionRows(340, 1, 2),
            // Null DoNotFailIfDead keeps objective 1 out; Null
            // DelayDetermination delays it; Null Priority is secondary.
            {{"                  if (checkObjectiveStatus(0) == INCOMPLETE) then",
              "                        setObjectiveStatus(0, FAILED);", "                  endif;",
              "            endif;", "", "            //---------------------------------------"},
             {"            if ((checkObjectiveStatus(1) == INCOMPLETE) AND "
              "(Objective_0_Decided)) then"}},
            "                        if (checkObjectiveStatus(0) == FAILED) then",
            {}}),
    [](const auto& info) { return info.param.label; });

TEST(BrainRuntimeErrorTest, NullAlignmentEndsTheRunAfterTheOpeningTest) {
  ScriptRun run = RunMissionScript(
      MissionDatabase(MissionRow(350, "m350", "0") + ObjectiveRow(350, "1", "NULL", 1, "0") +
                      ActionRows(350, 1, 1)),
      350, "m350");
  EXPECT_FALSE(run.result);
  EXPECT_NE(run.error, "");
  const Lines& module = run.Lines(".ABL");
  ASSERT_GE(module.size(), 2u);
  EXPECT_EQ(Lines(module.end() - 2, module.end()),
            (Lines{"            if (checkObjectiveStatus(0) == INCOMPLETE) then", ""}));
}

}  // namespace
}  // namespace quorvane::testing
