// Whole builds (FIT file and script files) of large missions: generated SQLite
// missions of 1,000 to 30,000 units and the two Jet scale missions. Each run
// also reports the time per unit.
//
//   quorvane_bench [benchmark flags]               runs the benchmarks
//   quorvane_bench generate PATH UNITS [MISSIONS]  writes a generated database

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "compiler/write_quorvane.h"
#include "support/fixtures.h"
#include "support/scale_mission.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

// Drops every message; the benchmark missions raise none.
class DiscardingSink : public MessageSink {
 public:
  void Show(const Message&) override {}
};

// Builds mission 1 of the database with a fresh compiler object, as the
// command does for each mission.
bool BuildMission(const fs::path& database, const std::string& output) {
  DiscardingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2026-12-06");
  std::string output_path = output;
  std::string folder = database.parent_path().string();
  std::string name = database.filename().string();
  int16_t mission = 1;
  return compiler.WriteMissionFITFile(output_path, folder, name, mission) &&
         compiler.WriteMissionScript(output_path, folder, name, mission);
}

void RunBuilds(benchmark::State& state, const fs::path& database, int units) {
  std::string output = testing::TempDir();
  for (auto _ : state) {
    bool built = false;
    try {
      built = BuildMission(database, output);
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      break;
    }
    if (!built) {
      state.SkipWithError("the mission was not built");
      break;
    }
  }
  state.counters["per_unit"] =
      benchmark::Counter(static_cast<double>(units), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_BuildGeneratedMission(benchmark::State& state) {
  int units = static_cast<int>(state.range(0));
  fs::path database = fs::path(testing::TempDir()) / ("units" + std::to_string(units) + ".sqlite");
  testing::WriteScaleCampaign(database.string(), {1, units});
  RunBuilds(state, database, units);
}

void BM_BuildJetMission(benchmark::State& state, const std::string& fixture, int units) {
  RunBuilds(state, testing::FixturePath(fixture), units);
}

BENCHMARK(BM_BuildGeneratedMission)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildJetMission, units10000, std::string("scale/units10000.mdb"), 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildJetMission, units30000, std::string("scale/units30000.mdb"), 30000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "generate") {
    quorvane::testing::ScaleCampaign campaign;
    campaign.units = std::stoi(argv[3]);
    if (argc >= 5) campaign.missions = std::stoi(argv[4]);
    quorvane::testing::WriteScaleCampaign(argv[2], campaign);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
