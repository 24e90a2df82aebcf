// Turret and sensor controls, single-player and multiplayer.
// The complete listings of every behaviour, single-player (campaign mission
// 7) and multiplayer (mission 23), are pinned by the golden files; these
// tests add the cases those missions lack.

#include <gtest/gtest.h>

#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

using Cases = std::vector<std::vector<std::string>>;

StructureRow Control(const char* type, int alignment, bool captureable) {
  return {.identifier = "T1", .type = type, .alignment = alignment, .captureable = captureable};
}

// Two turrets: 4097 active, 4098 starting switched off.
const std::vector<LinkRow> kTwoTurrets = {{.number = 1}, {.number = 2, .inactive = true}};
const std::vector<LinkRow> kOneInactiveTower = {{.number = 1, .inactive = true}};

TEST(TurretSensorControlTest, WritesTheDestroyedAndCapturedBranches) {
  ExpectBehaviours({
      {"turret, not captureable, no turrets",
       {.structures = {Control("Turret Control", 1, false)}},
       Placed({{0, ""},
               {1, "if ((isdead(T1)) AND (T1Alignment <> -2)) then"},
               {6, "T1Alignment = -2;"},
               {1, "endif;"}}),
       {}},
      {"sensor, single-player, the player's control goes to the Clan",
       {.structures = {Control("Sensor Control", 2, true)}, .links = kOneInactiveTower},
       Placed({{0, ""},
               {1, "if ((isdead(T1)) AND (T1Alignment <> -2)) then"},
               {6, "setObjectActive(4097,FALSE);"},
               {6, "T1Alignment = -2;"},
               {1, "else"},
               {6, "if ((IsCaptured(T1) == 1) AND (objectSide(T1) <> T1Alignment)) then"},
               {12, "setObjectActive(4097,TRUE);"},
               {12, "objectChangeSides(4097,CLAN);"},
               {12, "objectChangeSides(T1,CLAN);"},
               {12, "T1Alignment = CLAN;"},
               {6, "endif;"},
               {1, "endif;"}}),
       {}},
      {"sensor, single-player, alignment 3 has no captured branch",
       {.structures = {Control("Sensor Control", 3, true)}, .links = kOneInactiveTower},
       Placed({{0, ""},
               {1, "if ((isdead(T1)) AND (T1Alignment <> -2)) then"},
               {6, "setObjectActive(4097,FALSE);"},
               {6, "T1Alignment = -2;"},
               {1, "else"},
               {1, "endif;"}}),
       {}},
  });
}

// Linked objects start on their control's side; the switched-off start of an
// Inactive object is set by the sensor's destroyed branch and by the
// turret's captured branch, so a turret control that cannot be captured
// leaves its turrets on.
TEST(TurretSensorControlTest, StartStateOfTheLinkedObjects) {
  struct StartCase {
    const char* name;
    StructureRow control;
    std::vector<std::string> init;
  };
  const std::vector<StartCase> cases = {
      {"neutral turret control that cannot be captured", Control("Turret Control", 0, false),
       Placed({{6, "T1 = 10504;"},
               {6, "objectChangeSides(T1,NEUTRAL);"},
               {6, "setPotentialContact(T1,0);"},
               {6, "T1Alignment = NEUTRAL;"},
               {6, "objectChangeSides(4097,NEUTRAL);"},
               {6, "objectChangeSides(4098,NEUTRAL);"}})},
      {"sensor control of alignment 3", Control("Sensor Control", 3, false),
       Placed({{6, "T1 = 10504;"},
               {6, "setPotentialContact(T1,0);"},
               {6, "setObjectActive(4098,FALSE);"}})},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    StructureOutput output = WriteStructures({.structures = {c.control}, .links = kTwoTurrets});
    EXPECT_EQ(output.init, c.init);
  }
}

}  // namespace
}  // namespace quorvane::testing
