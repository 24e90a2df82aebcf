// A FIT build refused by a mission data check leaves the output folder as it
// was: an older FIT file of the mission stays untouched and no file appears.
// (What every broken mission writes and says is in tests/golden/broken.)

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "compiler/write_quorvane.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/golden_files.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class FitBrokenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(FitBrokenTest, RefusedBuildsLeaveTheFolderAsItWas) {
  fs::path database = GetParam() == "mdb" ? fs::path(testing::FixturePath("broken.mdb"))
                                          : fs::path(testing::SqliteFixture("broken"));
  std::string database_folder = database.parent_path().string(),
              database_name = database.filename().string();
  // Missions 201 to 215 each fail one check, from the NewMissions count to
  // the vehicle types of the assignment walk.
  for (int16_t mission = 201; mission <= 215; ++mission) {
    SCOPED_TRACE(mission);
    fs::path folder = testing::TempDir();
    std::string fit_name = "b0" + std::to_string(mission) + ".FIT";
    const std::string older = "an older FIT file\r\n";
    std::ofstream(folder / fit_name, std::ios::binary) << older;
    RecordingSink sink;
    WriteQuorvane compiler(sink);
    std::string output = folder.string();
    EXPECT_FALSE(compiler.WriteMissionFITFile(output, database_folder, database_name, mission));
    EXPECT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(testing::ReadFile((folder / fit_name).string()), older);
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder)) {
      entries.insert(entry.path().filename().string());
    }
    EXPECT_EQ(entries, std::set<std::string>{fit_name});
  }
}

INSTANTIATE_TEST_SUITE_P(Databases, FitBrokenTest, ::testing::Values("sqlite", "mdb"));

}  // namespace
}  // namespace quorvane
