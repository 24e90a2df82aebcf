// Actions that succeed when a force reaches a point: ActionParm1 and
// ActionParm2 the point, ActionParm3 the radius, ActionParm4 "Anytime" or
// "After Last Action", ActionParm5 "ALL" or the number of one lance or star.
#include "script/objectives/action_builders.h"

namespace quorvane {
namespace {

std::vector<std::string> TargetPointLines(const ActionContext& context) {
  return {"aPoint[0] = " + context.Parm(1) + ";", "aPoint[1] = " + context.Parm(2) + ";",
          "aPoint[2] = 0.0;"};
}

std::optional<ActionLines> AreaLines(const ActionContext& context,
                                     std::optional<std::string> condition) {
  if (!condition) return std::nullopt;
  return ActionLines{.before = TargetPointLines(context), .condition = {*condition}};
}

bool WholeForce(const ActionContext& context) { return context.ParmIs(5, "ALL"); }

std::optional<ActionLines> WithinArea(const ActionContext& context, std::string_view group) {
  return AreaLines(context, ChainedCondition(context, "isWithinArea(" + std::string(group) +
                                                          ",aPoint," + context.Parm(3) + ")"));
}

// The group must be within the radius and no enemy within twice the radius.
std::optional<ActionLines> Extraction(const ActionContext& context, std::string_view group,
                                      std::string_view enemy) {
  std::string head;
  switch (context.ActionTiming()) {
    case Timing::kAnytime:
      head = "if ((";
      break;
    case Timing::kAfterLastAction:
      head = "if ((" + context.PreviousDone() + ") AND (";
      break;
    case Timing::kOther:
      return std::nullopt;
  }
  return AreaLines(context, head + "isWithinArea(" + std::string(group) + ",aPoint," +
                                context.Parm(3) + ")) AND (NOT InHotSpot(" + std::string(enemy) +
                                "," + context.Parm(1) + "," + context.Parm(2) + "," +
                                ShortestDecimal(2 * context.ParmNumber(3)) + "))) then");
}

}  // namespace

std::optional<ActionLines> MoveToArea(const ActionContext& context) {
  std::optional<ActionLines> lines =
      AreaLines(context, ChainedCondition(context, "distancetoposition(" + context.OwnForce() +
                                                       ",aPoint) < " + context.Parm(3)));
  if (lines && context.ParmIs(5, "Yes")) {
    lines->init = TargetPointLines(context);
    lines->init.push_back("setObjectivePos(" + std::to_string(context.objective_number) +
                          ",aPoint[0],aPoint[1],aPoint[2]);");
  }
  return lines;
}

std::optional<ActionLines> MoveAllToArea(const ActionContext& context) {
  if (WholeForce(context)) return WithinArea(context, context.OwnForce());
  std::string prefix = context.IsInnerSphereObjective() ? "PLAYER_LANCE" : "CLAN_STAR";
  return WithinArea(context, prefix + context.Parm(5));
}

std::optional<ActionLines> MoveAllAlliedToArea(const ActionContext& context) {
  return WithinArea(context,
                    WholeForce(context) ? "ALLIED_FORCE" : "ALLIED_LANCE" + context.Parm(5));
}

std::optional<ActionLines> ExtractionZone(const ActionContext& context) {
  std::string group = WholeForce(context)                ? context.OwnForce()
                      : context.IsInnerSphereObjective() ? "PLAYER_LANCE" + context.Parm(5)
                                                         : "ClanStar(" + context.Parm(5) + ")";
  return Extraction(context, group, context.EnemyForce());
}

std::optional<ActionLines> AlliedExtractionZone(const ActionContext& context) {
  std::string group = WholeForce(context) ? "ALLIED_FORCE" : "ALLIED_LANCE" + context.Parm(5);
  return Extraction(context, group, "CLAN_FORCE");
}

}  // namespace quorvane
