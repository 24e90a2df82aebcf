#pragma once

#include <cstdint>

namespace quorvane {

struct ScriptSession;

// Writes the _STR include: every structure's start state and behaviour.
bool WriteStructureInclude(ScriptSession& session);

}  // namespace quorvane
