#include "platform/runtime_error.h"

namespace quorvane {

void RuntimeError::AddContext(std::string_view context) {
  if (has_context_) return;
  has_context_ = true;
  // The context goes on the reason's sentence: "Cannot find table 'X', while ...".
  if (!message_.empty() && message_.back() == '.') message_.pop_back();
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
