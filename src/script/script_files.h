#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

struct ScriptSession;

// Finds the mission's NewMissions row and forms the script file name from its
// MissionFileName. Refuses a mission without a row with the record-count message.
bool FindMissionRecord(ScriptSession& session);

// The output folder followed by the script file name: the base of every
// script file name.
std::string MissionFileBase(const ScriptSession& session);

// Creates the _VAR and _INIT includes with their heads.
bool OpenVarInitFiles(ScriptSession& session);

// Creates the _MP include with the head of handleMessage.
bool OpenMultiplayerInclude(ScriptSession& session);

// Adds a line to handleMessage. With `new_event` a new numbered case is opened
// (the previous one closed) and its number returned; a case beyond the limit
// is refused with a message and 0 returned. Without it the line joins the
// current case, whose number is returned.
int16_t AddMultiplayerEvent(ScriptSession& session, std::string_view line, bool new_event);

// Closes the last numbered case and handleMessage, and the _MP include.
void CloseMultiplayerInclude(ScriptSession& session);

}  // namespace quorvane
