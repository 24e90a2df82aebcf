#include "fit/drop_zones.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// The expected formation lines: the offsets of slots 1 to 3 as "X1 Y1 X2 Y2
// X3 Y3" (a "-" stands for nothing after the literal) and the facing text.
std::vector<std::string> Expected(const std::string& offsets, const std::string& facing) {
  std::istringstream in(offsets);
  std::vector<std::string> lines = {"f OffsetX0 = 0", "f OffsetY0 = 0", "f Rotation0 = " + facing,
                                    ""};
  for (int slot = 1; slot <= 3; ++slot) {
    std::string x, y;
    in >> x >> y;
    if (x == "-") x.clear();
    if (y == "-") y.clear();
    lines.push_back("f OffsetX" + std::to_string(slot) + " = " + x);
    lines.push_back("f OffsetY" + std::to_string(slot) + " = " + y);
    lines.push_back("f Rotation" + std::to_string(slot) + " = " + facing);
    lines.push_back("");
  }
  return lines;
}

struct LayoutCase {
  const char* formation;
  int16_t rotation;
  const char* offsets;  // at a spacing of 2
};

class FormationLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(FormationLayoutTest, PlacesTheSlotsForTheFacing) {
  const LayoutCase& c = GetParam();
  Variant step_x, step_y;
  std::vector<std::string> lines =
      FormationLines(Variant::String(c.formation), Variant::Integer(c.rotation), Variant::Double(2),
                     step_x, step_y);
  EXPECT_EQ(lines, Expected(c.offsets, std::to_string(c.rotation)));
}

INSTANTIATE_TEST_SUITE_P(EveryFacing, FormationLayoutTest,
                         testing::Values(LayoutCase{"Diamond", 0, "0 -200 200 0 200 -200"},
                                         LayoutCase{"Diamond", 45, "-142 142 -142 -142 -284 0"},
                                         LayoutCase{"Diamond", 90, "-200 0 0 -200 -200 -200"},
                                         LayoutCase{"Diamond", 135, "-142 -142 142 -142 0 -284"},
                                         LayoutCase{"Diamond", -45, "142 142 -142 142 0 284"},
                                         LayoutCase{"Diamond", -90, "200 0 0 200 200 200"},
                                         LayoutCase{"Diamond", -135, "142 -142 142 142 284 0"},
                                         LayoutCase{"Diamond", 180, "0 -200 200 0 200 -200"},
                                         LayoutCase{"Column", 0, "-142 142 -284 284 -426 426"},
                                         LayoutCase{"Column", 45, "-200 0 -400 0 -600 0"},
                                         LayoutCase{"Column", 90, "-142 -142 -284 -284 -426 -426"},
                                         LayoutCase{"Column", 135, "0 -200 0 -400 0 -600"},
                                         LayoutCase{"Column", -45, "0 200 0 400 0 600"},
                                         LayoutCase{"Column", -90, "142 142 284 284 426 426"},
                                         LayoutCase{"Column", -135, "200 0 400 0 600 0"},
                                         LayoutCase{"Column", 180, "142 -142 284 -284 426 -426"},
                                         LayoutCase{"Line", 0, "-142 -142 -284 -284 -426 -426"},
                                         LayoutCase{"Line", 45, "0 -200 0 -400 0 -600"},
                                         LayoutCase{"Line", 90, "142 -142 284 -284 426 -426"},
                                         LayoutCase{"Line", 135, "200 0 400 0 600 0"},
                                         LayoutCase{"Line", -45, "-200 0 -400 0 -600 0"},
                                         LayoutCase{"Line", -90, "-142 142 -284 284 -426 426"},
                                         LayoutCase{"Line", -135, "0 200 0 400 0 600"},
                                         LayoutCase{"Line", 180, "142 142 284 284 426 426"}));

struct ValueCase {
  const char* name;
  Variant formation, rotation, spacing;
  std::string offsets;  // empty: no formation lines at all
  std::string facing;
};

TEST(FormationLinesTest, ValuesAndFacingsWithoutLayout) {
  const ValueCase cases[] = {
      {"fractional spacing", Variant::String("Line"), Variant::Integer(90), Variant::Double(1.5),
       "106.5 -106.5 213 -213 319.5 -319.5", "90"},
      {"16-bit spacing whose offsets pass the 16-bit range", Variant::String("Column"),
       Variant::Integer(0), Variant::Integer(200), "-14200 14200 -28400 28400 -42600 42600", "0"},
      {"negative spacing", Variant::String("Diamond"), Variant::Long(-90), Variant::Integer(-1),
       "-100 0 0 -100 -100 -100", "-90"},
      {"single-precision spacing", Variant::String("Column"), Variant::Single(-90),
       Variant::Single(0.1f), "7.1 7.1 14.2 14.2 21.3 21.3", "-90"},
      {"Null spacing in a Diamond keeps its zeros", Variant::String("Diamond"), Variant::Integer(0),
       Variant::Null(), "0 - - 0 - -", "0"},
      {"Null spacing in a Column", Variant::String("Column"), Variant::Integer(45), Variant::Null(),
       "- - - - - -", "45"},
      {"Diamond at an unlisted facing", Variant::String("Diamond"), Variant::Integer(30),
       Variant::Double(2), "", ""},
      {"Line at an unlisted facing", Variant::String("Line"), Variant::Integer(30),
       Variant::Double(2), "", ""},
      {"formation in lower case", Variant::String("diamond"), Variant::Integer(0),
       Variant::Double(2), "", ""},
      {"Null formation", Variant::Null(), Variant::Integer(0), Variant::Double(2), "", ""},
      {"Null facing", Variant::String("Diamond"), Variant::Null(), Variant::Double(2), "", ""},
  };
  for (const ValueCase& c : cases) {
    Variant step_x = Variant::Integer(7), step_y = Variant::Integer(7);
    std::vector<std::string> lines =
        FormationLines(c.formation, c.rotation, c.spacing, step_x, step_y);
    std::vector<std::string> expected;
    if (!c.offsets.empty()) expected = Expected(c.offsets, c.facing);
    EXPECT_EQ(lines, expected) << c.name;
  }
}

}  // namespace
}  // namespace quorvane
