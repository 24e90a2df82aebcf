#include "script/structures/structure_include.h"

#include "compiler/session.h"

namespace quorvane {

bool WriteStructureInclude(Session&, int16_t&) { return false; }

}  // namespace quorvane
