#pragma once

#include <cstdint>

namespace quorvane {

struct Session;

// Writes the _STR include: every structure's start state and behaviour.
bool WriteStructureInclude(Session& session, int16_t& mission);

}  // namespace quorvane
