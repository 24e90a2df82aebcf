#pragma once

#include <cstdint>

namespace quorvane {

struct ScriptSession;

// The code that records an action's or objective's outcome inside an action
// block of the brain module. Single-player missions get the statements
// inline; in a multiplayer mission they become a numbered case of
// handleMessage and the module gets the sendMessage/handleMessage pair.
// Lines start in column 18 + 6 * level (level 0 counts as 1).

// Success of action `action` of objective `objective`: with several actions
// only the action's flag is set; with one, the objective succeeds.
void WriteObjectiveSuccess(ScriptSession& session, int16_t objective, int16_t action,
                           int16_t level);

// Failure of an action, which always fails the whole objective.
void WriteObjectiveFailure(ScriptSession& session, int16_t objective, int16_t action,
                           int16_t level);

// After the last action block of an objective with two or more actions: the
// objective succeeds once every action flag is set.
void WriteAllActionsSuccess(ScriptSession& session, int16_t action_count, int16_t objective);

}  // namespace quorvane
