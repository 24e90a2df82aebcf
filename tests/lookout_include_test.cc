// The lookout include: one guarded block per lookout point, for both sides
// and every trigger kind, revealed on the spot in a single-player mission and
// through numbered cases of handleMessage in a multiplayer one.

#include <gtest/gtest.h>

#include <filesystem>

#include "compiler/write_quorvane.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

using Lines = std::vector<std::string>;

Lines Head(const std::string& path) {
  return {"//*********************************************************************************",
          "// Lookout Point Include file for mission " + path, ""};
}

// Point p at (x, y): its block up to the trigger test, then `inside`.
Lines Block(int p, const std::string& x, const std::string& y, const std::string& test,
            const Lines& inside) {
  Lines lines = {"if (LOP" + std::to_string(p) + ") then", "      aPoint[0] = " + x + ";",
                 "      aPoint[1] = " + y + ";", "      aPoint[2] = 0.0;",
                 "      if (" + test + ") then"};
  lines.insert(lines.end(), inside.begin(), inside.end());
  lines.insert(lines.end(), {"      endif;", "endif;"});
  return lines;
}

Lines Reveal(int p, const std::string& team_and_radius) {
  return {"            setRevealed(" + team_and_radius + ",aPoint);",
          "            LOP" + std::to_string(p) + " = FALSE;"};
}

Lines Send(int event) {
  return {"            sendMessage(" + std::to_string(event) + ",0);",
          "            handleMessage;"};
}

Lines Joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::string Mission(int mission, const std::string& multiplayer, const std::string& points) {
  std::string id = std::to_string(mission);
  return MissionRow(mission, "m" + id, multiplayer) + ObjectiveRow(mission, "1", "2", 1, "0") +
         ObjectiveRow(mission, "2", "2", 2, "0") + ActionRows(mission, 1, 1) +
         ActionRows(mission, 2, 1) + points;
}

const std::string kPoints =
    LookoutRow(400, "100", "200", "0", "'Radius'", "50", "NULL", "300") +
    LookoutRow(400, "1800.5", "900", "-1", "'Both'", "120.5", "'GeneralAlarm'", "250") +
    LookoutRow(401, "1", "1", "0", "'Radius'", "1", "NULL", "1") +
    LookoutRow(400, "600", "700", "1", "'ABL'", "0", "'isDead(Gate1)'", "400") +
    LookoutRow(400, "650", "720", "NULL", "NULL", "80", "'Flag3'", "200") +
    // Trigger kinds are exact: anything but "Both" and "ABL" is a radius.
    LookoutRow(400, "10", "20", "2", "'radius'", "30", "NULL", "40.5");

const Lines kBlocks = Joined(
    {Block(0, "100", "200", "distanceToPosition(PLAYER_FORCE, aPoint) < 50", Reveal(0, "1,300.0")),
     Block(1, "1800.5", "900",
           "(GeneralAlarm) AND (distanceToPosition(CLAN_FORCE, aPoint) < 120.5)",
           Reveal(1, "-1,250.0")),
     Block(2, "600", "700", "isDead(Gate1)", Reveal(2, "1,400.0")),
     Block(3, "650", "720", "distanceToPosition(PLAYER_FORCE, aPoint) < 80", Reveal(3, "1,200.0")),
     Block(4, "10", "20", "distanceToPosition(PLAYER_FORCE, aPoint) < 30", Reveal(4, "1,40.5.0"))});

TEST(LookoutIncludeTest, SinglePlayerRevealsOnTheSpot) {
  ScriptRun run = RunMissionScript(MissionDatabase(Mission(400, "0", kPoints)), 400, "m400");
  ASSERT_TRUE(run.result) << run.error;
  EXPECT_EQ(run.Lines("_LOP.ABI"), Joined({Head(run.output_folder + "m400_LOP.ABI"), kBlocks}));
  const Lines& variables = run.Lines("_VAR.ABI");
  EXPECT_EQ(Lines(variables.end() - 5, variables.end()),
            (Lines{"     static boolean                    LOP0;",
                   "     static boolean                    LOP1;",
                   "     static boolean                    LOP2;",
                   "     static boolean                    LOP3;",
                   "     static boolean                    LOP4;"}));
  const Lines& init = run.Lines("_INIT.ABI");
  EXPECT_EQ(Lines(init.end() - 2, init.end()), (Lines{"     LOP3 = TRUE;", "     LOP4 = TRUE;"}));
}

TEST(LookoutIncludeTest, MultiplayerRevealsThroughNumberedEvents) {
  ScriptRun run = RunMissionScript(
      MissionDatabase(Mission(
          410, "-1",
          LookoutRow(410, "1000", "1000", "0", "'Radius'", "100", "NULL", "300") +
              LookoutRow(410, "2500", "2400", "-1", "'ABL'", "90", "'ClanForceDead'", "250"))),
      410, "m410");
  ASSERT_TRUE(run.result) << run.error;
  EXPECT_EQ(
      run.Lines("_LOP.ABI"),
      Joined({Head(run.output_folder + "m410_LOP.ABI"),
              Block(0, "1000", "1000", "distanceToPosition(PLAYER_FORCE, aPoint) < 100", Send(1)),
              Block(1, "2500", "2400", "ClanForceDead", Send(2))}));
  const std::string in(23, ' ');
  EXPECT_TRUE(HasSequence(
      run.Lines("_MP.ABI"),
      {std::string(17, ' ') + "Case 1:", "", in + "aPoint[0] = 1000;", in + "aPoint[1] = 1000;",
       in + "aPoint[2] = 0.0;", in + "setRevealed(1,300.0,aPoint);", in + "LOP0 = FALSE;",
       in + "endcase;", "", std::string(17, ' ') + "Case 2:", "", in + "aPoint[0] = 2500;",
       in + "aPoint[1] = 2400;", in + "aPoint[2] = 0.0;", in + "setRevealed(-1,250.0,aPoint);",
       in + "LOP1 = FALSE;", in + "endcase;", "", std::string(11, ' ') + "endswitch;"}));
}

// The brain sets the multiplayer event limit of a multiplayer mission: 249
// lookout points get cases 1 to 249, the 250th is refused and sends case 0,
// and so is every later event of the run, such as a structure's capture; the
// statements of a refused event join the last case.
TEST(LookoutIncludeTest, TheBrainLimitsAMultiplayerMissionTo249Events) {
  std::string points;
  for (int p = 0; p < 250; ++p) points += LookoutRow(430, "1", "2", "0", "'ABL'", "0", "'F'", "9");
  ScriptRun run = RunMissionScript(
      MissionDatabase(Mission(430, "-1", points) +
                      "INSERT INTO MissionStructures (MissionID, StructureID, Identifier, Block, "
                      "Vertex, Number, Captureable) VALUES (430, 1, 'Post', 0, 0, 0, -1);\n"),
      430, "m430");
  ASSERT_TRUE(run.result) << run.error;
  const Message refused = {BoxStyle::kPlain, "", "Too many Multiplayer Events."};
  EXPECT_EQ(run.messages, (std::vector<Message>{refused, refused}));
  // The statements of refused events join case 249.
  const std::string in(23, ' ');
  const Lines& events = run.Lines("_MP.ABI");
  EXPECT_TRUE(HasSequence(
      events, {std::string(17, ' ') + "Case 249:", "", in + "aPoint[0] = 1;", in + "aPoint[1] = 2;",
               in + "aPoint[2] = 0.0;", in + "setRevealed(1,9.0,aPoint);", in + "LOP248 = FALSE;",
               in + "aPoint[1] = 2;", in + "aPoint[2] = 0.0;", in + "setRevealed(1,9.0,aPoint);",
               in + "LOP249 = FALSE;", in + "PostAlignment = MsgParams;", in + "endcase;"}));
  EXPECT_FALSE(HasSequence(events, {std::string(17, ' ') + "Case 250:"}));
  EXPECT_TRUE(HasSequence(run.Lines("_LOP.ABI"), Joined({Block(248, "1", "2", "F", Send(249)),
                                                         Block(249, "1", "2", "F", Send(0))})));
  EXPECT_TRUE(HasSequence(run.Lines("_STR.ABI"),
                          {std::string(11, ' ') + "SendMessage(0,objectSide(Post));"}));
}

// On its own the include gets the same blocks from the database of the last
// operation; a mission without a row gets no file, one without points the head.
TEST(LookoutIncludeTest, WrittenOnItsOwn) {
  std::filesystem::path database(
      MissionDatabase(Mission(400, "0", kPoints) + MissionRow(420, "m420", "0")));
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  std::string output = TempDir(), folder = database.parent_path(), name = database.filename();
  int16_t mission = 400;
  ASSERT_TRUE(compiler.WriteMissionScript(output, folder, name, mission));

  std::string alone = TempDir() + "/";
  EXPECT_TRUE(compiler.WriteLookOutIncludeFile(mission, alone));
  EXPECT_EQ(ReadLines(alone + "m400_LOP.ABI"), Joined({Head(alone + "m400_LOP.ABI"), kBlocks}));
  int16_t without_points = 420;
  EXPECT_TRUE(compiler.WriteLookOutIncludeFile(without_points, alone));
  EXPECT_EQ(ReadLines(alone + "m400_LOP.ABI"), Head(alone + "m400_LOP.ABI"));
  int16_t missing = 499;
  std::string other = TempDir() + "/";
  EXPECT_FALSE(compiler.WriteLookOutIncludeFile(missing, other));
  EXPECT_TRUE(std::filesystem::is_empty(other));
  EXPECT_TRUE(sink.messages().empty());
}

}  // namespace
}  // namespace quorvane::testing
