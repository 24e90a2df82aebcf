#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::cli {

class Reporter;

struct CompileOptions {
  std::string database;
  std::string output_folder = ".";
  std::string date;  // "YYYY-MM-DD", empty for the default
  bool fit = true;
  bool script = true;
};

// The missions of a run: the numbers given, or every mission of the database.
struct MissionChoice {
  std::vector<int16_t> ids;
  bool all = false;
};

// Checks the setup once, then runs the operations of each mission, each on a
// compiler object of its own, and reports how each ended and, after several
// missions, a summary. Returns the exit status: 0 when every operation
// returned True, 1 when one returned False (or the setup check failed), 2
// after a run-time error.
int CompileMissions(const CompileOptions& options, const MissionChoice& missions,
                    Reporter& reporter);

// `check`: compiles as `build` does into a private temporary folder, removed
// afterwards, so that nothing is written anywhere else.
int CheckMissions(CompileOptions options, const MissionChoice& missions, Reporter& reporter);

}  // namespace quorvane::cli
