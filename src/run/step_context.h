#pragma once

#include <string_view>

#include "platform/runtime_error.h"

namespace quorvane {

struct RunState;

// Adds, once, what the compiler was doing when a run-time error left a step:
// the table field whose value raised it, with the row's key, where the value
// came from a record set, and the step ("Invalid use of Null: Mechs.Name,
// ID 990, while writing the FIT parts section"). An error that already has
// its context, from a step inside this one, keeps it.
void AddStepContext(RuntimeError& error, const RunState& run, std::string_view step);

// Runs one step of an operation; `step` says what it does ("writing the FIT
// parts section"). A run-time error leaving it gets its context.
template <typename Body>
decltype(auto) RunStep(const RunState& run, std::string_view step, Body&& body) {
  try {
    return body();
  } catch (RuntimeError& error) {
    AddStepContext(error, run, step);
    throw;
  }
}

}  // namespace quorvane
