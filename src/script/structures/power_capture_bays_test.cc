// Power stations and controls, bays, and statements past the last case
// number of handleMessage.
// The complete listings of every behaviour, single-player (campaign mission
// 7) and multiplayer (mission 23), are pinned by the golden files; these
// tests add the cases those missions lack.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

using Cases = std::vector<std::vector<std::string>>;

StructureRow Row(const char* identifier, const char* type, int alignment, bool captureable,
                 int id = 1) {
  return {.id = id,
          .identifier = identifier,
          .type = type,
          .alignment = alignment,
          .captureable = captureable};
}

const std::vector<LinkRow> kTwoLinks = {{.number = 1}, {.number = 2, .inactive = true}};

TEST(PowerTest, SwitchesLinkedObjectsOffAndHandsThemOver) {
  const char* const capture =
      "if ((IsCaptured(P1) == 1) AND (objectSide(P1) <> P1Alignment) AND (P1Alignment <> -2)) then";
  ExpectBehaviours({
      {"power station without links",
       {.structures = {Row("P1", "Power Station", 1, true)}},
       Placed({{0, ""}, {1, "if (isdead(P1)) then"}, {1, "endif;"}}),
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

// Past the last case number a statement that would open a case is refused:
// its send lines carry 0 and the statements after it join the last case.
TEST(CaptureTest, RefusedEventsJoinTheLastCase) {
  StructureMission mission{.multiplayer = true};
  for (int id = 1; id <= 125; ++id) {
    mission.structures.push_back(
        Row(("R" + std::to_string(id)).c_str(), "No-link Captureable", 0, true, id));
  }
  StructureOutput output = WriteStructures(mission);
  EXPECT_EQ(output.messages, std::vector<std::string>{"Too many Multiplayer Events."});
  ASSERT_EQ(output.cases.size(), 249u);
  EXPECT_EQ(output.cases.back(),
            (std::vector<std::string>{"R125Alignment = -2;", "R125Alignment = MsgParams;"}));
  EXPECT_EQ(output.str.end()[-4], "           sendMessage(0,ObjectSide(R125));");
}

}  // namespace
}  // namespace quorvane::testing
