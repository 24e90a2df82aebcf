#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

struct ScriptSession;

// Writes the _LOP include of the mission's lookout points into `path_name`
// (an empty one becomes "c:"), adding its declarations, initial values and
// multiplayer events to the open includes.
bool WriteLookOutIncludeFile(ScriptSession& session, std::string& path_name);

}  // namespace quorvane
