#include "picture/map_frame.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fit/drop_zones.h"

namespace quorvane::picture {
namespace {

// The facing the map draws agrees with the FIT file's formations: for each
// rotation a Column's slots line up straight behind slot 0, and a Line's
// stand square across the facing.
TEST(FacingVectorTest, AgreesWithTheFormationsOfTheFitFile) {
  for (int rotation : {0, 45, 90, 135, 180, -45, -90, -135}) {
    Point facing = FacingVector(rotation);
    auto column = FormationSlotOffsets(Variant::String("Column"), Variant::Integer(rotation),
                                       Variant::Integer(1));
    auto line = FormationSlotOffsets(Variant::String("Line"), Variant::Integer(rotation),
                                     Variant::Integer(1));
    ASSERT_TRUE(column && line) << rotation;
    double column_x = column->x[0].ToDouble(), column_y = column->y[0].ToDouble();
    double length = std::hypot(column_x, column_y);
    EXPECT_NEAR(facing.x, -column_x / length, 0.01) << rotation;
    EXPECT_NEAR(facing.y, -column_y / length, 0.01) << rotation;
    EXPECT_NEAR(facing.x * line->x[0].ToDouble() + facing.y * line->y[0].ToDouble(), 0, 1e-9)
        << rotation;
  }
}

TEST(GridStepTest, GivesAtMostTenLinesOfARoundDistance) {
  struct Case {
    double span, step;
  };
  for (Case c : {Case{1000, 100}, Case{1120, 200}, Case{224, 50}, Case{9.5, 1}, Case{0, 1},
                 Case{3e7, 5e6}}) {
    EXPECT_DOUBLE_EQ(GridStep(c.span), c.step) << c.span;
  }
}

TEST(MapFrameTest, FitsTheMissionWithYUpward) {
  MissionModel mission;
  Unit west, east;
  west.position = Point{-100, 0};
  east.position = Point{300, 200};
  mission.units = {west, east};
  MapFrame frame(mission, 20, 70, 880);
  EXPECT_LT(frame.ScreenX(-100), frame.ScreenX(300));
  EXPECT_GT(frame.ScreenY(0), frame.ScreenY(200));  // north is up
  for (Point point : {Point{-100, 0}, Point{300, 200}}) {
    EXPECT_GT(frame.ScreenX(point.x), 20);
    EXPECT_LT(frame.ScreenX(point.x), 900);
    EXPECT_GT(frame.ScreenY(point.y), 70);
    EXPECT_LT(frame.ScreenY(point.y), 950);
  }
}

}  // namespace
}  // namespace quorvane::picture
