#include "script/objectives/deadline_line.h"

namespace quorvane {
namespace {

constexpr std::string_view kNoLimitComment =
    "  // supposedly will not happen unless time limit is set";

std::string NoLimitComment(const ActionContext& context) {
  return context.HasTimeLimit() ? "" : std::string(kNoLimitComment);
}

// The time test: the limit has passed, or without a limit the game is over.
std::string TimeUp(const ActionContext& context) {
  return context.HasTimeLimit() ? "gametime > " + context.TimeLimit() : "gettimeleft == 0.0";
}

std::string TimeUpAlone(const ActionContext& context) {
  return "if (" + TimeUp(context) + ") then";
}

// Without a time limit a guard block ends when a force dies.
std::string TimeUpOrForceDead(const ActionContext& context, std::string_view flag) {
  if (context.HasTimeLimit()) return TimeUpAlone(context);
  return TimeUpOr(context, flag) + std::string(kNoLimitComment);
}

}  // namespace

std::string TimeUpOr(const ActionContext& context, std::string_view other) {
  return "if ((" + TimeUp(context) + ") OR (" + std::string(other) + ")) then";
}

std::string DeadlineLine(const ActionContext& context, DeadlineForm form) {
  bool after_previous = context.AfterLastAction();
  switch (form) {
    case DeadlineForm::kTimeUpNoted:
      return TimeUpAlone(context) + NoLimitComment(context);
    case DeadlineForm::kTimeUp:
      return TimeUpAlone(context);
    case DeadlineForm::kTimeUpOrPreviousNoted:
      if (after_previous && context.action_index > 1) {
        return TimeUpOr(context, context.PreviousDone());
      }
      return TimeUpAlone(context) + NoLimitComment(context);
    case DeadlineForm::kTimeUpOrPreviousOrEnemyDead:
      if (after_previous) return TimeUpOr(context, context.PreviousDone());
      return TimeUpOr(context, context.EnemyForceDeadFlag()) + NoLimitComment(context);
    case DeadlineForm::kGuardUntilEnemyDead:
      if (after_previous) return TimeUpOr(context, context.PreviousDone());
      return TimeUpOrForceDead(context, context.EnemyForceDeadFlag());
    case DeadlineForm::kGuardUntilClanDead:
      if (after_previous) return TimeUpOr(context, context.PreviousDone());
      return TimeUpOrForceDead(context, "ClanForceDead");
    case DeadlineForm::kGuardUntilPlayerDead:
      if (after_previous) return TimeUpOr(context, context.PreviousDone());
      return TimeUpOrForceDead(context, "PlayerForceDead");
    case DeadlineForm::kTimeUpOrObjectDestroyed:
      return TimeUpOr(context, "getObjectDamage(x) > 99");
    case DeadlineForm::kByAction:
      break;
  }
  return {};
}

}  // namespace quorvane
