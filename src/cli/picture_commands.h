#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "cli/compile_run.h"

namespace quorvane::cli {

// `map`: checks the mission as `check` does (its messages go to `err`), then
// draws it as SVG into `output` (empty: MissionFileName + ".svg" in the
// current folder; "-": `out`). Returns check's exit status, or 2 when the
// picture could not be written.
int DrawMissionMap(const CompileOptions& options, int16_t mission, const std::string& output,
                   std::ostream& out, std::ostream& err);

// `report`: checks each mission as `check` does and writes one HTML page of
// them all into `output` (empty: the database's name + ".html" in the current
// folder; "-": `out`). Returns the worst of check's exit statuses, or 2 when
// the page could not be written.
int WriteMissionReport(const CompileOptions& options, const MissionChoice& missions,
                       const std::string& output, std::ostream& out, std::ostream& err);

}  // namespace quorvane::cli
