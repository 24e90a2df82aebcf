#pragma once

#include <string>

#include "picture/mission_model.h"

namespace quorvane::picture {

// An objective action in words: what it asks for and its parameters by
// meaning ("Move to Area: move into the area; x 1200, y 800, radius 150,
// when Anytime"). An action name the compiler does not know is said to
// write nothing.
std::string ActionInWords(const Action& action);

}  // namespace quorvane::picture
