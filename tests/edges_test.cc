// Missions at the edges (tests/data/edges.sql): negative and Null values in
// the fields the writers read, and missions that fail two checks at once,
// where the check that comes first must be the one that reports.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "compiler/write_quorvane.h"
#include "platform/runtime_error.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// One mission compiled from the edges fixture, FIT file first, then script.
struct EdgeRun {
  bool fit = false, script = false;
  Lines fit_messages, script_messages;  // "error: " marks a critical box
  std::string folder;

  Lines File(const std::string& name) const { return ReadLines(folder + name); }
};

Lines Texts(const std::vector<Message>& messages, size_t from) {
  Lines texts;
  for (size_t i = from; i < messages.size(); ++i) {
    const Message& m = messages[i];
    texts.push_back((m.style == BoxStyle::kCritical ? "error: " : "") + m.text);
  }
  return texts;
}

const EdgeRun& Compiled(int16_t mission) {
  static std::map<int16_t, EdgeRun> runs;
  if (auto it = runs.find(mission); it != runs.end()) return it->second;
  fs::path database = SqliteFixture("edges");
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2026-01-01");
  EdgeRun& run = runs[mission];
  run.folder = TempDir() + "/";
  std::string folder = database.parent_path(), name = database.filename();
  run.fit = compiler.WriteMissionFITFile(run.folder, folder, name, mission);
  run.fit_messages = Texts(sink.messages(), 0);
  run.script = compiler.WriteMissionScript(run.folder, folder, name, mission);
  run.script_messages = Texts(sink.messages(), run.fit_messages.size());
  return run;
}

struct CheckOrderCase {
  int16_t mission;
  bool fit;
  Lines fit_messages;
  Lines script_messages = {"error: Incorrect record count in ObjectiveScripting table."};
};

// Each fault of the pair is reported alone elsewhere; here the first in the
// order of the checks wins, and the build stops at it.
TEST(EdgeMissionTest, TheFirstCheckInOrderReports) {
  const std::string objectives = "error: Incorrect record count in Objectives table.";
  const CheckOrderCase cases[] = {
      {701, false, {"error: Incorrect record count in NewMissions table."}, {objectives}},
      {702, false, {"No Assignments found for Mission 702."}, {objectives}},
      {703, false, {"error: Incorrect number of objectives."}, {objectives}},
      {704, false, {"error: Incorrect number of objectives."}, {objectives}},
      {705, false, {"error: No Dropzones were defined."}},
      {706, false, {"error: No Dropzones were defined."}},
      {707, false, {"MWID 40 not found in database. [707]"}},
      {708, false, {"MWID cannot be Zero. [708]"}},
      {709, false, {"MechID cannot be Zero. [709]"}},
      {710, false, {"MechID 999 not found in database. [710]"}},
      {711,
       false,
       {"Both a Mech and Vehicle seem to be assigned to the same warrior. [711]",
        "MWID cannot be Zero. [711]"}},
      {712, false, {"MechID 999 not found in database. [712]"}},
      {713, false, {"MWID cannot be Zero. [713]"}},
      {714, false, {"No MechID or VehicleID has been assigned. [714]"}},
      {716,
       false,
       {"Both a Mech and Vehicle seem to be assigned to the same warrior. [716]",
        "Briefing File name not specified.", "Briefing Map name not specified.",
        "Player Tonnage Limit not specified.  Assuming 1200 ...",
        "Too many assignments to Clan Group 1"},
       {"The first objective cannot have its determination delayed.",
        "No captureable enemy vehicles were found for Capture Enemy Vehicle Action.",
        "error: ABL Identifier '3rd Bay' starts with a number.",
        "The design does not permit you to have an Inner Sphere Vehicle Bay.  Please change the "
        "alignment to Clan."}},
  };
  for (const CheckOrderCase& c : cases) {
    SCOPED_TRACE(c.mission);
    const EdgeRun& run = Compiled(c.mission);
    EXPECT_EQ(run.fit, c.fit);
    EXPECT_EQ(run.fit_messages, c.fit_messages);
    EXPECT_EQ(run.script_messages, c.script_messages);
    // A refused check writes no FIT file; a stop in the force groups leaves it unfinished.
    std::string fit_file = run.folder + "e" + std::to_string(c.mission) + ".FIT";
    EXPECT_EQ(fs::exists(fit_file), c.mission == 716);
  }
  EXPECT_TRUE(Compiled(716).script);
  // The twelfth mate filled the group; the thirteenth stopped the file there.
  Lines fit = Compiled(716).File("e716.FIT");
  EXPECT_EQ(Lines(fit.end() - 2, fit.end()),
            (Lines{"l[12] Mates             = 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12", ""}));
}

struct ValueCase {
  int16_t mission;
  std::string file;
  Lines lines;  // lines the file holds one after the other
};

// Negative values are written with their sign where a number is written, and
// tested by value where they decide something; Nulls do what their rule says.
TEST(EdgeMissionTest, NegativeAndNullValuesTakeTheirRule) {
  const std::string c24(23, ' '), c18(17, ' ');
  const ValueCase cases[] = {
      {601,
       "e601.FIT",
       {"[Artillery]", "l NumLargeStrikes = -3 ", "l NumSmallStrikes =  32767 ",
        "l NumSensorStrikes = -32768 ", "l NumCameraStrikes =  0 "}},
      {601, "e601.FIT", {"st TerrainFileName = \"\"", "st TacMapGifName = \"\""}},
      {601, "e601.FIT", {"[PaletteSystem]", "st PaletteSystem = \"Palette\""}},
      {601, "e601.FIT", {"ul XGridSize =48", "ul YGridSize =48"}},
      {601,
       "e601.FIT",
       {"[Campaign]",
        "st BriefingFile = \"\"",
        "st MapFile = \"\"",
        "l MaxTonnage = -5",
        "l NumDropZones = 2",
        "",
        "[DropZone0]",
        "l NumSlots = -1",
        "",
        "f PositionX = -250.5",
        "f PositionY = -0.5",
        "",
        "f OffsetX0 = 0",
        "f OffsetY0 = 0",
        "f Rotation0 = -45",
        "",
        "f OffsetX1 = -142",
        "f OffsetY1 = -142",
        "f Rotation1 = -45",
        "",
        "f OffsetX2 = 142",
        "f OffsetY2 = -142",
        "f Rotation2 = -45",
        "",
        "f OffsetX3 = 0",
        "f OffsetY3 = -284",
        "f Rotation3 = -45",
        "",
        "[DropZone1]",
        "l NumSlots = 4",
        "",
        "f PositionX = 0",
        "f PositionY = 0",
        "",
        "[Objectives]"}},
      {601,
       "e601.FIT",
       {"[Objective0]", "st Name = \"Neg\"",
        "ul Type =-1" + std::string(54, ' ') +
            "//Types are 0=primary, 1=secondary, 2=other, -1=invisible",
        "f TimeLeft = -2" + std::string(40, ' ') +
            "//Time to accomplish objective.  -1.0 means forever",
        "ul Status =-1" + std::string(44, ' ') + "//Status are 0=incomplete, 1=success, 2=failed",
        "l Points =-5 ", ""}},
      {601,
       "e601.FIT",
       {"l Points = 0 ", "", "[Warriors]", "ul NumWarriors = 3 ", "uc CaptureChance =-1 "}},
      {601, "e601.FIT", {"[Warrior3]", "st Profile = \"PMW0000-5\"", "st Brain = \"attackbrain\""}},
      {601,
       "e601.FIT",
       {"f PositionX             = -100              // Starting position in world.",
        "f PositionY             = -.25 ",
        "f PositionZ             = -1.0              "
        "// Elevation automatically set by terrain.",
        "f Rotation              = -180               // Rotation of Object in Degrees"}},
      {601,
       "e601.FIT",
       {"[Commander1Group:-32769]", "l[12] Mates             = 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
        "", "[Commander1Group:-1]", "l[12] Mates             = 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
        "", "[Trains]", "l NumTrains             = 1", "", "[Train0]", "l Numcars = 1",
        "l Car0 = 5", "", "FITend"}},
      {601,
       "e601_INIT.ABI",
       {"     setCaptureable(getVehicleID(CLAN_FORCE,-32769,0),TRUE);", "     Neg1 = -2313;",
        "     setObjectDamage(Neg1,-5);", "     setPotentialContact(Neg1,-1);",
        "     setSalvage(Neg1,-1,-2);", "     Bar1 = 4097;", "     setObjectDamage(Bar1,-0.5);"}},
      {601, "e601_STR.ABI", {"if (getObjectDamage(Bar1) > -0.5) then"}},
      {601,
       "e601_LOP.ABI",
       {"      aPoint[0] = -100.5;", "      aPoint[1] = -0.5;", "      aPoint[2] = 0.0;",
        "      if (distanceToPosition(CLAN_FORCE, aPoint) < -50) then",
        "            setRevealed(-1,-300.0,aPoint);"}},
      {601, "e601_LOP.ABI", {"      if (Flag1) then", "            setRevealed(1,0.0,aPoint);"}},
      // Position parts at the 16-bit limits; a time limit of -2 is a limit;
      // objective side 0 is the Clan side's in the actions.
      {601, "e601.ABL", {c18 + "x = -104853513;", c18 + "if (isDead(x)) then"}},
      {601, "e601.ABL", {c24 + "if (gametime > -2) then"}},
      {601, "e601.ABL", {c18 + "x =105153399;", c18 + "if (isDead(x)) then"}},
      {601,
       "e601.ABL",
       {c24 + "if ((gettimeleft == 0.0) OR (PlayerForceDead)) then  "
              "// supposedly will not happen unless time limit is set"}},
      // Side 0 counts with the Inner Sphere: one primary objective to win.
      {601, "e601.ABL", {"                  if (VictoryLevel >= 1) then"}},
      {602, "e602.FIT", {"//      Mission Name: Null  Creation Date: 2026-01-01  "}},
      {602, "e602.FIT", {"ul XGridSize =24", "ul YGridSize =24"}},
      {602,
       "e602.FIT",
       {"f TimeLeft = Null" + std::string(39, ' ') +
        "//Time to accomplish objective.  -1.0 means forever"}},
      {602,
       "e602.FIT",
       {"f PositionX             = Null             // Starting position in world.",
        "f PositionY             = Null"}},
      // A Null force group never equals the open group: each unit opens one.
      {602,
       "e602.FIT",
       {"[Commander0Group:]", "l[12] Mates             = 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0", "",
        "[Commander0Group:]", "l[12] Mates             = 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0"}},
      {602, "e602_VAR.ABI", {"// Variable Include file for mission Null"}},
      {602, "e602.ABL", {"     // Mission Name: Null"}},
      {602, "e602.ABL", {c18 + "if (isDead(ClanStar(-1))) then"}},
      {602, "e602.ABL", {c24 + "if (gettimeleft == 0.0) then"}},
      {602, "e602.ABL", {c18 + "if (isDead(ALLIED_LANCE)) then"}},
      {602, "e602_STR.ABI", {"if (getObjectDamage(Bar2) > ) then"}},
      {602, "e602_INIT.ABI", {"     Bar2 = 7305;", "     objectChangeSides(Bar2,INNER_SPHERE);"}},
      {602,
       "e602_LOP.ABI",
       {"      aPoint[0] = ;", "      aPoint[1] = ;", "      aPoint[2] = 0.0;",
        "      if (distanceToPosition(PLAYER_FORCE, aPoint) < ) then",
        "            setRevealed(1,.0,aPoint);"}},
  };
  for (const ValueCase& c : cases) {
    const EdgeRun& run = Compiled(c.mission);
    ASSERT_TRUE(run.fit && run.script) << c.mission;
    EXPECT_TRUE(HasSequence(run.File(c.file), c.lines)) << c.file << ": " << c.lines.front();
  }
  EXPECT_EQ(Compiled(601).fit_messages, Lines{});
  EXPECT_EQ(Compiled(602).script_messages, Lines{});
}

}  // namespace
}  // namespace quorvane::testing
