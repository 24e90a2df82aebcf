#pragma once

#include <cstdint>

namespace quorvane {

struct ScriptSession;

// Makes the mission's captureable units captureable at the start of the
// mission: one _INIT line per unit. A unit on no force (not "Clan", "Inner
// Sphere" or "Other") is refused with a message and stops the include.
bool WriteCaptureableUnits(ScriptSession& session, int16_t mission);

// The 0-based position of a unit within its force group: by Role, and by
// UniqueEntry among equal Roles. -1, with a message, when no unit has the
// UniqueEntry.
int16_t GetAssignmentIndex(ScriptSession& session, int32_t unique_entry);

}  // namespace quorvane
