// The lookout include at the multiplayer event limit, and written on its own.
// (Its blocks for both sides and every trigger kind, single-player and
// multiplayer, are in the reviewed files of the campaign and edges missions.)

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

// On its own the include gets the blocks the script run wrote, from the
// database of the last operation; a mission without a row gets no file, one
// without points the head.
TEST(LookoutIncludeTest, WrittenOnItsOwn) {
  std::filesystem::path database(MissionDatabase(
      Mission(400, "0",
              LookoutRow(400, "100", "200", "0", "'Radius'", "50", "NULL", "300") +
                  LookoutRow(401, "1", "1", "0", "'Radius'", "1", "NULL", "1") +
                  LookoutRow(400, "600", "700", "1", "'ABL'", "0", "'isDead(Gate1)'", "400")) +
      MissionRow(420, "m420", "0")));
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  std::string output = TempDir(), folder = database.parent_path().string(),
              name = database.filename().string();
  int16_t mission = 400;
  ASSERT_TRUE(compiler.WriteMissionScript(output, folder, name, mission));
  Lines in_run = ReadLines(output + "/m400_LOP.ABI");
  ASSERT_EQ(in_run.size(), 3u + 2 * 9);

  std::string alone = TempDir() + "/";
  EXPECT_TRUE(compiler.WriteLookOutIncludeFile(mission, alone));
  Lines lines = ReadLines(alone + "m400_LOP.ABI");
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3), Head(alone + "m400_LOP.ABI"));
  EXPECT_EQ(Lines(lines.begin() + 3, lines.end()), Lines(in_run.begin() + 3, in_run.end()));
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
