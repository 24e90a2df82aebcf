#pragma once

#include <string>

#include "script/objectives/action_context.h"

namespace quorvane {

// The deadline test of an action block (forms A to H): the objective's time
// limit, or the end of the game when it has none, alone or together with the
// previous action, the enemy's death or the structure's destruction.
std::string DeadlineLine(const ActionContext& context, DeadlineForm form);

// "if ((<time is up>) OR (<other>)) then", for deadlines that an action builds.
std::string TimeUpOr(const ActionContext& context, std::string_view other);

}  // namespace quorvane
