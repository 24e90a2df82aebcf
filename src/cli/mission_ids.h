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

// The numbers of `ids` that no NewMissions row has, in their order; none when
// the table cannot be read.
std::vector<int16_t> MissionsNotInDatabase(db::Database& database, const std::vector<int16_t>& ids);

}  // namespace quorvane::cli
