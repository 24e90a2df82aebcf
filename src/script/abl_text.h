#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/line.h"
#include "platform/message_sink.h"
#include "platform/output_file.h"

namespace quorvane {

struct ScriptSession;

// Adds "     <type><stop 40><name>;" to the _VAR include and, when the initial
// value is not empty, "     <name> = <value>;" to the _INIT include.
void DeclareScriptVariable(ScriptSession& session, std::string_view type, std::string_view name,
                           std::string_view initial_value);

// Adds one statement to the _INIT include: "     <statement> = <value>;", or
// the statement with ";" appended where it has none when the value is empty.
void WriteInitLine(ScriptSession& session, std::string_view statement, std::string_view value = {});

// The game's object number of a map object from its position fields.
int32_t MakeObjectId(int16_t block, int16_t vertex, int16_t number);

// Writes a line to one of the include files of the script run. A line for a
// _VAR, _INIT or _MP include that is not open is dropped or is an error, as
// the session's closed_include_lines says.
void WriteIncludeLine(ScriptSession& session, FileRole role, const Line& line);

// Closes the _VAR and _INIT includes.
void CloseVarInitFiles(ScriptSession& session);

// Whether the mission of the script run is a multiplayer one, by the script
// writers' test (MultiplayerTest::kByTruth).
bool IsMultiplayerMission(const ScriptSession& session);

}  // namespace quorvane
