// The mission brain module on small missions, each built for one concern that
// the reviewed missions do not show: the first objective delayed, objectives
// without actions, the exact vehicle searches, a multiplayer side without
// objectives, and the event limit kept for later missions.

#include <gtest/gtest.h>

#include <filesystem>

#include "compiler/write_quorvane.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

using Lines = std::vector<std::string>;

struct BrainCase {
  std::string label;
  std::string rows;                   // mission 300, script file m300
  Lines messages;                     // plain boxes
  std::vector<Lines> module = {};     // runs of lines of the .ABL module
  std::vector<Lines> variables = {};  // runs of lines of the _VAR include
  Lines absent = {};                  // prefixes of lines the module must not hold
};

void PrintTo(const BrainCase& c, std::ostream* out) { *out << c.label; }

std::string Declared(const std::string& name) {
  return "     static boolean" + std::string(20, ' ') + name + ";";
}

class MissionBrainTest : public ::testing::TestWithParam<BrainCase> {};

TEST_P(MissionBrainTest, WritesTheModuleOfTheMission) {
  const BrainCase& c = GetParam();
  ScriptRun run = RunMissionScript(MissionDatabase(c.rows), 300, "m300");
  ASSERT_EQ(run.error, "");
  EXPECT_TRUE(run.result);
  Lines messages;
  for (const Message& m : run.messages) messages.push_back(m.text);
  EXPECT_EQ(messages, c.messages);
  const Lines& module = run.Lines(".ABL");
  for (const Lines& lines : c.module) EXPECT_TRUE(HasSequence(module, lines)) << lines.front();
  for (const Lines& lines : c.variables) {
    EXPECT_TRUE(HasSequence(run.Lines("_VAR.ABI"), lines)) << lines.front();
  }
  for (const std::string& prefix : c.absent) {
    for (const std::string& line : module) EXPECT_NE(line.rfind(prefix, 0), 0u) << line;
  }
}

const std::string kSinglePlayer = MissionRow(300, "m300", "0");
const std::string kMultiplayer = MissionRow(300, "m300", "-1");
const std::string kOneObjective = ObjectiveRow(300, "1", "2", 1, "0") + ActionRows(300, 1, 1);

INSTANTIATE_TEST_SUITE_P(
    Missions, MissionBrainTest,
    ::testing::Values(
        // Stored out of order: the Inner Sphere objectives (Alignment 2) take the
        // first indexes. Objective 11 has two actions, 12 none, 31 three.
        BrainCase{"ObjectiveOrderAndDelays",
                  kSinglePlayer + ObjectiveRow(300, "31", "1", 1, "0", "-1") +
                      ObjectiveRow(300, "12", "2", 2, "1", "-1") +
                      ObjectiveRow(300, "11", "2", 1, "0", "-1") + ActionRows(300, 31, 3) +
                      ActionRows(300, 11, 2),
                  {"The first objective cannot have its determination delayed."},
                  {{"            if (checkObjectiveStatus(0) == INCOMPLETE) then", ""},
                   {"            if ((checkObjectiveStatus(1) == INCOMPLETE) AND "
                    "(Objective_0_Decided)) then",
                    "",
                    // No action rows: the outcome template, without the victory line of
                    // a primary objective.
                    "                   // Enter Objective 1 Success/Fail Checks Here", "",
                    "                   // Uncomment these lines and place them where Objective is "
                    "set Failed",
                    "//                        SetObjectiveStatus(1,FAILED);",
                    "//                        playBetty(BETTY_CANNOT_COMP_OBJ);",
                    "//                        Objective_1_Decided = TRUE;",
                    "//                        PlayDigitalMusic(OBJECTIVE_FAIL_MUSIC);", "",
                    "                   // Uncomment these lines and place them where Objective is "
                    "set Success",
                    "//                        SetObjectiveStatus(1,SUCCESS);",
                    "//                        playBetty(BETTY_OBJECTIVE_COMPLETE);",
                    "//                        Objective_1_Decided = TRUE;",
                    "//                        PlayDigitalMusic(OBJECTIVE_SUCCESS_MUSIC);",
                    "            endif;", ""},
                   {"            if ((checkObjectiveStatus(2) == INCOMPLETE) AND "
                    "(Objective_0_Decided) AND (Objective_1_Decided)) then",
                    ""}},
                  {{"", Declared("Objective_0_Decided"), Declared("Obj_0_Action_1_Success"),
                    Declared("Obj_0_Action_2_Success"), Declared("Objective_1_Decided"),
                    Declared("Objective_2_Decided"), Declared("Obj_2_Action_1_Success"),
                    Declared("Obj_2_Action_2_Success"), Declared("Obj_2_Action_3_Success")}}},
        // The first search names the unit's start state, the later ones do not.
        BrainCase{"VehicleSearches",
                  kSinglePlayer + kOneObjective +
                      // Before the first match: counted by neither search.
                      AssignmentRow(300, "-1", "100", "-1", "200") +
                      AssignmentRow(300, "0", "0", "0", "0") +
                      AssignmentRow(300, "0", "400", "-1", "0") +
                      // Exists from the start, yet created; the first activated one.
                      AssignmentRow(300, "-1", "150", "0", "250.5") +
                      // Active from the start, yet activated.
                      AssignmentRow(300, "-1", "0", "-1", "10") +
                      AssignmentRow(300, "-1", "NULL", "-1", "5") +
                      AssignmentRow(301, "0", "50", "0", "50"),
                  {},
                  {{"            boolean             PerimeterBreach;",
                    "            static boolean[2]   VehicleCreated;",
                    "            static boolean[3]   VehicleActivated;", ""},
                   {"            PlayGASound = FALSE;", "            for x = 0 to 1 do",
                    "                  VehicleCreated[x] = FALSE;", "            endfor;",
                    "            for x = 0 to 2 do",
                    "                  VehicleActivated[x] = FALSE;", "            endfor;", ""}}},
        // A side without objectives gets no all-decided test.
        BrainCase{"MultiplayerWithoutClanObjectives",
                  kMultiplayer + kOneObjective + ObjectiveRow(300, "2", "2", 2, "1") +
                      ActionRows(300, 2, 1),
                  {},
                  {{"            if ((NOT ExitTimerSet) AND (Objective_0_Decided) AND "
                    "(Objective_1_Decided)) then",
                    "                  sendMessage(MSG_SET_EXIT_TIMER,0);",
                    "                  handleMessage;", "            endif;", "",
                    "            //---------------------------------------",
                    "            // END SCENARIO"}},
                  {},
                  {"            if ((NOT ExitTimerSet) AND ) then"}}),
    [](const auto& info) { return info.param.label; });

// ObjectiveID and Alignment go to the action writer as typed values.
TEST(MissionBrainErrorTest, NullAlignmentEndsTheRunAfterTheOpeningTest) {
  ScriptRun run = RunMissionScript(
      MissionDatabase(MissionRow(300, "m300", "0") + ObjectiveRow(300, "1", "NULL", 1, "0") +
                      ActionRows(300, 1, 1)),
      300, "m300");
  EXPECT_FALSE(run.result);
  EXPECT_NE(run.error, "");
  const Lines& module = run.Lines(".ABL");
  ASSERT_GE(module.size(), 2u);
  EXPECT_EQ(Lines(module.end() - 2, module.end()),
            (Lines{"            if (checkObjectiveStatus(0) == INCOMPLETE) then", ""}));
}

// The brain of a multiplayer mission raises the event limit for the rest of
// the object's life: a later mission whose Multiplayer is Null gets its events.
TEST(MissionBrainLimitTest, TheEventLimitOutlivesTheMultiplayerMission) {
  std::filesystem::path database(
      MissionDatabase(kMultiplayer + kOneObjective + ObjectiveRow(300, "2", "2", 2, "1") +
                      ActionRows(300, 2, 1) + MissionRow(301, "m301", "NULL") +
                      ObjectiveRow(301, "1", "2", 1, "0", "0", "0") + ActionRows(301, 1, 1)));
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  std::string output = TempDir(), folder = database.parent_path().string(),
              name = database.filename().string();
  for (int16_t mission : {300, 301}) {
    ASSERT_TRUE(compiler.WriteMissionScript(output, folder, name, mission));
  }
  EXPECT_TRUE(sink.messages().empty());
  EXPECT_TRUE(HasSequence(ReadLines(output + "/m301.ABL"),
                          {"                  if (checkObjectiveStatus(0) == INCOMPLETE) then",
                           "                        sendMessage(1,0);"}));
}

// The script file name is MissionFileName less an ending of exactly ".abl"
// or ".ABL"; the module and the include lines carry it.
TEST(MissionBrainFileNameTest, OnlyExactAblEndingsAreRemoved) {
  struct Case {
    std::string stored, base;
  } cases[] = {
      {"m01.abl", "m01"}, {"m01.ABL", "m01"}, {"m01.Abl", "m01.Abl"}, {"m01abl", "m01abl"}};
  for (const Case& c : cases) {
    ScriptRun run = RunMissionScript(
        MissionDatabase(MissionRow(300, c.stored, "0") + kOneObjective), 300, c.base);
    ASSERT_TRUE(run.result) << c.stored << run.error;
    EXPECT_TRUE(HasSequence(run.Lines(".ABL"), {"module MissionBrain_" + c.base + " : integer;"}))
        << c.stored;
    EXPECT_TRUE(
        HasSequence(run.Lines(".ABL"), {"            #include_ \"" + c.base + "_LOP.ABI\""}))
        << c.stored;
    EXPECT_TRUE(run.Has("_LOP.ABI")) << c.stored;
  }
}

}  // namespace
}  // namespace quorvane::testing
