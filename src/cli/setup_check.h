#pragma once

#include <memory>
#include <string>

#include "database/database.h"

namespace quorvane::cli {

class Reporter;

// Checks once, before the mission loop, what every operation of a run needs:
// that the database opens and that the output folder exists, with the
// compiler's own opening steps, so that a failure is reported once with the
// design's message (and status 1) instead of once per operation. An open
// failure adds a note with the reason; warnings of the database's reader
// become notes. Returns the open database, or nullptr when a check failed.
std::shared_ptr<db::Database> CheckSetup(const std::string& database,
                                         const std::string& output_folder, Reporter& reporter);

}  // namespace quorvane::cli
