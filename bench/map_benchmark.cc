// Mission maps of the 30,000-unit Jet scale mission: the component's whole
// call (open the file, read the mission, draw it) and the drawing alone from
// a loaded database. Each run also reports the time per unit.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "compiler/write_quorvane.h"
#include "database/database.h"
#include "picture/mission_map_svg.h"
#include "picture/read_mission.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

constexpr int kUnits = 30000;

class QuietSink : public MessageSink {
 public:
  void Show(const Message&) override {}
};

void PerUnit(benchmark::State& state) {
  state.counters["per_unit"] = benchmark::Counter(
      kUnits, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_MapJetMission(benchmark::State& state) {
  fs::path database = testing::FixturePath("scale/units30000.mdb");
  std::string folder = database.parent_path().string();
  std::string name = database.filename().string();
  for (auto _ : state) {
    QuietSink sink;
    WriteQuorvane compiler(sink);
    std::string svg = compiler.RenderMissionMap(folder, name, 1);
    benchmark::DoNotOptimize(svg.data());
  }
  PerUnit(state);
}

void BM_DrawLoadedMission(benchmark::State& state) {
  auto database = db::OpenDatabase(testing::FixturePath("scale/units30000.mdb"));
  for (auto _ : state) {
    std::string svg = picture::MissionMapSvg(picture::ReadMission(*database, 1));
    benchmark::DoNotOptimize(svg.data());
  }
  PerUnit(state);
}

BENCHMARK(BM_MapJetMission)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawLoadedMission)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane
