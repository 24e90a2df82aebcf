// Actions over named objects, the objective's object list and vehicles.
#include "script/objectives/action_builders.h"
#include "script/objectives/deadline_line.h"
#include "script/script_session.h"

namespace quorvane {
namespace {

// Puts the objective's marker where getobjectposition left aPoint.
std::string MarkerStatement(const ActionContext& context) {
  return "setObjectivePos(" + std::to_string(context.objective_number) +
         ",aPoint[0],aPoint[1],aPoint[2])";
}

// The object list of the objective, all of it ("ALL") or a number of objects.
std::optional<ActionLines> ObjectListCondition(const ActionContext& context,
                                               std::string_view pattern) {
  std::string count = context.ParmIs(3, "ALL") ? "ObjectListSize" : context.Parm(3);
  return ActionLines{.condition = {Fill(pattern, {}, count)}};
}

// NumVehicleType(type, variant, y) leaves the number of such vehicles in x and
// of the destroyed ones in y.
std::optional<ActionLines> VehicleTypeCondition(const ActionContext& context,
                                                std::string_view without_count,
                                                std::string_view with_count) {
  return ActionLines{
      .before = {"x = NumVehicleType(" + context.Parm(2) + "," + context.Parm(1) + ",y);"},
      .condition = {context.HasCount() ? Fill(with_count, {}, context.Parm(3))
                                       : std::string(without_count)},
  };
}

std::optional<std::string_view> VehicleGroupName(const ActionContext& context) {
  if (context.ParmIs(1, "CLAN STAR")) return "CLAN_STAR";
  if (context.ParmIs(1, "ALLIED LANCE")) return "ALLIED_LANCE";
  if (context.ParmIs(1, "PLAYER LANCE")) return "PLAYER_LANCE";
  return std::nullopt;
}

// The enemy's units of the mission that can be captured.
int16_t CountCaptureableEnemies(const ActionContext& context) {
  std::string criteria = "[MissionID] = " + JoinedForm(context.action.Field("MissionID")) +
                         (context.IsInnerSphereObjective() ? " AND [Alignment] = 'Clan'"
                                                           : " AND [Alignment] = 'Inner Sphere'") +
                         " AND [Captureable] = TRUE";
  std::unique_ptr<db::Recordset> units =
      context.session.run.database->OpenRecordset("MissionAssignments");
  int16_t count = 0;
  units->FindFirst(criteria);
  while (!units->NoMatch()) {
    count = CheckedInteger(count + 1);
    units->FindNext(criteria);
  }
  units->Close();
  return count;
}

}  // namespace

std::optional<ActionLines> DestroyObject(const ActionContext& context) {
  ActionLines lines{.condition = {"if (isDead(" + context.Parm(1) + ")) then"}};
  if (context.ParmIs(3, "Yes")) {
    lines.init = {"getobjectposition(" + context.Parm(1) + ",aPoint)", MarkerStatement(context)};
  }
  return lines;
}

std::optional<ActionLines> DestroyNumObjects(const ActionContext& context) {
  return ObjectListCondition(context, "if (NumObjectListDead >= #) then");
}

std::optional<ActionLines> GuardNumObjects(const ActionContext& context) {
  return ObjectListCondition(context, "if (NumObjectListAlive < #) then");
}

std::optional<ActionLines> CaptureNumObjects(const ActionContext& context) {
  return ObjectListCondition(context, "if (NumObjectListCaptured >= #) then");
}

std::optional<ActionLines> DestroyVehicle(const ActionContext& context) {
  std::optional<std::string_view> group = VehicleGroupName(context);
  if (!group) return std::nullopt;
  return ActionLines{.condition = {"if (isDead(VehicleID(" + LanceText(*group, context, 2) + "," +
                                   context.Parm(3) + ",0))) then"}};
}

std::optional<ActionLines> DestroyVehicleType(const ActionContext& context) {
  return VehicleTypeCondition(context, "if (x == y) then", "if (y >= #) then");
}

std::optional<ActionLines> GuardVehicleType(const ActionContext& context) {
  return VehicleTypeCondition(context, "if (y > 0) then", "if (x - y < #) then");
}

std::optional<ActionLines> GuardVehicle(const ActionContext& context) {
  return ActionLines{.condition = {"if (isDead(getVehicleID(ALLIED_FORCE," +
                                   ShortestDecimal(context.ParmNumber(2) - 1) + "," +
                                   context.Parm(3) + "))) then"}};
}

// Succeeds when enough enemy units are captured; fails at the deadline or
// when too few capturable ones are left.
std::optional<ActionLines> CaptureEnemyVehicles(const ActionContext& context) {
  int16_t captureable = CountCaptureableEnemies(context);
  if (captureable == 0) {
    context.session.run.messages.Notice(
        "No captureable enemy vehicles were found for Capture Enemy Vehicle Action.");
    return std::nullopt;
  }
  std::string enemy;
  if (context.ParmIs(1, "Any") || context.ParmIs(1, "All")) {
    enemy = context.EnemyForce();
  } else if (context.ParmIs(1, "Lance/Star")) {
    enemy = context.EnemyLance(ShortestDecimal(context.ParmNumber(2) - 1));
  } else {
    return std::nullopt;
  }
  std::string all = std::to_string(captureable);
  bool counted = !context.ParmIs(1, "All") && context.HasCount();
  std::string target = counted ? context.Parm(3) : all;
  std::string escaped = "NumCaptureDeadorFled(" + enemy + ")";
  return ActionLines{
      .condition = {"if (isCaptured(" + enemy + ") >= " + target + ") then"},
      .deadline =
          TimeUpOr(context, counted ? all + " - " + escaped + " < " + target : escaped + " > 0"),
  };
}

}  // namespace quorvane
