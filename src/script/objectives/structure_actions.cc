// Actions on a structure given by its map position: ActionParm1 the block,
// ActionParm2 the vertex, ActionParm4 the number, ActionParm3 "Yes" to put
// the objective marker on it when the mission starts.
#include "script/abl_text.h"
#include "script/objectives/action_builders.h"

namespace quorvane {
namespace {

// The structure's object id. Each position field converts as a 16-bit
// integer: a text that is not a number or a value out of range ends the run.
std::string StructureObjectId(const ActionContext& context) {
  int16_t block = context.action.Field("ActionParm1").ToInteger();
  int16_t vertex = context.action.Field("ActionParm2").ToInteger();
  int16_t number = context.action.Field("ActionParm4").ToInteger();
  return std::to_string(MakeObjectId(block, vertex, number));
}

bool MarksObjective(const ActionContext& context) { return context.ParmIs(3, "Yes"); }

// Init statements that put the objective's marker on the structure.
std::vector<std::string> MarkerStatements(const ActionContext& context, const std::string& id,
                                          std::string_view end) {
  return {"x = " + id + ";", "getobjectposition(x,aPoint)" + std::string(end),
          "setObjectivePos(" + std::to_string(context.objective_number) +
              ",aPoint[0],aPoint[1],aPoint[2])" + std::string(end)};
}

// Capture Structure and King Of Hill place x the same way.
ActionLines CapturedStructureLines(const ActionContext& context) {
  std::string id = StructureObjectId(context);
  ActionLines lines{.before = {"x = " + id + ";"}};
  if (MarksObjective(context)) lines.init = MarkerStatements(context, id, ";");
  return lines;
}

}  // namespace

std::optional<ActionLines> DestroyStructure(const ActionContext& context) {
  std::string id = StructureObjectId(context);
  ActionLines lines{.before = {"x = " + id + ";"}, .condition = {"if (isDead(x)) then"}};
  if (MarksObjective(context)) lines.init = MarkerStatements(context, id, "");
  return lines;
}

std::optional<ActionLines> GuardStructure(const ActionContext& context) {
  std::string id = StructureObjectId(context);
  ActionLines lines{.condition = {"if (isDead(x)) then"}};
  if (MarksObjective(context)) {
    lines.before = {"x = " + id + ";"};
    lines.init = MarkerStatements(context, id, ";");
  } else {
    lines.before = {"x =" + id + ";"};
  }
  return lines;
}

std::optional<ActionLines> CaptureStructure(const ActionContext& context) {
  ActionLines lines = CapturedStructureLines(context);
  lines.condition = {"if ((IsCaptured(x) == 1) AND ( objectSide(x) ==  " + context.SideText() +
                     "))  then"};
  return lines;
}

// The side holds the hill when the enemy force is dead or when time runs out.
std::optional<ActionLines> KingOfHill(const ActionContext& context) {
  ActionLines lines = CapturedStructureLines(context);
  std::string enemy_dead = context.IsInnerSphereObjective() ? "clanforcedead" : "playerforcedead";
  lines.condition = {
      "if (( " + enemy_dead + " AND ( objectSide(x) ==  " + context.SideText() + ")) ",
      "or (( gettimeleft() < 0.5 AND ( objectSide(x) ==  " + context.SideText() + ")) )) then",
  };
  return lines;
}

}  // namespace quorvane
