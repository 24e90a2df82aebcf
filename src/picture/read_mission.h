#pragma once

#include <cstdint>

#include "database/database.h"
#include "picture/mission_model.h"

namespace quorvane::picture {

// Positions farther than this from the origin are listed, not drawn: no
// game map is that large, and one such value would shrink every other
// object of the picture to a dot.
inline constexpr double kFarthestDrawn = 1e7;

// Reads one mission from the database. Never raises for the data: a table
// or field that cannot be read, a Null or unusable position become notes,
// and a mission without a NewMissions row comes back with `found` false.
MissionModel ReadMission(db::Database& database, int16_t mission);

// A model holding only a note, for a database that could not be opened.
MissionModel UnreadMission(int16_t mission, const std::string& reason);

}  // namespace quorvane::picture
