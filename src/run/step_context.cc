#include "run/step_context.h"

#include <string>

#include "run/run_state.h"

namespace quorvane {

void AddStepContext(RuntimeError& error, const RunState& run, std::string_view step) {
  if (error.has_context()) return;
  std::string context;
  if (error.value() != nullptr && run.database != nullptr) {
    std::string origin = run.database->ValueOrigin(error.value());
    if (!origin.empty()) context = ": " + origin;
  }
  context += ", while ";
  context += step;
  error.AddContext(context);
}

}  // namespace quorvane
