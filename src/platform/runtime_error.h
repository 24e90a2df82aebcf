#pragma once

#include <stdexcept>
#include <string>

namespace quorvane {

// A run-time error that ends a public operation of the compiler: overflow,
// invalid use of Null, a type mismatch, a database or file error. The command
// reports it as "runtime error" and exits with status 2.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& reason) : std::runtime_error(reason) {}
};

[[noreturn]] void ThrowOverflow();
[[noreturn]] void ThrowInvalidUseOfNull();
[[noreturn]] void ThrowTypeMismatch(const std::string& what = "");

}  // namespace quorvane
