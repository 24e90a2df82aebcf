// Perimeter alarms and prisons.
// The complete listings of every behaviour, single-player (campaign mission
// 7) and multiplayer (mission 23), are pinned by the golden files; these
// tests add the cases those missions lack.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

StructureRow Alarm(const char* identifier, int alignment, int id = 1) {
  return {.id = id, .identifier = identifier, .type = "Perimeter Alarm", .alignment = alignment};
}

// Any alarm that is neither Clan nor Inner Sphere watches nobody, but still
// counts for the reset block.
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
}  // namespace quorvane::testing
