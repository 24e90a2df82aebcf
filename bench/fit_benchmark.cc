// Compile time of the FIT file of a large mission: 10,000 units in force
// groups of twelve, with trains, carriers and elementals.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "compiler/write_quorvane.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

// Drops every message; the scale missions raise none.
class DiscardingSink : public MessageSink {
 public:
  void Show(const Message&) override {}
};

void BM_WriteMissionFitFile(benchmark::State& state, const std::string& fixture) {
  fs::path database = testing::FixturePath(fixture);
  std::string output = testing::TempDir();
  DiscardingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2026-12-06");
  for (auto _ : state) {
    std::string output_path = output;
    std::string folder = database.parent_path().string();
    std::string name = database.filename().string();
    int16_t mission = 1;
    bool written = false;
    try {
      written = compiler.WriteMissionFITFile(output_path, folder, name, mission);
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      break;
    }
    if (!written) {
      state.SkipWithError("the FIT file was not written");
      break;
    }
  }
}

BENCHMARK_CAPTURE(BM_WriteMissionFitFile, units10000, std::string("scale/units10000.mdb"))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane

BENCHMARK_MAIN();
