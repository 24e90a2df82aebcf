#pragma once

namespace quorvane {

struct FitBuild;

// Loads the mission's rows and checks that the mission can be compiled. For a
// single-player mission it also walks the unit assignments and counts
// warriors, piloted train cars and parts. Shows the message of the first check
// that fails and returns false; nothing is written.
bool CheckMissionData(FitBuild& build);

}  // namespace quorvane
