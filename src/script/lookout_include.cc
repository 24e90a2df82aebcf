#include "script/lookout_include.h"

#include "compiler/session.h"

namespace quorvane {

bool WriteLookOutIncludeFile(Session&, int16_t&, std::string&) { return false; }

}  // namespace quorvane
