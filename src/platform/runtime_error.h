#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvane {

class Variant;

// A run-time error that ends a public operation of the compiler: overflow,
// invalid use of Null, a type mismatch, a database or file error. The command
// reports it as "runtime error" and exits with status 2.
//
// An error raised by converting a value keeps the value's address, so that the
// step the error leaves can name the table field the value was read from. The
// context (field, row, step) is added once, by the innermost step it leaves.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& reason, const Variant* value = nullptr)
      : std::runtime_error(reason), message_(reason), value_(value) {}

  const char* what() const noexcept override { return message_.c_str(); }

  // The value whose conversion failed; nullptr for other errors.
  const Variant* value() const { return value_; }
  bool has_context() const { return has_context_; }
  // Appends the context to the reason, less its final full stop ("...:
  // Table.Field, Key 7, while writing ..."); later calls change nothing.
  void AddContext(std::string_view context);

 private:
  std::string message_;
  const Variant* value_;
  bool has_context_ = false;
};

// "Overflow (40000 does not fit an Integer)": the number and the type it did
// not fit.
[[noreturn]] void ThrowOverflow(const std::string& number, std::string_view type,
                                const Variant* value = nullptr);
[[noreturn]] void ThrowInvalidUseOfNull(const Variant* value = nullptr);
[[noreturn]] void ThrowTypeMismatch(const std::string& what = "", const Variant* value = nullptr);

}  // namespace quorvane
