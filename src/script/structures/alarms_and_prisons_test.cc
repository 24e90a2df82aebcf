// Perimeter alarms and prisons.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/structure_mission.h"

namespace quorvane::structure_test {
namespace {

StructureRow Alarm(const char* identifier, int alignment, int id = 1) {
  return {.id = id, .identifier = identifier, .type = "Perimeter Alarm", .alignment = alignment};
}

TEST(PerimeterAlarmTest, SinglePlayerClanAlarm) {
  StructureOutput output = WriteStructures({.structures = {Alarm("Post1", 1)}});
  EXPECT_EQ(output.str,
            Placed({{0, ""},
                    {1, "if (isAlive(Post1)) then"},
                    {6, "getObjectPosition(Post1,aPoint);"},
                    {1, "if (inHotSpot(PLAYER_FORCE,aPoint[0],aPoint[1],100)) then"},
                    {11, "PerimeterBreach = TRUE;"},
                    {11, "SetRevealed(1,10.0,aPoint);"},
                    {11, "if (Post1TripTime == -1.0) then"},
                    {16, "Post1TripTime = gametime;"},
                    {16, "if (NOT PlayPASound) then"},
                    {22, "PlayPASound = TRUE;"},
                    {16, "endif;"},
                    {11, "else"},
                    {16, "if (gametime - Post1TripTime >= 12.0) then"},
                    {21, "SetRevealed(2,100.0,aPoint);"},
                    {21, "if (NOT GeneralAlarm) then"},
                    {27, "GeneralAlarm = TRUE;"},
                    {21, "endif;"},
                    {21, "if (NOT PlayGASound) then"},
                    {27, "PlayGASound = TRUE;"},
                    {27, "PlayPASound = FALSE;"},
                    {21, "endif;"},
                    {16, "else"},
                    {21, "if (NOT PlayPASound) then"},
                    {27, "PlayPASound = TRUE;"},
                    {21, "endif;"},
                    {16, "endif;"},
                    {11, "endif;"},
                    {6, "else"},
                    {11, "if ((Post1TripTime <> -1.0) AND (gametime - Post1TripTime < 12.0)) then"},
                    {16, "Post1TripTime = -1.0;"},
                    {11, "endif;"},
                    {6, "endif;"},
                    {1, "endif;"},
                    // The alarm reset block at the end of the include.
                    {0, ""},
                    {1, "if (NOT PerimeterBreach) then"},
                    {7, "if (PlayGASound) then"},
                    {13, "PlayGASound = FALSE;"},
                    {7, "endif;"},
                    {7, "if (PlayPASound) then"},
                    {13, "PlayPASound = FALSE;"},
                    {7, "endif;"},
                    {1, "endif;"}}));
  EXPECT_EQ(output.var.back(), "     static real" + std::string(23, ' ') + "Post1TripTime;");
  EXPECT_EQ(output.init.back(), "     Post1TripTime = -1.0;");
}

// In a multiplayer mission the alarm asks the fixed cases of handleMessage
// to sound; it opens no numbered case.
TEST(PerimeterAlarmTest, MultiplayerInnerSphereAlarmSendsTheFixedMessages) {
  StructureOutput output = WriteStructures({.multiplayer = true, .structures = {Alarm("A", 2)}});
  EXPECT_EQ(output.str,
            Placed({{0, ""},
                    {1, "if (isAlive(A)) then"},
                    {6, "getObjectPosition(A,aPoint);"},
                    {1, "if (inHotSpot(CLAN_FORCE,aPoint[0],aPoint[1],100)) then"},
                    {11, "PerimeterBreach = TRUE;"},
                    {11, "SetRevealed(1,10.0,aPoint);"},
                    {11, "if (ATripTime == -1.0) then"},
                    {16, "ATripTime = gametime;"},
                    {16, "if (NOT PlayPASound) then"},
                    {22, "SendMessage(MSG_PERIMETER_ALARM_ON,0);"},
                    {22, "handleMessage;"},
                    {16, "endif;"},
                    {11, "else"},
                    {16, "if (gametime - ATripTime >= 12.0) then"},
                    {21, "SetRevealed(2,100.0,aPoint);"},
                    {21, "if (NOT GeneralAlarm) then"},
                    {27, "SendMessage(MSG_GENERAL_ALARM_ON,0);"},
                    {27, "handleMessage;"},
                    {21, "endif;"},
                    {21, "if (NOT PlayGASound) then"},
                    {27, "SendMessage(MSG_GENERAL_ALARM_ON,0);"},
                    {27, "handleMessage;"},
                    {21, "endif;"},
                    {16, "else"},
                    {21, "if (NOT PlayPASound) then"},
                    {27, "SendMessage(MSG_PERIMETER_ALARM_ON,0);"},
                    {27, "handleMessage;"},
                    {21, "endif;"},
                    {16, "endif;"},
                    {11, "endif;"},
                    {6, "else"},
                    {11, "if ((ATripTime <> -1.0) AND (gametime - ATripTime < 12.0)) then"},
                    {16, "ATripTime = -1.0;"},
                    {11, "endif;"},
                    {6, "endif;"},
                    {1, "endif;"},
                    {0, ""},
                    {1, "if (NOT PerimeterBreach) then"},
                    {7, "if (PlayGASound) then"},
                    {13, "SendMessage(MSG_GENERAL_ALARM_OFF,0);"},
                    {13, "HandleMessage;"},
                    {7, "endif;"},
                    {7, "if (PlayPASound) then"},
                    {13, "SendMessage(MSG_PERIMETER_ALARM_OFF,0);"},
                    {13, "HandleMessage;"},
                    {7, "endif;"},
                    {1, "endif;"}}));
  EXPECT_TRUE(output.cases.empty());
}

// Any alarm that is neither Clan nor Inner Sphere watches nobody, but still
// takes part in the reset block.
TEST(PerimeterAlarmTest, NeutralAlarmsNeverFire) {
  for (std::optional<int> alignment :
       {std::optional<int>(0), std::optional<int>(3), std::optional<int>()}) {
    StructureRow alarm = Alarm("N", 0);
    alarm.alignment = alignment;
    StructureOutput output = WriteStructures({.structures = {alarm}});
    ASSERT_GT(output.str.size(), 5u);
    EXPECT_EQ(output.str[3], "// neutral perimeter alarm do nothing");
    EXPECT_EQ(output.str[4], "if (1 == 0 ) then");
    EXPECT_EQ(std::count(output.str.begin(), output.str.end(), "if (NOT PerimeterBreach) then"), 1);
  }
}

TEST(PerimeterAlarmTest, OneResetBlockForAllAlarms) {
  StructureOutput output =
      WriteStructures({.structures = {Alarm("A", 1, 1), Alarm("B", 2, 2), Alarm("C", 0, 3)}});
  EXPECT_EQ(std::count(output.str.begin(), output.str.end(), "if (NOT PerimeterBreach) then"), 1);
  EXPECT_EQ(output.str.back(), "endif;");
}

TEST(PrisonTest, ImprisonsItsLinkedUnitsAtTheStart) {
  StructureOutput output =
      WriteStructures({.structures = {{.id = 1, .identifier = "Jail", .type = "Prison"},
                                      {.id = 2, .identifier = "Empty", .type = "Prison"}},
                       .links = {{.structure = 1, .prisoner = 2},
                                 {.structure = 1, .prisoner = 0},
                                 {.structure = 1, .prisoner = 1}}});
  EXPECT_TRUE(output.str.empty());
  const std::vector<std::string> prisoners = Placed(
      {{6, "addPrisoner(Jail,2);"}, {6, "addPrisoner(Jail,0);"}, {6, "addPrisoner(Jail,1);"}});
  EXPECT_TRUE(std::search(output.init.begin(), output.init.end(), prisoners.begin(),
                          prisoners.end()) != output.init.end());
  EXPECT_EQ(output.init.back(), "     setPotentialContact(Empty,0);");
}

}  // namespace
}  // namespace quorvane::structure_test
