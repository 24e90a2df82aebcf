// Actions that count what happens to a force or to one of its lances or
// stars: ActionParm1 "All", "Lance/Star" (the number in ActionParm2) or "Any",
// ActionParm3 an optional count.
#include "script/objectives/action_builders.h"

namespace quorvane {
namespace {

// The condition of a group action in its four forms; "@" is the group, "#"
// the count.
struct GroupConditions {
  std::string_view all;      // "All": the whole force
  std::string_view whole;    // "Lance/Star" without count: the whole lance or star
  std::string_view any_one;  // "Any" without count: one unit of the force
  std::string_view counted;  // "Lance/Star" or "Any" with a count
};

std::optional<ActionLines> GroupCondition(const ActionContext& context,
                                          const GroupConditions& conditions, std::string_view force,
                                          std::string_view lance) {
  std::string count = context.Parm(3);
  std::string line;
  if (context.ParmIs(1, "All")) {
    line = Fill(conditions.all, force);
  } else if (context.ParmIs(1, "Lance/Star")) {
    line = Fill(context.HasCount() ? conditions.counted : conditions.whole, lance, count);
  } else if (context.ParmIs(1, "Any")) {
    line = Fill(context.HasCount() ? conditions.counted : conditions.any_one, force, count);
  } else {
    return std::nullopt;
  }
  return ActionLines{.condition = {line}};
}

// The enemy lance or star: "Destroy Enemy" counts them from 0, the others as
// the designer does, the player's lances by their number ("01" is 1).
std::string EnemyLanceOf(const ActionContext& context, bool counted_from_zero) {
  if (counted_from_zero) return context.EnemyLance(ShortestDecimal(context.ParmNumber(2) - 1));
  if (context.IsInnerSphereObjective()) return context.EnemyLance(context.Parm(2));
  return context.EnemyLance(ShortestDecimal(context.ParmNumber(2)));
}

std::optional<ActionLines> EnemyCondition(const ActionContext& context,
                                          const GroupConditions& conditions,
                                          bool counted_from_zero) {
  return GroupCondition(context, conditions, context.EnemyForce(),
                        EnemyLanceOf(context, counted_from_zero));
}

constexpr GroupConditions kDestroyEnemy = {
    "if (isDead(@)) then",
    "if (isDead(@)) then",
    "if (NumDead(@) >= 1) then",
    "if (NumDead(@) >= #) then",
};

constexpr GroupConditions kEnemyDeadOrFled = {
    "if (isDeadorFled(@)) then",
    "if (isDeadorFled(@)) then",
    "if (NumDead(@) + NumWithdrawn(@) >= 1) then",
    "if (NumDead(@) + NumWithdrawn(@) >= #) then",
};

constexpr GroupConditions kPreventEnemyDeadOrFled = {
    "if (Numdeadorfled(@) >= 1) then",
    "if (NumDeadorFled(@) > 0) then",
    "if (NumDeadorFled(@) > 0) then",
    "if (NumDeadorFled(@) >= #) then",
};

constexpr GroupConditions kPreventEnemyWithdraw = {
    "if (NumWithdrawn(@) > 0) then",
    "if (NumWithdrawn(@) > 0) then",
    "if (NumWithdrawn(@) > 0) then",
    "if (NumWithdrawn(@) >= #) then",
};

// The guard actions name their own force, whatever the objective's side.
struct GuardedForce {
  std::string_view force;
  std::string_view lance_prefix;
  std::string_view any_one;  // the test of "Any" without count
};

std::optional<ActionLines> GuardCondition(const ActionContext& context,
                                          const GuardedForce& guarded) {
  GroupConditions conditions = {
      "if (NumDead(@) >= 1) then",
      "if (isDead(@)) then",
      guarded.any_one,
      "if (NumAlive(@) < #) then",
  };
  return GroupCondition(context, conditions, guarded.force,
                        LanceText(guarded.lance_prefix, context, 2));
}

}  // namespace

std::optional<ActionLines> DestroyEnemy(const ActionContext& context) {
  return EnemyCondition(context, kDestroyEnemy, true);
}

std::optional<ActionLines> EnemyDeadOrFled(const ActionContext& context) {
  return EnemyCondition(context, kEnemyDeadOrFled, false);
}

std::optional<ActionLines> PreventEnemyDeadOrFled(const ActionContext& context) {
  return EnemyCondition(context, kPreventEnemyDeadOrFled, false);
}

std::optional<ActionLines> PreventEnemyWithdraw(const ActionContext& context) {
  return EnemyCondition(context, kPreventEnemyWithdraw, false);
}

std::optional<ActionLines> GuardAlly(const ActionContext& context) {
  return GuardCondition(context, {"ALLIED_FORCE", "ALLIED_LANCE", "if (NumDead(@) > 0) then"});
}

std::optional<ActionLines> GuardPlayer(const ActionContext& context) {
  return GuardCondition(context, {"PLAYER_FORCE", "PLAYER_LANCE", "if (NumDead(@) >= 1) then"});
}

std::optional<ActionLines> GuardClanner(const ActionContext& context) {
  return GuardCondition(context, {"CLAN_FORCE", "CLAN_STAR", "if (NumDead(@) >= 1) then"});
}

}  // namespace quorvane
