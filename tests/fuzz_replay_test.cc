// Replays every input that once made a fuzz target find a fault
// (tests/data/fuzz/TARGET/), through the same target code, in the ordinary
// build: each must now pass.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "../fuzz/targets.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using Target = void (*)(const uint8_t*, size_t);

const std::map<std::string, Target> kTargets = {
    {"jet_file", fuzz::JetFile},
    {"sqlite_file", fuzz::SqliteFile},
    {"criteria_text", fuzz::CriteriaText},
    {"edited_mission", fuzz::EditedMission},
};

class FuzzReplayTest : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzReplayTest, EveryKeptInputPasses) {
  fs::path folder = fs::path(testing::FixturePath("fuzz")) / GetParam();
  if (!fs::exists(folder)) GTEST_SKIP() << "no kept inputs for " << GetParam();
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    SCOPED_TRACE(entry.path().filename().string());
    kTargets.at(GetParam())(bytes.data(), bytes.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplayTest,
                         ::testing::Values("jet_file", "sqlite_file", "criteria_text",
                                           "edited_mission"));

}  // namespace
}  // namespace quorvane
