// FIT sections of campaign variants that the reviewed files do not show, and
// builds in turn on one compiler object.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compiler/write_quorvane.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/golden_files.h"
#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The lines of the FIT file of campaign mission 7 with the given change.
Lines Mission7With(const std::string& change) {
  fs::path database = SqliteFixtureWith("campaign", change);
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  std::string output = TempDir(), folder = database.parent_path().string(),
              name = database.filename().string();
  int16_t mission = 7;
  EXPECT_TRUE(compiler.WriteMissionFITFile(output, folder, name, mission));
  return ReadLines(output + "/m0007.FIT");
}

// Train cars of force group 0 only: the train count is 0, no [Trains].
TEST(FitSectionsTest, TrainCarsOutsideATrainGiveNoTrainsSection) {
  Lines fit = Mission7With(
      "UPDATE MissionAssignments SET ForceGroup = 0 WHERE MissionID = 7 AND Alignment = 'aTrain'");
  EXPECT_FALSE(HasSequence(fit, {"[Trains]"}));
  EXPECT_TRUE(HasSequence(fit, {"[Elemental Carriers]"}));
}

// Carriers without elementals at their number keep their blocks.
TEST(FitSectionsTest, CarriersWithoutElementals) {
  Lines fit = Mission7With(
      "UPDATE MissionAssignments SET XCoordinate = 9, YCoordinate = 9 "
      "WHERE MissionID = 7 AND VehicleID IN (112, 113)");
  EXPECT_TRUE(HasSequence(fit, {"[ECarrier0]", "l Carrier =  13 ", "", "[ECarrier1]",
                                "l Carrier =  14 ", "", "FITend"}));
}

// One compiler object keeps its tables and work values between builds; a
// later build must not see anything of an earlier one.
TEST(FitSectionsTest, BuildsInTurnOnOneObjectDoNotLeakIntoEachOther) {
  fs::path database = SqliteFixture("campaign");
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date(kGoldenDate);
  std::string output = TempDir(), folder = database.parent_path().string(),
              name = database.filename().string();
  for (int16_t mission : {7, 23, 1, 3000, 7, 12}) {
    EXPECT_TRUE(compiler.WriteMissionFITFile(output, folder, name, mission)) << mission;
  }
  for (auto [mission, fit] : {std::pair{7, "/m0007.FIT"}, std::pair{12, "/m0012.FIT"}}) {
    EXPECT_EQ(ReadFile(output + fit), ReadFile(GoldenFolder(mission) + fit)) << fit;
  }
}

}  // namespace
}  // namespace quorvane::testing
