#include "platform/runtime_error.h"

namespace quorvane {

void RuntimeError::AddContext(std::string_view context) {
  if (has_context_) return;
  has_context_ = true;
  message_ += context;
}

void ThrowOverflow(const Variant* value) { throw RuntimeError("Overflow", value); }

void ThrowInvalidUseOfNull(const Variant* value) {
  throw RuntimeError("Invalid use of Null", value);
}

void ThrowTypeMismatch(const std::string& what, const Variant* value) {
  throw RuntimeError(what.empty() ? "Type mismatch" : "Type mismatch: " + what, value);
}

}  // namespace quorvane
