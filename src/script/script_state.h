#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "database/database.h"

namespace quorvane {

// State of one mission script run, shared by the script writers.
struct ScriptState {
  // The mission's NewMissions row, positioned by FindMissionRecord.
  std::unique_ptr<db::Recordset> mission_record;
  // MissionFileName less a trailing ".abl" or ".ABL".
  std::string script_file_name;
  // Number of the last numbered case of handleMessage.
  int16_t event_counter = 0;
  // 249 once the brain has written the constants of a multiplayer mission.
  int16_t event_limit = 0;
  // The brain's record sets: the mission's objectives in objective order,
  // positioned on the objective being written, and its action rows.
  std::unique_ptr<db::Recordset> objective_records;
  std::unique_ptr<db::Recordset> action_records;
  // Primary objectives of each side, counted by the brain.
  int16_t inner_sphere_primary_count = 0;
  int16_t clan_primary_count = 0;
  // Action rows of the objective whose actions are being written.
  int16_t objective_action_count = 0;
};

}  // namespace quorvane
