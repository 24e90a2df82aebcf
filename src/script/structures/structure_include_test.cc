// The structure include itself: captureable units, every structure's
// start state, the capture hand-over of structures without behaviour, and
// the end of the include.

#include "script/structures/structure_include.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/runtime_error.h"
#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

std::string Declaration(const std::string& type, const std::string& name) {
  std::string line = "     " + type;
  return line + std::string(39 - line.size(), ' ') + name + ";";
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(StructureIncludeTest, MissionWithoutStructuresOrCaptureableUnits) {
  StructureOutput output = WriteStructures({});
  EXPECT_TRUE(output.written);
  EXPECT_TRUE(output.str.empty());
  EXPECT_TRUE(output.var.empty());
  EXPECT_TRUE(output.init.empty());
}

TEST(StructureIncludeTest, StartStateOfAStructure) {
  struct StartCase {
    const char* name;
    StructureRow structure;
    std::vector<std::string> var;
    std::vector<std::string> init;
  };
  const std::vector<StartCase> cases = {
      {"every start state line",
       {.id = 7,
        .identifier = "Depot",
        .alignment = 1,
        .captureable = true,
        .damage = 10,
        .captured = true,
        .name = "North Depot",
        .contact = 2},
       {Declaration("eternal integer", "Depot"), Declaration("static integer", "DepotAlignment")},
       Placed({{6, "Depot = 10552;"},
               {6, "setObjectDamage(Depot,10);"},
               {6, "objectChangeSides(Depot,CLAN);"},
               {6, "setPotentialContact(Depot,2);"},
               {6, "setSalvage(Depot,2001,2);"},
               {6, "setSalvage(Depot,2002,1);"},
               {6, "setCaptureable(Depot, TRUE);"},
               {6, "DepotAlignment = CLAN;"},
               {6, "setCaptured(Depot);"},
               {6, "setBuildingName(Depot,North Depot);"}})},
      {"alignment 3: no side, no side variable",
       {.identifier = "Odd", .alignment = 3, .captureable = true, .damage = 2.5},
       {Declaration("eternal integer", "Odd")},
       Placed({{6, "Odd = 10504;"},
               {6, "setObjectDamage(Odd,2.5);"},
               {6, "setPotentialContact(Odd,0);"},
               {6, "setCaptureable(Odd, TRUE);"}})},
      {"Null alignment and damage",
       {.identifier = "Shed", .alignment = std::nullopt, .damage = std::nullopt},
       {Declaration("eternal integer", "Shed")},
       Placed({{6, "Shed = 10504;"}, {6, "setPotentialContact(Shed,0);"}})},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    StructureOutput output =
        WriteStructures({.structures = {c.structure},
                         .salvage = {{.structure = 7, .item = 2001, .quantity = 2},
                                     {.structure = 8, .item = 3000, .quantity = 9},
                                     {.structure = 7, .item = 2002, .quantity = 1}}});
    EXPECT_EQ(output.var, c.var);
    EXPECT_EQ(output.init, c.init);
    EXPECT_TRUE(output.str.empty());
    EXPECT_TRUE(output.messages.empty());
  }
}

// Identifiers with "[" name ObjectList elements: no declaration of their own,
// side variables Object<n>Alignment, and the list size at the end.
TEST(StructureIncludeTest, ObjectListElements) {
  for (int elements : {2, 10, 11}) {
    SCOPED_TRACE(elements);
    StructureMission mission;
    for (int n = 0; n < elements; ++n) {
      mission.structures.push_back(
          {.id = n + 1, .identifier = "Gen[" + std::to_string(n) + "]", .captureable = true});
    }
    StructureOutput output = WriteStructures(mission);
    EXPECT_EQ(output.var.size(), static_cast<size_t>(elements));
    EXPECT_EQ(output.var[1], Declaration("static integer", "Object1Alignment"));
    EXPECT_EQ(output.init[0], "     Gen[0] = 10504;");
    EXPECT_TRUE(Contains(output.init, "     Object0Alignment = INNER_SPHERE;"));
    EXPECT_EQ(output.init.back(), "     ObjectListSize =  " + std::to_string(elements) + ";");
    const std::vector<std::string> warning = {
        "Too many items on the ObjectList. Max is 10 (0 to 9)."};
    EXPECT_EQ(output.messages, elements > 10 ? warning : std::vector<std::string>{});
  }
}

// A captureable structure without BuildingType changes hands on every
// player's machine through its own event.
TEST(StructureIncludeTest, MultiplayerCaptureHandOverOfStructuresWithoutBehaviour) {
  StructureOutput output = WriteStructures(
      {.multiplayer = true,
       .structures = {{.id = 1, .identifier = "Beacon", .captureable = true},
                      {.id = 2, .identifier = "Odd", .alignment = 3, .captureable = true},
                      {.id = 3, .identifier = "Bunker1", .type = "Bunker", .captureable = true},
                      {.id = 4, .identifier = "Shed"}}});
  EXPECT_EQ(output.str,
            Placed({{1, "if (isAlive(Beacon)) then"},
                    {6,
                     "if ((IsCaptured(Beacon) == 1) AND (objectSide(Beacon) <> "
                     "BeaconAlignment) AND (BeaconAlignment <> -2)) then"},
                    {12, "SendMessage(1,objectSide(Beacon));"},
                    {12, "HandleMessage;"},
                    {6, "endif;"},
                    {1, "endif;"},
                    {1, "if (isAlive(Odd)) then"},
                    {6,
                     "if ((IsCaptured(Odd) == 1) AND (objectSide(Odd) <> OddAlignment) AND "
                     "(OddAlignment <> -2)) then"},
                    {12, "SendMessage(2,objectSide(Odd));"},
                    {12, "HandleMessage;"},
                    {6, "endif;"},
                    {1, "endif;"}}));
  EXPECT_EQ(output.cases,
            (std::vector<std::vector<std::string>>{
                {"objectChangeSides(Beacon,MsgParams);", "BeaconAlignment = MsgParams;"},
                {"objectChangeSides(Odd,MsgParams);", "OddAlignment = MsgParams;"}}));
  // The single-player mission writes no hand-over.
  EXPECT_TRUE(
      WriteStructures({.structures = {{.identifier = "Beacon", .captureable = true}}}).str.empty());
}

TEST(StructureIncludeTest, CaptureableUnitsByForceGroupPosition) {
  StructureOutput output = WriteStructures(
      {.units = {{.unique_entry = 23, .alignment = "Clan", .role = 1, .captureable = false},
                 {.unique_entry = 20, .alignment = "Clan", .role = 2},
                 {.unique_entry = 17, .alignment = "Clan", .role = 2, .captureable = false},
                 {.unique_entry = 30, .alignment = "Clan", .role = 3, .captureable = false},
                 {.unique_entry = 31,
                  .alignment = "Clan",
                  .force_group = 2,
                  .role = 1,
                  .captureable = false},
                 {.unique_entry = 40, .alignment = "Inner Sphere", .force_group = 2, .role = 1},
                 {.unique_entry = 50, .alignment = "Other", .force_group = 1, .role = 4},
                 // The lowest 16-bit group less one widens instead of overflowing.
                 {.unique_entry = 60, .alignment = "Clan", .force_group = -32768}}});
  EXPECT_TRUE(output.written);
  EXPECT_EQ(output.init, Placed({{6, "setCaptureable(getVehicleID(CLAN_FORCE,0,2),TRUE);"},
                                 {6, "setCaptureable(getVehicleID(PLAYER_FORCE,1,0),TRUE);"},
                                 {6, "setCaptureable(getVehicleID(ALLIED_FORCE,0,0),TRUE);"},
                                 {6, "setCaptureable(getVehicleID(CLAN_FORCE,-32769,0),TRUE);"}}));
}

// A captureable unit on no force stops the include before any structure.
TEST(StructureIncludeTest, CaptureableUnitOnNoForceEndsTheInclude) {
  StructureOutput output = WriteStructures({.structures = {{.identifier = "Gate1"}},
                                            .units = {{.unique_entry = 1, .alignment = "Clan"},
                                                      {.unique_entry = 2, .alignment = "aTrain"},
                                                      {.unique_entry = 3, .alignment = "Other"}}});
  EXPECT_FALSE(output.written);
  EXPECT_EQ(output.init, Placed({{6, "setCaptureable(getVehicleID(CLAN_FORCE,0,0),TRUE);"}}));
  EXPECT_EQ(output.messages,
            std::vector<std::string>{"Alignment not set correctly on captureable vehicle."});
}

TEST(StructureIncludeTest, IdentifiersAreWrittenAsStored) {
  StructureOutput output = WriteStructures({.structures = {{.identifier = "3rd Gate"}}});
  EXPECT_EQ(output.messages,
            std::vector<std::string>{"ABL Identifier '3rd Gate' starts with a number."});
  EXPECT_EQ(output.init[0], "     3rd Gate = 10504;");
  EXPECT_THROW(WriteStructures({.structures = {{.identifier = std::nullopt}}}), RuntimeError);
}

}  // namespace
}  // namespace quorvane::testing
