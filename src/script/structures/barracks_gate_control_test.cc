// Barracks and gate controls, single-player and multiplayer.
// The complete listings of every behaviour, single-player (campaign mission
// 7) and multiplayer (mission 23), are pinned by the golden files; these
// tests add the cases those missions lack.

#include <gtest/gtest.h>

#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

using Cases = std::vector<std::vector<std::string>>;

StructureRow Gate(int alignment, bool captureable) {
  return {.identifier = "G1",
          .type = "Gate Control",
          .alignment = alignment,
          .captureable = captureable};
}

const char* const kCaptureTest =
    "if ((IsCaptured(G1) == 1) AND (objectSide(G1) <> G1Alignment) AND (G1Alignment <> -2)) then";

TEST(GateControlTest, LocksItsGatesWhenDestroyedAndHandsThemOverWhenCaptured) {
  ExpectBehaviours({
      {"multiplayer, captureable, no gates",
       {.multiplayer = true, .structures = {Gate(2, true)}},
       Placed({{0, ""},
               {1, "if ((isdead(G1)) AND (G1Alignment <> -2)) then"},
               {1, "else"},
               {6, kCaptureTest},
               {12, "sendMessage(1,ObjectSide(G1));"},
               {12, "handleMessage;"},
               {6, "endif;"},
               {1, "endif;"}}),
       {{"G1Alignment = MsgParams;", "objectChangeSides(G1,MsgParams);"}}},
      {"not captureable, no gates",
       {.structures = {Gate(2, false)}},
       Placed({{0, ""}, {1, "if ((isdead(G1)) AND (G1Alignment <> -2)) then"}, {1, "endif;"}}),
       {}},
  });
}

TEST(GateControlTest, GatesStartOnTheControlsSideAndInactiveGatesLocked) {
  StructureOutput output = WriteStructures(
      {.structures = {Gate(1, false)}, .links = {{.number = 1}, {.number = 2, .inactive = true}}});
  EXPECT_EQ(output.init, Placed({{6, "G1 = 10504;"},
                                 {6, "objectChangeSides(G1,CLAN);"},
                                 {6, "setPotentialContact(G1,0);"},
                                 {6, "G1Alignment = CLAN;"},
                                 {6, "objectChangeSides(4097,CLAN);"},
                                 {6, "objectChangeSides(4098,CLAN);"},
                                 {6, "LockGateClosed(4098);"}}));
}

// Damage beyond the barracks' own starting damage raises the general alarm
// directly, also in a multiplayer mission.
TEST(BarracksTest, ComparesWithItsStartingDamage) {
  struct BarracksCase {
    std::optional<double> damage;
    bool multiplayer;
    std::string test;
  };
  for (const BarracksCase& c : std::vector<BarracksCase>{{25.5, false, "> 25.5) then"},
                                                         {25.5, true, "> 25.5) then"},
                                                         {0, false, "> 0) then"},
                                                         {std::nullopt, false, "> ) then"}}) {
    StructureOutput output = WriteStructures(
        {.multiplayer = c.multiplayer,
         .structures = {{.identifier = "B1", .type = "Barracks", .damage = c.damage}}});
    EXPECT_EQ(output.str, Placed({{0, ""},
                                  {1, "if (getObjectDamage(B1) " + c.test},
                                  {6, "GeneralAlarm = TRUE;"},
                                  {1, "endif;"}}));
    EXPECT_TRUE(output.cases.empty());
  }
}

}  // namespace
}  // namespace quorvane::testing
