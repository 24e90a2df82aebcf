#include "platform/runtime_error.h"

namespace quorvane {

void RuntimeError::AddContext(std::string_view context) {
  if (has_context_) return;
  has_context_ = true;
  // The context goes on the reason's sentence: "Cannot find table 'X', while ...".
  if (!message_.empty() && message_.back() == '.') message_.pop_back();
  message_ += context;
}

void ThrowOverflow(const std::string& number, std::string_view type, const Variant* value) {
  throw RuntimeError("Overflow (" + number + " does not fit " +
                         (type.starts_with('I') ? "an " : "a ") + std::string(type) + ")",
                     value);
}

void ThrowInvalidUseOfNull(const Variant* value) {
  throw RuntimeError("Invalid use of Null", value);
}

void ThrowTypeMismatch(const std::string& what, const Variant* value) {
  throw RuntimeError(what.empty() ? "Type mismatch" : "Type mismatch: " + what, value);
}

}  // namespace quorvane
