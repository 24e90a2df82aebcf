#include "script/objectives/action_context.h"

#include "platform/line.h"
#include "platform/number_text.h"
#include "platform/variant.h"
#include "script/script_session.h"

namespace quorvane {

std::string ActionContext::Parm(int number) const {
  return JoinedForm(action.Field("ActionParm" + std::to_string(number)));
}

double ActionContext::ParmNumber(int number) const { return ReadLeadingNumber(Parm(number)); }

bool ActionContext::ParmIs(int number, std::string_view text) const {
  return EqualsText(action.Field("ActionParm" + std::to_string(number)), text);
}

bool ActionContext::HasCount() const {
  return !action.Field("ActionParm3").IsNull() && ParmNumber(3) != 0;
}

bool ActionContext::IsInnerSphereObjective() const {
  return EqualsNumber(objective.Field("Alignment"), 2);
}

std::string ActionContext::EnemyForce() const {
  return IsInnerSphereObjective() ? "CLAN_FORCE" : "PLAYER_FORCE";
}

std::string ActionContext::OwnForce() const {
  return IsInnerSphereObjective() ? "PLAYER_FORCE" : "CLAN_FORCE";
}

std::string ActionContext::EnemyForceDeadFlag() const {
  return IsInnerSphereObjective() ? "ClanForceDead" : "PlayerForceDead";
}

std::string ActionContext::EnemyLance(std::string_view number) const {
  if (IsInnerSphereObjective()) return "ClanStar(" + std::string(number) + ")";
  return "PLAYER_LANCE" + std::string(number);
}

std::string ActionContext::SideText() const {
  return side == 1 ? "CLAN" : side == 2 ? "INNER_SPHERE" : "";
}

bool ActionContext::HasTimeLimit() const {
  std::optional<int> order = CompareWithNumber(objective.Field("TimeLeft"), -1);
  return order && *order != 0;
}

std::string ActionContext::TimeLimit() const { return JoinedForm(objective.Field("TimeLeft")); }

Timing ActionContext::ActionTiming() const {
  if (ParmIs(4, "Anytime")) return Timing::kAnytime;
  if (ParmIs(4, "After Last Action")) return Timing::kAfterLastAction;
  return Timing::kOther;
}

bool ActionContext::AfterLastAction() const { return ActionTiming() == Timing::kAfterLastAction; }

std::string ActionContext::PreviousDone() const {
  if (action_index > 1) {
    return "Obj_" + std::to_string(objective_number) + "_Action_" +
           std::to_string(action_index - 1) + "_Success";
  }
  return "Objective_" + std::to_string(objective_number - 1) + "_Decided";
}

std::string ActionContext::ActionFlag() const {
  return "Obj_" + std::to_string(objective_number) + "_Action_" + std::to_string(action_index) +
         "_Success";
}

void WriteBlockLine(ScriptSession& session, int column, std::string_view text) {
  session.run.files[FileRole::kMain].WriteLine(Line::At(column, text));
}

std::string Fill(std::string_view pattern, std::string_view group, std::string_view count) {
  std::string text;
  for (char c : pattern) {
    if (c == '@') {
      text += group;
    } else if (c == '#') {
      text += count;
    } else {
      text += c;
    }
  }
  return text;
}

std::string ShortestDecimal(double value) { return PlainDecimal(value, 15); }

std::optional<std::string> ChainedCondition(const ActionContext& context, std::string_view body) {
  switch (context.ActionTiming()) {
    case Timing::kAnytime:
      return "if (" + std::string(body) + ") then";
    case Timing::kAfterLastAction:
      return "if ((" + context.PreviousDone() + ") AND (" + std::string(body) + ")) then";
    case Timing::kOther:
      break;
  }
  return std::nullopt;
}

std::string LanceText(std::string_view prefix, const ActionContext& context, int parm) {
  double number = context.ParmNumber(parm);
  if (number < 8) return std::string(prefix) + context.Parm(parm);
  return std::string(prefix) + "7 + " + ShortestDecimal(number - 7);
}

}  // namespace quorvane
