#include "platform/runtime_error.h"

namespace quorvane {

void ThrowOverflow() { throw RuntimeError("Overflow"); }

void ThrowInvalidUseOfNull() { throw RuntimeError("Invalid use of Null"); }

void ThrowTypeMismatch(const std::string& what) {
  throw RuntimeError(what.empty() ? "Type mismatch" : "Type mismatch: " + what);
}

}  // namespace quorvane
