#include "script/objectives/objective_actions.h"

#include <array>

#include "script/abl_text.h"
#include "script/objectives/action_builders.h"
#include "script/objectives/deadline_line.h"
#include "script/objectives/objective_outcome.h"
#include "script/row_count.h"
#include "script/script_session.h"

namespace quorvane {
namespace {

// One action of the design: its name as stored in ObjectiveScripting.Action,
// the shape of its block, its deadline form (another one when ActionParm1 is
// "All") and the function that supplies its lines.
struct ActionKind {
  std::string_view name;
  BlockShape shape;
  DeadlineForm deadline;
  DeadlineForm deadline_for_all;
  LinesBuilder lines = nullptr;
  OwnWriter own = nullptr;
};

constexpr auto S = BlockShape::kSuccessOnCondition;
constexpr auto F = BlockShape::kFailureOnCondition;

constexpr ActionKind Block(std::string_view name, BlockShape shape, DeadlineForm deadline,
                           LinesBuilder lines) {
  return {name, shape, deadline, deadline, lines};
}

constexpr ActionKind GroupBlock(std::string_view name, BlockShape shape, DeadlineForm for_all,
                                DeadlineForm otherwise, LinesBuilder lines) {
  return {name, shape, otherwise, for_all, lines};
}

constexpr ActionKind OwnBlock(std::string_view name, OwnWriter own) {
  return {name, BlockShape::kOwn, DeadlineForm::kByAction, DeadlineForm::kByAction, nullptr, own};
}

using enum DeadlineForm;

// In the order in which the action name is compared.
constexpr std::array kActionKinds = {
    GroupBlock("Destroy Enemy", S, kTimeUpNoted, kTimeUp, DestroyEnemy),
    GroupBlock("Enemy Dead or Fled", S, kTimeUpNoted, kTimeUp, EnemyDeadOrFled),
    Block("Prevent Enemy Dead or Fled", F, kTimeUpOrPreviousNoted, PreventEnemyDeadOrFled),
    Block("Prevent Enemy Withdraw", F, kTimeUpOrPreviousNoted, PreventEnemyWithdraw),
    Block("Destroy Object", S, kTimeUp, DestroyObject),
    Block("Destroy Num Objects", S, kTimeUp, DestroyNumObjects),
    Block("Guard Num Objects", F, kTimeUpOrPreviousOrEnemyDead, GuardNumObjects),
    Block("Capture Num Objects", S, kTimeUp, CaptureNumObjects),
    Block("Destroy Structure", S, kTimeUp, DestroyStructure),
    Block("Destroy Vehicle", S, kTimeUp, DestroyVehicle),
    Block("Destroy Vehicle Type", S, kTimeUp, DestroyVehicleType),
    Block("Guard Structure", F, kGuardUntilEnemyDead, GuardStructure),
    GroupBlock("Guard Ally", F, kGuardUntilEnemyDead, kGuardUntilClanDead, GuardAlly),
    Block("Guard Vehicle Type", F, kGuardUntilEnemyDead, GuardVehicleType),
    Block("Guard Vehicle", F, kGuardUntilEnemyDead, GuardVehicle),
    Block("Move to Area", S, kTimeUp, MoveToArea),
    Block("Move All to Area", S, kTimeUp, MoveAllToArea),
    Block("Extraction Zone", S, kTimeUp, ExtractionZone),
    Block("Allied Extraction Zone", S, kTimeUp, AlliedExtractionZone),
    Block("Move All Allied to Area", S, kTimeUp, MoveAllAlliedToArea),
    Block("Guard Player", F, kGuardUntilClanDead, GuardPlayer),
    Block("Guard Clanner", F, kGuardUntilPlayerDead, GuardClanner),
    Block("Capture Structure", S, kTimeUpOrObjectDestroyed, CaptureStructure),
    Block("King Of Hill", S, kTimeUpOrObjectDestroyed, KingOfHill),
    Block("Capture Enemy Vehicles", S, kByAction, CaptureEnemyVehicles),
    OwnBlock("Set Objective Marker", SetObjectiveMarker),
    OwnBlock("Fail Secondary Objective", FailSecondaryObjective),
    Block("ABL SUCCESS", S, kTimeUp, AblSuccess),
    Block("ABL FAIL", F, kByAction, AblFail),
    OwnBlock("ABL SUCCESS/FAIL", AblSuccessFail),
};

const ActionKind* FindActionKind(const Variant& action) {
  for (const ActionKind& kind : kActionKinds) {
    if (EqualsText(action, kind.name)) return &kind;
  }
  return nullptr;
}

// The standard block: the condition decides one way, the deadline the other.
void WriteStandardBlock(const ActionContext& context, const ActionKind& kind) {
  std::optional<ActionLines> lines = kind.lines(context);
  if (!lines) return;
  DeadlineForm form = context.ParmIs(1, "All") ? kind.deadline_for_all : kind.deadline;
  std::string deadline = form == kByAction ? lines->deadline : DeadlineLine(context, form);
  ScriptSession& session = context.session;
  for (const std::string& line : lines->before) WriteBlockLine(session, 18, line);
  for (const std::string& statement : lines->init) WriteInitLine(session, statement);
  for (const std::string& line : lines->condition) WriteBlockLine(session, 18, line);
  auto on_condition = kind.shape == S ? WriteObjectiveSuccess : WriteObjectiveFailure;
  auto at_deadline = kind.shape == S ? WriteObjectiveFailure : WriteObjectiveSuccess;
  on_condition(session, context.objective_number, context.action_index, 0);
  WriteBlockLine(session, 18, "else");
  WriteBlockLine(session, 24, deadline);
  at_deadline(session, context.objective_number, context.action_index, 2);
  WriteBlockLine(session, 24, "endif;");
  WriteBlockLine(session, 18, "endif;");
}

void WriteActionBlock(const ActionContext& context) {
  const ActionKind* kind = FindActionKind(context.action.Field("Action"));
  if (kind == nullptr) return;
  if (kind->shape == BlockShape::kOwn) {
    kind->own(context);
  } else {
    WriteStandardBlock(context, *kind);
  }
}

}  // namespace

bool WriteObjectiveActions(ScriptSession& session, int32_t objective_id, int16_t objective_number,
                           int16_t side) {
  ScriptState& script = session.script;
  db::Recordset& actions = *script.action_records;
  std::string criteria = "[ObjectiveID] = " + std::to_string(objective_id);
  script.objective_action_count = 0;
  script.objective_action_count = CountMatchingRows(actions, criteria);
  if (script.objective_action_count == 0) return false;
  actions.FindFirst(criteria);
  for (int index = 1; index <= script.objective_action_count; ++index) {
    ActionContext context{session,          *script.objective_records,   actions,
                          objective_number, static_cast<int16_t>(index), side};
    WriteActionBlock(context);
    session.run.files[FileRole::kMain].WriteLine();
    actions.FindNext(criteria);
  }
  WriteAllActionsSuccess(session, script.objective_action_count, objective_number);
  return true;
}

}  // namespace quorvane
