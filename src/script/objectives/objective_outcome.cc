#include "script/objectives/objective_outcome.h"

#include <algorithm>
#include <string>

#include "platform/line.h"
#include "script/abl_text.h"
#include "script/script_files.h"
#include "script/script_session.h"

namespace quorvane {
namespace {

std::string Number(int value) { return std::to_string(value); }

int OutcomeColumn(int16_t level) { return 18 + 6 * std::max<int>(level, 1); }

const Variant& ObjectiveField(const ScriptSession& session, std::string_view name) {
  return session.script.objective_records->Field(name);
}

// Priority 0 is a primary objective. A Null priority is neither primary nor
// secondary: it gets the secondary voice line but no failure music.
bool IsPrimary(const ScriptSession& session) {
  return EqualsNumber(ObjectiveField(session, "Priority"), 0);
}

bool IsSecondary(const ScriptSession& session) {
  std::optional<int> order = CompareWithNumber(ObjectiveField(session, "Priority"), 0);
  return order && *order != 0;
}

bool IsClanObjective(const ScriptSession& session) {
  return EqualsNumber(ObjectiveField(session, "Alignment"), 1);
}

void WriteModuleLine(ScriptSession& session, int column, std::string_view text) {
  session.run.files[FileRole::kMain].WriteLine(Line::At(column, text));
}

// The server sends the case to every client and handles it itself.
void WriteEventCall(ScriptSession& session, int column, int16_t event) {
  WriteModuleLine(session, column, "sendMessage(" + Number(event) + ",0);");
  WriteModuleLine(session, column, "handleMessage;");
}

std::string DecidedStatement(int16_t objective) {
  return "Objective_" + Number(objective) + "_Decided = TRUE;";
}

std::string HomeTeamTest(const ScriptSession& session) {
  return IsClanObjective(session) ? "if (getHomeTeam == CLAN_FORCE) then"
                                  : "if (getHomeTeam == PLAYER_FORCE) then";
}

void WriteInlineObjectiveSuccess(ScriptSession& session, int16_t objective, int column) {
  WriteModuleLine(session, column, "SetObjectiveStatus(" + Number(objective) + ",SUCCESS);");
  WriteModuleLine(session, column, "playBetty(BETTY_OBJECTIVE_COMPLETE);");
  if (IsPrimary(session)) WriteModuleLine(session, column, "VictoryLevel = VictoryLevel + 1;");
  WriteModuleLine(session, column, DecidedStatement(objective));
  WriteModuleLine(
      session, column,
      "if (VictoryLevel < " + Number(session.script.inner_sphere_primary_count) + ") then");
  WriteModuleLine(session, column + 6, "PlayDigitalMusic(OBJECTIVE_SUCCESS_MUSIC);");
  WriteModuleLine(session, column, "endif;");
}

// Adds the objective's success as a new case of handleMessage; returns its number.
int16_t AddObjectiveSuccessEvent(ScriptSession& session, int16_t objective) {
  int16_t event =
      AddMultiplayerEvent(session, "SetObjectiveStatus(" + Number(objective) + ",SUCCESS);", true);
  if (IsPrimary(session)) {
    AddMultiplayerEvent(session,
                        IsClanObjective(session) ? "ClanVictoryLevel = ClanVictoryLevel + 1;"
                                                 : "VictoryLevel = VictoryLevel + 1;",
                        false);
  }
  AddMultiplayerEvent(session, HomeTeamTest(session), false);
  AddMultiplayerEvent(session, "     playBetty(BETTY_OBJECTIVE_COMPLETE);", false);
  AddMultiplayerEvent(
      session,
      "     if ((VictoryLevel < " + Number(session.script.inner_sphere_primary_count) +
          ") AND (ClanVictoryLevel < " + Number(session.script.clan_primary_count) + ")) then",
      false);
  AddMultiplayerEvent(session, "          PlayDigitalMusic(OBJECTIVE_SUCCESS_MUSIC);", false);
  AddMultiplayerEvent(session, "     endif;", false);
  AddMultiplayerEvent(session, "endif;", false);
  AddMultiplayerEvent(session, DecidedStatement(objective), false);
  return event;
}

void WriteObjectiveSuccessAt(ScriptSession& session, int16_t objective, int column) {
  if (IsMultiplayerMission(session)) {
    WriteEventCall(session, column, AddObjectiveSuccessEvent(session, objective));
  } else {
    WriteInlineObjectiveSuccess(session, objective, column);
  }
}

}  // namespace

void WriteObjectiveSuccess(ScriptSession& session, int16_t objective, int16_t action,
                           int16_t level) {
  int column = OutcomeColumn(level);
  if (session.script.objective_action_count == 1) {
    WriteObjectiveSuccessAt(session, objective, column);
    return;
  }
  std::string flag = "Obj_" + Number(objective) + "_Action_" + Number(action) + "_Success = TRUE;";
  if (IsMultiplayerMission(session)) {
    WriteEventCall(session, column, AddMultiplayerEvent(session, flag, true));
  } else {
    WriteModuleLine(session, column, flag);
  }
}

void WriteObjectiveFailure(ScriptSession& session, int16_t objective, int16_t, int16_t level) {
  int column = OutcomeColumn(level);
  std::string status = "SetObjectiveStatus(" + Number(objective) + ",FAILED);";
  std::string_view voice = IsPrimary(session) ? "playBetty(BETTY_CANNOT_COMP_OBJ);"
                                              : "playBetty(BETTY_SECONDARY_FAILED);";
  constexpr std::string_view kMusic = "PlayDigitalMusic(OBJECTIVE_FAIL_MUSIC);";
  if (!IsMultiplayerMission(session)) {
    WriteModuleLine(session, column, status);
    WriteModuleLine(session, column, voice);
    WriteModuleLine(session, column, DecidedStatement(objective));
    if (IsSecondary(session)) WriteModuleLine(session, column, kMusic);
    return;
  }
  int16_t event = AddMultiplayerEvent(session, status, true);
  AddMultiplayerEvent(session, HomeTeamTest(session), false);
  AddMultiplayerEvent(session, "     " + std::string(voice), false);
  if (IsSecondary(session)) AddMultiplayerEvent(session, "     " + std::string(kMusic), false);
  AddMultiplayerEvent(session, "endif;", false);
  AddMultiplayerEvent(session, DecidedStatement(objective), false);
  WriteEventCall(session, column, event);
}

void WriteAllActionsSuccess(ScriptSession& session, int16_t action_count, int16_t objective) {
  if (action_count < 2) return;
  std::string test = "if (";
  for (int action = 1; action <= action_count; ++action) {
    test += "(Obj_" + Number(objective) + "_Action_" + Number(action) + "_Success)";
    test += action < action_count ? " AND " : ") then";
  }
  WriteModuleLine(session, 18, test);
  WriteObjectiveSuccessAt(session, objective, 24);
  WriteModuleLine(session, 18, "endif;");
  session.run.files[FileRole::kMain].WriteLine();
}

}  // namespace quorvane
