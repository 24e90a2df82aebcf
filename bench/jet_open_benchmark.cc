// Opening a Jet file padded with 2 GiB of empty pages (a sparse file) and
// reading one table of it: the reader maps the file, so the time and the
// memory follow the pages read, not the file's size. Reports the process's
// peak resident memory beside the time.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "database/database.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

constexpr uintmax_t kPaddedSize = uintmax_t{2} << 30;

double PeakResidentMib() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;  // kilobytes on Linux
}

void BM_OpenPaddedJetFile(benchmark::State& state) {
  const fs::path padded = fs::path(testing::TempDir()) / "padded.mdb";
  fs::copy_file(testing::FixturePath("campaign.mdb"), padded, fs::copy_options::overwrite_existing);
  fs::resize_file(padded, kPaddedSize);  // the padding takes no room on disk
  size_t rows = 0;
  for (auto _ : state) {
    auto database = db::OpenDatabase(padded.string());
    auto records = database->OpenRecordset("Mechs");
    for (rows = 0; !records->Eof(); records->MoveNext()) ++rows;
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["file_mib"] = static_cast<double>(kPaddedSize >> 20);
  state.counters["peak_rss_mib"] = PeakResidentMib();
  fs::remove(padded);
}
BENCHMARK(BM_OpenPaddedJetFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane
