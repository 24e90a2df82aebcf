#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/database.h"

namespace quorvane {

struct ScriptSession;

// How an action block decides: S succeeds on its condition and fails at the
// deadline, F fails on its condition and succeeds at the deadline. A few
// actions write a block of their own shape.
enum class BlockShape { kSuccessOnCondition, kFailureOnCondition, kOwn };

// The deadline test in the else branch of a block (see deadline_line.h).
// "Time up" is the objective's time limit passed, or without a limit the game
// over; "noted" adds the comment that the block expects a limit; "previous"
// is the previous action done, for an action that follows it.
enum class DeadlineForm {
  kTimeUpNoted,                  // A: time up, noted without a limit
  kTimeUp,                       // B: time up
  kTimeUpOrPreviousNoted,        // C: or the previous action (not the first), else as A
  kTimeUpOrPreviousOrEnemyDead,  // D: or the previous action, else or the enemy force dead
  kGuardUntilEnemyDead,          // E: or the previous action; without a limit the enemy force dead
  kGuardUntilClanDead,           // F: as E with the Clan force
  kGuardUntilPlayerDead,         // G: as E with the player's force
  kTimeUpOrObjectDestroyed,      // H: or the object x destroyed (damage above 99)
  kByAction,                     // I and J: the action builds its own deadline line
};

// What an action contributes to its block besides the frame.
struct ActionLines {
  std::vector<std::string> before = {};     // module lines ahead of the condition, column 18
  std::vector<std::string> init = {};       // statements for the _INIT include
  std::vector<std::string> condition = {};  // the if line (or lines), column 18
  std::string deadline = {};                // the deadline line of forms I and J
};

// When an action with an "Anytime"/"After Last Action" parameter takes effect.
enum class Timing { kAnytime, kAfterLastAction, kOther };

// One action row of one objective, as the action builders see it.
struct ActionContext {
  ScriptSession& session;
  const db::Recordset& objective;  // positioned on the objective
  const db::Recordset& action;     // positioned on the action row
  int16_t objective_number;        // n in Objective_n_Decided
  int16_t action_index;            // i in Obj_n_Action_i_Success, from 1
  int16_t side;                    // 1 Clan, 2 Inner Sphere: names the side of objects

  // ActionParm1 to ActionParm5 as written into the script (Null as nothing).
  std::string Parm(int number) const;
  // The parameter read by its leading number ("03" is 3, "abc" is 0).
  double ParmNumber(int number) const;
  bool ParmIs(int number, std::string_view text) const;
  // ActionParm3 holds a count when it is not Null and its number is not 0.
  bool HasCount() const;

  bool IsInnerSphereObjective() const;  // Alignment 2; anything else is the Clan side
  std::string EnemyForce() const;       // CLAN_FORCE or PLAYER_FORCE
  std::string OwnForce() const;
  std::string EnemyForceDeadFlag() const;  // ClanForceDead or PlayerForceDead
  // An enemy lance or star by the number written for it: ClanStar(k) or PLAYER_LANCEk.
  std::string EnemyLance(std::string_view number) const;
  std::string SideText() const;  // CLAN, INNER_SPHERE or nothing, by the side

  // Whether the objective has a time limit (TimeLeft is not -1), and the limit.
  bool HasTimeLimit() const;
  std::string TimeLimit() const;

  Timing ActionTiming() const;  // by ActionParm4
  bool AfterLastAction() const;
  // The flag an "After Last Action" action waits for: the previous action of
  // the objective, or for its first action the previous objective.
  std::string PreviousDone() const;
  std::string ActionFlag() const;  // Obj_n_Action_i_Success
};

// Writes one line of an action block into the brain module at a column.
void WriteBlockLine(ScriptSession& session, int column, std::string_view text);

// A condition pattern filled in: "@" stands for the group, "#" for the count.
std::string Fill(std::string_view pattern, std::string_view group, std::string_view count = {});

// A number in the shortest decimal form (3, 2.5, -1).
std::string ShortestDecimal(double value);

// The condition of an action that may wait for the previous one: "if (body)
// then" any time, "if ((previous) AND (body)) then" after the last action;
// nothing for another timing.
std::optional<std::string> ChainedCondition(const ActionContext& context, std::string_view body);

// The lance text of a lance or star number: the prefix and the number as
// entered below 8, "prefix7 + k" for number 7 + k.
std::string LanceText(std::string_view prefix, const ActionContext& context, int parm);

}  // namespace quorvane
