#pragma once

#include <cstdint>
#include <vector>

#include "database/database.h"

namespace quorvane::cli {

class Reporter;

// The missions of `--all`: the MissionID of every NewMissions row in stored
// order, each once. A row whose MissionID is Null or not a whole number in
// the 16-bit range gets a note naming its position and is skipped.
std::vector<int16_t> AllMissionIds(db::Database& database, Reporter& reporter);

}  // namespace quorvane::cli
