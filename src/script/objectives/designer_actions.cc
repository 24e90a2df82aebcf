// The objective marker, the failure of a secondary objective and the
// designer's own ABL conditions.
#include "script/abl_text.h"
#include "script/objectives/action_builders.h"
#include "script/objectives/deadline_line.h"
#include "script/objectives/objective_outcome.h"
#include "script/script_files.h"
#include "script/script_session.h"

namespace quorvane {
namespace {

std::string Number(int value) { return std::to_string(value); }

void WriteInit(const ActionContext& context, std::string_view statement) {
  WriteInitLine(context.session, statement);
}

}  // namespace

// Moves the objective's marker to a point: at the start of the mission, or
// once the previous action is done. The action counts as done then.
void SetObjectiveMarker(const ActionContext& context) {
  std::string marker = "setObjectivePos(" + Number(context.objective_number) + "," +
                       context.Parm(1) + ".0," + context.Parm(2) + ".0,0.0);";
  std::string done = context.ActionFlag() + " = TRUE;";
  ScriptSession& session = context.session;
  if (context.ParmIs(4, "Anytime")) {
    WriteInit(context, marker);
    WriteInit(context, done);
    return;
  }
  WriteBlockLine(
      session, 18,
      "if ((" + context.PreviousDone() + ") AND (NOT " + context.ActionFlag() + ")) then");
  if (IsMultiplayerMission(session)) {
    AddMultiplayerEvent(session, marker, true);
    int16_t event = AddMultiplayerEvent(session, done, false);
    WriteBlockLine(session, 24, "sendMessage(" + Number(event) + ",0);");
    WriteBlockLine(session, 24, "handlemessage;");
  } else {
    WriteBlockLine(session, 24, marker);
    WriteBlockLine(session, 24, done);
  }
  WriteBlockLine(session, 18, "endif;");
}

// Counts as done from the start and fails the objective once the side has
// won all its primary objectives.
void FailSecondaryObjective(const ActionContext& context) {
  ScriptSession& session = context.session;
  WriteInit(context, context.ActionFlag() + " = TRUE;");
  WriteBlockLine(
      session, 18,
      context.IsInnerSphereObjective()
          ? "if (VictoryLevel >= " + Number(session.script.inner_sphere_primary_count) + ") then"
          : "if (ClanVictoryLevel >= " + Number(session.script.clan_primary_count) + ") then");
  std::string failed = "SetObjectiveStatus(" + Number(context.objective_number) + ",FAILED);";
  std::string decided = "Objective_" + Number(context.objective_number) + "_Decided = TRUE;";
  if (IsMultiplayerMission(session)) {
    AddMultiplayerEvent(session, failed, true);
    int16_t event = AddMultiplayerEvent(session, decided, false);
    session.run.files[FileRole::kMain].WriteLine("sendMessage(" + Number(event) + ",0);");
    session.run.files[FileRole::kMain].WriteLine("handleMessage;");
  } else {
    WriteBlockLine(session, 24, failed);
    WriteBlockLine(session, 24, decided);
  }
  WriteBlockLine(session, 18, "endif;");
}

std::optional<ActionLines> AblSuccess(const ActionContext& context) {
  std::optional<std::string> condition = ChainedCondition(context, context.Parm(1));
  if (!condition) return std::nullopt;
  return ActionLines{.condition = {*condition}};
}

// Fails on the designer's condition; succeeds at the deadline, or once the
// previous action is done.
std::optional<ActionLines> AblFail(const ActionContext& context) {
  std::string deadline;
  switch (context.ActionTiming()) {
    case Timing::kAnytime:
      deadline = DeadlineLine(context, DeadlineForm::kTimeUp);
      break;
    case Timing::kAfterLastAction:
      deadline = "if (" + context.PreviousDone() + ") then";
      break;
    case Timing::kOther:
      return std::nullopt;
  }
  return ActionLines{.condition = {"if (" + context.Parm(2) + ") then"}, .deadline = deadline};
}

// Succeeds on the designer's success condition and fails on the failure
// condition. After the last action it also succeeds once the previous action
// is done and the failure condition does not hold.
void AblSuccessFail(const ActionContext& context) {
  std::optional<std::string> head = ChainedCondition(context, context.Parm(1));
  if (!head) return;
  ScriptSession& session = context.session;
  int16_t n = context.objective_number;
  int16_t i = context.action_index;
  std::string failure_test = "if (" + context.Parm(2) + ") then";
  WriteBlockLine(session, 18, *head);
  WriteObjectiveSuccess(session, n, i, 0);
  WriteBlockLine(session, 18, "else");
  if (context.ActionTiming() == Timing::kAnytime) {
    WriteBlockLine(session, 24, failure_test);
    WriteObjectiveFailure(session, n, i, 2);
  } else {
    WriteBlockLine(
        session, 24,
        "if ((" + context.PreviousDone() + ") AND (NOT (" + context.Parm(2) + "))) then");
    WriteObjectiveSuccess(session, n, i, 2);
    WriteBlockLine(session, 24, "else");
    WriteBlockLine(session, 30, failure_test);
    WriteObjectiveFailure(session, n, i, 3);
    WriteBlockLine(session, 30, "endif;");
  }
  WriteBlockLine(session, 24, "endif;");
  WriteBlockLine(session, 18, "endif;");
}

}  // namespace quorvane
