#pragma once

namespace quorvane {

// State of the FIT writer kept on the compiler object between builds.
struct FitState {};

}  // namespace quorvane
