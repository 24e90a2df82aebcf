// The lookout include: one guarded block per lookout point of the mission,
// for both sides and every trigger kind, revealed on the spot in a
// single-player mission and through handleMessage in a multiplayer one.

#include <gtest/gtest.h>

#include <filesystem>

#include "compiler/write_quorvane.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string kRule =
    "//*********************************************************************************";

Lines Head(const std::string& path) {
  return {kRule, "// Lookout Point Include file for mission " + path, ""};
}

// A block up to its trigger test; `reveal` are the lines inside the test.
Lines Block(int point, const std::string& x, const std::string& y, const std::string& test,
            const Lines& reveal) {
  std::string flag = "LOP" + std::to_string(point);
  Lines lines = {"if (" + flag + ") then", "      aPoint[0] = " + x + ";",
                 "      aPoint[1] = " + y + ";", "      aPoint[2] = 0.0;",
                 "      if (" + test + ") then"};
  lines.insert(lines.end(), reveal.begin(), reveal.end());
  lines.push_back("      endif;");
  lines.push_back("endif;");
  return lines;
}

Lines RevealHere(int point, const std::string& team, const std::string& radius) {
  return {"            setRevealed(" + team + "," + radius + ".0,aPoint);",
          "            LOP" + std::to_string(point) + " = FALSE;"};
}

Lines SendEvent(int event) {
  return {"            sendMessage(" + std::to_string(event) + ",0);",
          "            handleMessage;"};
}

Lines Joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const std::string kSinglePlayerPoints =
    LookoutRow(400, "100", "200", "0", "'Radius'", "50", "NULL", "300") +
    LookoutRow(400, "1800.5", "900", "-1", "'Both'", "120.5", "'GeneralAlarm'", "250") +
    LookoutRow(401, "1", "1", "0", "'Radius'", "1", "NULL", "1") +
    LookoutRow(400, "600", "700", "1", "'ABL'", "0", "'isDead(Gate1)'", "400") +
    LookoutRow(400, "650", "720", "NULL", "NULL", "80", "'Flag3'", "200") +
    // Trigger kinds are exact: anything but "Both" and "ABL" is a radius.
    LookoutRow(400, "10", "20", "2", "'radius'", "30", "NULL", "40.5") +
    LookoutRow(400, "2000", "1500", "-1", "'Radius'", "150", "NULL", "350");

std::string SinglePlayerMission() {
  return MissionDatabase(MissionRow(400, "m400", "0") + ObjectiveRow(400, "1", "2", 1, "0") +
                         ActionRows(400, 1, 1) + kSinglePlayerPoints);
}

Lines SinglePlayerBlocks() {
  return Joined({Block(0, "100", "200", "distanceToPosition(PLAYER_FORCE, aPoint) < 50",
                       RevealHere(0, "1", "300")),
                 Block(1, "1800.5", "900",
                       "(GeneralAlarm) AND (distanceToPosition(CLAN_FORCE, aPoint) < 120.5)",
                       RevealHere(1, "-1", "250")),
                 Block(2, "600", "700", "isDead(Gate1)", RevealHere(2, "1", "400")),
                 Block(3, "650", "720", "distanceToPosition(PLAYER_FORCE, aPoint) < 80",
                       RevealHere(3, "1", "200")),
                 Block(4, "10", "20", "distanceToPosition(PLAYER_FORCE, aPoint) < 30",
                       RevealHere(4, "1", "40.5")),
                 Block(5, "2000", "1500", "distanceToPosition(CLAN_FORCE, aPoint) < 150",
                       RevealHere(5, "-1", "350"))});
}

TEST(LookoutIncludeTest, SinglePlayerRevealsOnTheSpot) {
  ScriptRun run = RunMissionScript(SinglePlayerMission(), 400, "m400");
  ASSERT_TRUE(run.result) << run.error;
  EXPECT_EQ(run.Lines("_LOP.ABI"),
            Joined({Head(run.output_folder + "m400_LOP.ABI"), SinglePlayerBlocks()}));
  const Lines& variables = run.Lines("_VAR.ABI");
  const Lines& init = run.Lines("_INIT.ABI");
  for (int point = 0; point <= 5; ++point) {
    std::string flag = "LOP" + std::to_string(point);
    EXPECT_EQ(std::count(variables.begin(), variables.end(),
                         "     static boolean" + std::string(20, ' ') + flag + ";"),
              1);
    EXPECT_EQ(std::count(init.begin(), init.end(), "     " + flag + " = TRUE;"), 1);
  }
  EXPECT_TRUE(run.messages.empty());
}

TEST(LookoutIncludeTest, MultiplayerRevealsThroughNumberedEvents) {
  ScriptRun run = RunMissionScript(
      MissionDatabase(
          MissionRow(410, "mp410", "-1") + ObjectiveRow(410, "1", "2", 1, "0") +
          ObjectiveRow(410, "2", "2", 2, "0") + ActionRows(410, 1, 1) + ActionRows(410, 2, 1) +
          LookoutRow(410, "1000", "1000", "0", "'Radius'", "100", "NULL", "300") +
          LookoutRow(410, "2500", "2400", "-1", "'ABL'", "90", "'ClanForceDead'", "250")),
      410, "mp410");
  ASSERT_TRUE(run.result) << run.error;
  EXPECT_EQ(run.Lines("_LOP.ABI"),
            Joined({Head(run.output_folder + "mp410_LOP.ABI"),
                    Block(0, "1000", "1000", "distanceToPosition(PLAYER_FORCE, aPoint) < 100",
                          SendEvent(1)),
                    Block(1, "2500", "2400", "ClanForceDead", SendEvent(2))}));
  const std::string in(23, ' ');
  EXPECT_TRUE(HasSequence(
      run.Lines("_MP.ABI"),
      {std::string(17, ' ') + "Case 1:", "", in + "aPoint[0] = 1000;", in + "aPoint[1] = 1000;",
       in + "aPoint[2] = 0.0;", in + "setRevealed(1,300.0,aPoint);", in + "LOP0 = FALSE;",
       in + "endcase;", "", std::string(17, ' ') + "Case 2:", "", in + "aPoint[0] = 2500;",
       in + "aPoint[1] = 2400;", in + "aPoint[2] = 0.0;", in + "setRevealed(-1,250.0,aPoint);",
       in + "LOP1 = FALSE;", in + "endcase;", "", std::string(11, ' ') + "endswitch;"}));
}

TEST(LookoutIncludeTest, MissionWithoutPointsGetsOnlyTheHead) {
  ScriptRun run = RunMissionScript(
      MissionDatabase(MissionRow(420, "m420", "0") + ObjectiveRow(420, "1", "2", 1, "0") +
                      ActionRows(420, 1, 1) + kSinglePlayerPoints),
      420, "m420");
  ASSERT_TRUE(run.result) << run.error;
  EXPECT_EQ(run.Lines("_LOP.ABI"), Head(run.output_folder + "m420_LOP.ABI"));
}

// Written on its own, the include has the same blocks; the declarations and
// events have no open include to go to.
TEST(LookoutIncludeTest, WrittenOnItsOwnFromTheOpenDatabase) {
  std::filesystem::path database(SinglePlayerMission());
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  std::string output = TempDir();
  std::string folder = database.parent_path().string();
  std::string name = database.filename().string();
  int16_t mission = 400;
  ASSERT_TRUE(compiler.WriteMissionScript(output, folder, name, mission));

  std::string alone = TempDir() + "/";
  ASSERT_TRUE(compiler.WriteLookOutIncludeFile(mission, alone));
  EXPECT_EQ(ReadLines(alone + "m400_LOP.ABI"),
            Joined({Head(alone + "m400_LOP.ABI"), SinglePlayerBlocks()}));

  int16_t missing = 499;
  std::string other = TempDir() + "/";
  EXPECT_FALSE(compiler.WriteLookOutIncludeFile(missing, other));
  EXPECT_FALSE(std::filesystem::exists(other + "m400_LOP.ABI"));
  EXPECT_TRUE(sink.messages().empty());
}

}  // namespace
}  // namespace quorvane::testing
