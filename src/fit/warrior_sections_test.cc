#include "fit/warrior_sections.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

// A warrior without a profile name gets "PMW" and its number padded with
// zeros to five digits; the padding is chosen by the number's size alone.
TEST(WarriorProfileTest, PadsTheWarriorNumberAtEachWidth) {
  const struct {
    Variant mwid;
    const char* profile;
  } cases[] = {
      {Variant::Long(0), "PMW00000"},        {Variant::Long(7), "PMW00007"},
      {Variant::Long(9), "PMW00009"},        {Variant::Long(10), "PMW00010"},
      {Variant::Long(99), "PMW00099"},       {Variant::Long(100), "PMW00100"},
      {Variant::Long(999), "PMW00999"},      {Variant::Long(1000), "PMW01000"},
      {Variant::Long(9999), "PMW09999"},     {Variant::Long(10000), "PMW10000"},
      {Variant::Long(99999), "PMW99999"},    {Variant::Long(123456), "PMW123456"},
      {Variant::Integer(-5), "PMW0000-5"},   {Variant::Double(9.5), "PMW00009.5"},
      {Variant::Double(99.5), "PMW00099.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WarriorProfile(Variant::Null(), c.mwid), c.profile) << c.profile;
    EXPECT_EQ(WarriorProfile(Variant::String("  "), c.mwid), c.profile) << c.profile;
  }
  EXPECT_EQ(WarriorProfile(Variant::String(""), Variant::Long(5)), "PMW00005");
  EXPECT_EQ(WarriorProfile(Variant::String(" pmw_pad "), Variant::Long(5)), " pmw_pad ");
}

TEST(WarriorBrainTest, DefaultBrainBySideUnlessOneIsGiven) {
  const struct {
    Variant brain, alignment;
    const char* name;
  } cases[] = {
      {Variant::Null(), Variant::String("Clan"), "attackbrain"},
      {Variant::String(""), Variant::String("Other"), "attackbrain"},
      {Variant::Null(), Variant::String("Inner Sphere"), "pbrain"},
      {Variant::Null(), Variant::String("clan"), "pbrain"},
      {Variant::Null(), Variant::Null(), "pbrain"},
      {Variant::String(" "), Variant::String("Clan"), " "},
      {Variant::String("guard"), Variant::String("Clan"), "guard"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WarriorBrain(c.brain, c.alignment), c.name) << PrintedForm(c.alignment);
  }
}

}  // namespace
}  // namespace quorvane
