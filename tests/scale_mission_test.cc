// The generated missions of the benchmarks compile without a message and hold
// what they promise: every unit a part, trains, carriers with elementals,
// captureable units, every structure behaviour and the objectives' actions.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compiler/write_quorvane.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"
#include "support/scale_mission.h"

namespace quorvane::testing {
namespace {

size_t CountStarting(const std::vector<std::string>& lines, const std::string& start) {
  return static_cast<size_t>(std::count_if(
      lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; }));
}

TEST(ScaleMissionTest, GeneratedMissionsCompileWithoutAMessage) {
  const ScaleCampaign campaign{3, 260};
  std::string database = WriteScaleCampaign(TempDir() + "/scale.sqlite", campaign);
  for (int16_t mission = 1; mission <= campaign.missions; ++mission) {
    RecordingSink sink;
    WriteQuorvane compiler(sink);
    std::string output = TempDir();
    std::string folder = database.substr(0, database.rfind('/'));
    std::string name = database.substr(database.rfind('/') + 1);
    int16_t id = mission;
    ASSERT_TRUE(compiler.WriteMissionFITFile(output, folder, name, id)) << mission;
    ASSERT_TRUE(compiler.WriteMissionScript(output, folder, name, id)) << mission;
    EXPECT_TRUE(sink.messages().empty()) << mission;

    std::string base = output + "/scale" + std::to_string(mission);
    std::vector<std::string> fit = ReadLines(base + ".FIT");
    EXPECT_TRUE(HasSequence(fit, {"ul NumParts = 260 "})) << mission;
    EXPECT_EQ(CountStarting(fit, "[Part"), 261u);  // [Parts] and one block per unit
    EXPECT_TRUE(HasSequence(fit, {"[Train0]"}));
    EXPECT_EQ(CountStarting(fit, "l Elemental1 = "), CountStarting(fit, "[ECarrier"))
        << "two elementals ride every carrier";
    EXPECT_TRUE(HasSequence(fit, {"[Commander2Group:0]"}));
    EXPECT_EQ(fit.back(), "FITend");

    std::vector<std::string> init = ReadLines(base + "_INIT.ABI");
    EXPECT_GE(CountStarting(init, "     setCaptureable(getVehicleID("), 8u);
    std::vector<std::string> structures = ReadLines(base + "_STR.ABI");
    EXPECT_GT(structures.size(), 100u);
    std::vector<std::string> brain = ReadLines(base + ".ABL");
    for (int objective = 0; objective < 6; ++objective) {
      std::string decided = "Objective_" + std::to_string(objective) + "_Decided = TRUE;";
      EXPECT_TRUE(std::any_of(brain.begin(), brain.end(), [&](const std::string& line) {
        return line.find(decided) != std::string::npos;
      })) << decided;
    }
  }
}

}  // namespace
}  // namespace quorvane::testing
