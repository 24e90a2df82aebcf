// Power stations and controls, no-link captureable structures, bays and
// artillery crates, single-player and multiplayer.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/structure_mission.h"

namespace quorvane::structure_test {
namespace {

using Cases = std::vector<std::vector<std::string>>;

struct BehaviourCase {
  const char* name;
  StructureMission mission;
  std::vector<std::string> str;
  Cases cases;
};

StructureRow Row(const char* identifier, const char* type, int alignment, bool captureable,
                 int id = 1) {
  return {.id = id,
          .identifier = identifier,
          .type = type,
          .alignment = alignment,
          .captureable = captureable};
}

const std::vector<LinkRow> kTwoLinks = {{.number = 1}, {.number = 2, .inactive = true}};

void ExpectBehaviours(const std::vector<BehaviourCase>& cases) {
  for (const BehaviourCase& c : cases) {
    SCOPED_TRACE(c.name);
    StructureOutput output = WriteStructures(c.mission);
    EXPECT_EQ(output.str, c.str);
    EXPECT_EQ(output.cases, c.cases);
    EXPECT_TRUE(output.messages.empty());
  }
}

TEST(PowerTest, SwitchesLinkedObjectsOffAndHandsThemOver) {
  const char* const capture =
      "if ((IsCaptured(P1) == 1) AND (objectSide(P1) <> P1Alignment) AND (P1Alignment <> -2)) then";
  ExpectBehaviours({
      {"power station without links",
       {.structures = {Row("P1", "Power Station", 1, true)}},
       Placed({{0, ""}, {1, "if (isdead(P1)) then"}, {1, "endif;"}}),
       {}},
      {"power station, multiplayer",
       {.multiplayer = true,
        .structures = {Row("P1", "Power Station", 1, false)},
        .links = kTwoLinks},
       Placed({{0, ""},
               {1, "if (isdead(P1)) then"},
               {6, "setObjectActive(4097,FALSE);"},
               {6, "setObjectActive(4098,FALSE);"},
               {1, "endif;"}}),
       {}},
      {"power control, single-player",
       {.structures = {Row("P1", "Power Control", 1, true)}, .links = kTwoLinks},
       Placed({{0, ""},
               {1, "if ((isdead(P1)) AND (P1Alignment <> -2)) then"},
               {6, "setObjectActive(4097,FALSE);"},
               {6, "setObjectActive(4098,FALSE);"},
               {6, "P1Alignment = -2;"},
               {1, "else"},
               {6, capture},
               {12, "objectChangeSides(4097,INNER_SPHERE);"},
               {12, "setPotentialContact(4097,2);"},
               {12, "setObjectActive(4098 , TRUE);"},
               {12, "objectChangeSides(4098,INNER_SPHERE);"},
               {12, "setPotentialContact(4098,2);"},
               {12, "objectChangeSides(P1,INNER_SPHERE);"},
               {12, "P1Alignment = INNER_SPHERE;"},
               {12, "setPotentialContact(P1,2);"},
               {6, "endif;"},
               {1, "endif;"}}),
       {}},
      {"power control, multiplayer",
       {.multiplayer = true,
        .structures = {Row("P1", "Power Control", 1, true)},
        .links = kTwoLinks},
       Placed({{0, ""},
               {1, "if ((isdead(P1)) AND (P1Alignment <> -2)) then"},
               {6, "SendMessage(1,0);"},
               {6, "HandleMessage;"},
               {1, "else"},
               {6, capture},
               {12, "SendMessage(2,ObjectSide(P1));"},
               {12, "HandleMessage;"},
               {6, "endif;"},
               {1, "endif;"}}),
       {{"setObjectActive(4097,FALSE);", "setObjectActive(4098,FALSE);", "P1Alignment = -2;"},
        {"objectChangeSides(4097,MsgParams);", "setObjectActive(4098 , TRUE);",
         "objectChangeSides(4098,MsgParams);", "P1Alignment = MsgParams;",
         "objectChangeSides(P1,MsgParams);"}}},
      {"power control, multiplayer, without links",
       {.multiplayer = true, .structures = {Row("P1", "Power Control", 1, true)}},
       Placed({{0, ""},
               {1, "if ((isdead(P1)) AND (P1Alignment <> -2)) then"},
               {6, "SendMessage(1,0);"},
               {6, "HandleMessage;"},
               {1, "else"},
               {6, capture},
               {12, "SendMessage(2,ObjectSide(P1));"},
               {12, "HandleMessage;"},
               {6, "endif;"},
               {1, "endif;"}}),
       {{"P1Alignment = -2;"}, {"P1Alignment = MsgParams;", "objectChangeSides(P1,MsgParams);"}}},
  });
}

TEST(CaptureTest, NoLinkCaptureableAndMechBays) {
  const char* const capture =
      "if ((IsCaptured(R1) == 1) AND (objectSide(R1) <> R1Alignment) AND (R1Alignment <> -2)) then";
  ExpectBehaviours({
      {"no-link captureable, single-player, Captureable not set",
       {.structures = {Row("R1", "No-link Captureable", 0, false)}},
       Placed({{0, ""},
               {1, "if ((isdead(R1)) AND (R1Alignment <> -2)) then"},
               {6, "R1Alignment = -2;"},
               {1, "else"},
               {6, capture},
               {12, "R1Alignment = INNER_SPHERE;"},
               {12, "setPotentialContact(R1,2);"},
               {6, "endif;"},
               {1, "endif;"}}),
       {}},
      {"no-link captureable, multiplayer",
       {.multiplayer = true, .structures = {Row("R1", "No-link Captureable", 0, true)}},
       Placed({{0, ""},
               {1, "if ((isdead(R1)) AND (R1Alignment <> -2)) then"},
               {6, "SendMessage(1,0);"},
               {6, "HandleMessage;"},
               {1, "else"},
               {6, capture},
               {12, "sendMessage(2,ObjectSide(R1));"},
               {12, "handleMessage;"},
               {6, "endif;"},
               {1, "endif;"}}),
       {{"R1Alignment = -2;"}, {"objectChangeSides(R1,MsgParams);", "R1Alignment = MsgParams;"}}},
      {"Clan and Inner Sphere mech bays, single-player",
       {.structures = {Row("R1", "Mech Bay", 1, false, 1), Row("M2", "Mech Bay", 2, false, 2)}},
       Placed({{0, ""},
               {1, "if (isdead(R1)) then"},
               {6, "removeMechBay(R1);"},
               {6, "R1Alignment = -2;"},
               {1, "endif;"},
               {0, ""},
               {1, "if (isdead(M2)) then"},
               {6, "M2Alignment = -2;"},
               {1, "endif;"}}),
       {}},
      {"captureable mech bay, multiplayer",
       {.multiplayer = true, .structures = {Row("R1", "Mech Bay", 1, true)}},
       Placed({{0, ""},
               {1, "if (isdead(R1)) then"},
               {0, ""},
               {1, "else"},
               {6, capture},
               {12, "sendMessage(1,ObjectSide(R1));"},
               {12, "handleMessage;"},
               {6, "endif;"},
               {1, "endif;"}}),
       {{"objectChangeSides(R1,MsgParams);", "R1Alignment = MsgParams;"}}},
  });
}

// Clan bays are registered in MechBays and VehicleBays, numbered from 0, and
// counted at the end of the include; only Clan vehicle bays are allowed.
TEST(BayTest, RegistersClanBaysAndRefusesInnerSphereVehicleBays) {
  StructureOutput output = WriteStructures({.structures = {
                                                Row("M1", "Mech Bay", 1, false, 1),
                                                Row("M2", "Mech Bay", 2, false, 2),
                                                Row("M3", "Mech Bay", 1, false, 3),
                                                Row("V1", "Vehicle Bay", 2, false, 4),
                                                Row("V2", "Vehicle Bay", 1, false, 5),
                                                Row("V3", "Vehicle Bay", 0, false, 6),
                                                Row("V4", "Vehicle Bay", 2, false, 7),
                                            }});
  auto has = [&](const std::string& line) {
    return std::count(output.init.begin(), output.init.end(), "     " + line);
  };
  EXPECT_EQ(has("MechBays[0] = M1;"), 1);
  EXPECT_EQ(has("MechBays[1] = M3;"), 1);
  EXPECT_EQ(has("VehicleBays[0] = V2;"), 1);
  EXPECT_EQ(output.init.back(), "     TotalVehicleBays =  1;");
  EXPECT_EQ(output.init.end()[-2], "     TotalMechBays =  2;");
  const std::string refusal =
      "The design does not permit you to have an Inner Sphere Vehicle Bay.  Please change the "
      "alignment to Clan.";
  EXPECT_EQ(output.messages, (std::vector<std::string>{refusal, refusal}));
  // The vehicle bays' code: an empty line each, and the Clan bay's removal.
  const std::vector<std::string> vehicle_bays = Placed({{0, ""},
                                                        {0, ""},
                                                        {1, "if (isdead(V2)) then"},
                                                        {6, "removeVehicleBay(V2);"},
                                                        {1, "endif;"},
                                                        {0, ""},
                                                        {0, ""}});
  EXPECT_TRUE(std::equal(vehicle_bays.rbegin(), vehicle_bays.rend(), output.str.rbegin()));
}

TEST(ArtilleryCrateTest, GivesStrikesToItsCapturer) {
  ExpectBehaviours({
      {"single-player",
       {.structures = {Row("C1", "Artillery Crate", 0, true)}},
       Placed({{0, ""},
               {1, "if (IsAlive(C1)) then"},
               {6, "if ((IsCaptured(C1) == 1) AND (C1Alignment <> -2)) then"},
               {12, "X = Random( STRIKE_TYPE_LIMIT );"},
               {12, "Y = ObjectCommander(C1);"},
               {12, "if (GetStrikes( Y, X ) < MAX_STRIKES ) then"},
               {18, "AddStrikes( Y, X, 2);"},
               {12, "endif;"},
               {12, "setCaptureable(C1, FALSE );"},
               {12, "C1Alignment = -2;"},
               {6, "endif;"},
               {1, "endif;"}}),
       {}},
      {"multiplayer: captureable again after the countdown",
       {.multiplayer = true, .structures = {Row("C1", "Artillery Crate", 0, true)}},
       Placed({{0, ""},
               {1, "if (isAlive(C1)) then"},
               {6, "if ((IsCaptured(C1) == 1) AND (C1Alignment > -2)) then"},
               {12, "X = Random(STRIKE_TYPE_LIMIT);"},
               {12, "sendMessage(1,(((objectCommander(C1)+1)*10)+X));"},
               {12, "handleMessage;"},
               {6, "else"},
               {12, "if (C1Alignment < -1) then"},
               {18, "if (C1Alignment > -59) then"},
               {24, "if (gametime == nextsecond - 1.0) then"},
               {30, "sendMessage(2,0);"},
               {30, "handleMessage;"},
               {24, "endif;"},
               {18, "else"},
               {24, "sendMessage(3,0);"},
               {24, "handleMessage;"},
               {18, "endif;"},
               {12, "endif;"},
               {6, "endif;"},
               {1, "endif;"}}),
       {{"objectChangeSides(C1, NEUTRAL);",
         "if (getStrikes(((MsgParams/10)-1),(MsgParams MOD 10)) < MAX_STRIKES) then",
         "      addStrikes(((MsgParams/10)-1),(MsgParams MOD 10),1);", "endif;",
         "setCaptureable(C1, FALSE);", "C1Alignment = -2;"},
        {"C1Alignment = C1Alignment - 1;"},
        {"setCaptureable(C1, TRUE);", "C1Alignment = NEUTRAL;"}}},
  });
}

}  // namespace
}  // namespace quorvane::structure_test
