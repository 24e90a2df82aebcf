// The objective passages of the mission brain: failing the objectives of a
// dead force, resolving each objective, starting the exit timer when every
// objective is decided, and the scenario's result.

#include "run/step_context.h"
#include "platform/variant.h"
#include "script/brain_module.h"
#include "script/objectives/objective_actions.h"
#include "script/script_files.h"

namespace quorvane {
namespace {

using std::to_string;

std::string IncompleteTest(std::string_view indent, int16_t index) {
  return std::string(indent) + "if (checkObjectiveStatus(" + to_string(index) +
         ") == INCOMPLETE) then";
}

// Fails an objective on every machine: a numbered case of handleMessage, and
// the server's lines that send it.
void SendObjectiveFailed(const BrainModule& module, int16_t index) {
  int16_t event = AddMultiplayerEvent(
      module.session, "setObjectiveStatus(" + to_string(index) + ", FAILED);", true);
  module.Write("                        sendMessage(" + to_string(event) + ",0);");
  module.Write("                        handleMessage;");
}

// An objective takes part in the force-dead failing only when its
// DoNotFailIfDead is set to False (a Null keeps it out).
bool FailsWhenForceDead(const db::Recordset& objectives) {
  return EqualsNumber(objectives.Field("DoNotFailIfDead"), 0);
}

void FailPlayerObjectives(const BrainModule& module) {
  db::Recordset& objectives = module.objectives();
  std::string criteria = MissionCriteria(module.mission);
  int16_t index = 0;
  for (objectives.FindFirst(criteria); !objectives.NoMatch(); objectives.FindNext(criteria)) {
    if (FailsWhenForceDead(objectives)) {
      module.Write(IncompleteTest("                  ", index));
      module.Write("                        setObjectiveStatus(" + to_string(index) + ", FAILED);");
      module.Write("                  endif;");
    }
    index = CheckedInteger(index + 1);
  }
}

// The objectives of one team, found with `criteria`, numbered from `first`.
void FailTeamObjectives(const BrainModule& module, const std::string& criteria, int16_t first) {
  db::Recordset& objectives = module.objectives();
  int16_t index = first;
  for (objectives.FindFirst(criteria); !objectives.NoMatch(); objectives.FindNext(criteria)) {
    if (FailsWhenForceDead(objectives)) {
      module.Write(IncompleteTest("                  ", index));
      SendObjectiveFailed(module, index);
      module.Write("                  endif;");
    }
    index = CheckedInteger(index + 1);
  }
}

// "(Objective_<first>_Decided) AND ... AND (Objective_<last>_Decided)".
std::string DecidedTerms(int16_t first, int16_t end) {
  std::string terms;
  for (int16_t index = first; index < end; ++index) {
    if (index > first) terms += " AND ";
    terms += "(Objective_" + to_string(index) + "_Decided)";
  }
  return terms;
}

// The opening test of an objective. A delayed objective waits until every
// earlier objective is decided; the first objective cannot wait.
void WriteOpeningTest(const BrainModule& module, int16_t index) {
  bool delayed = !EqualsNumber(module.objectives().Field("DelayDetermination"), 0);
  if (delayed && index > 0) {
    std::string line =
        "            if ((checkObjectiveStatus(" + to_string(index) + ") == INCOMPLETE)";
    for (int16_t earlier = 0; earlier < index; ++earlier) {
      line += " AND (Objective_" + to_string(earlier) + "_Decided)";
    }
    module.Write(line + ") then");
  } else {
    if (delayed) {
      module.session.run.messages.Notice(
          "The first objective cannot have its determination delayed.");
    }
    module.Write(IncompleteTest("            ", index));
  }
  module.Write("");
}

// The commented-out outcome lines that the designer completes by hand for an
// objective without action rows.
void WriteOutcomeTemplate(const BrainModule& module, int16_t index, bool primary) {
  std::string number = to_string(index);
  module.Write("                   // Enter Objective " + number + " Success/Fail Checks Here");
  module.Write("");
  module.Write(
      "                   // Uncomment these lines and place them where Objective is set Failed");
  module.Write("//                        SetObjectiveStatus(" + number + ",FAILED);");
  module.Write("//                        playBetty(BETTY_CANNOT_COMP_OBJ);");
  module.Write("//                        Objective_" + number + "_Decided = TRUE;");
  module.Write("//                        PlayDigitalMusic(OBJECTIVE_FAIL_MUSIC);");
  module.Write("");
  module.Write(
      "                   // Uncomment these lines and place them where Objective is set Success");
  module.Write("//                        SetObjectiveStatus(" + number + ",SUCCESS);");
  module.Write("//                        playBetty(BETTY_OBJECTIVE_COMPLETE);");
  if (primary) module.Write("//                        VictoryLevel = VictoryLevel + 1;");
  module.Write("//                        Objective_" + number + "_Decided = TRUE;");
  module.Write("//                        PlayDigitalMusic(OBJECTIVE_SUCCESS_MUSIC);");
}

// A failed primary objective starts the exit timer: in a multiplayer mission
// only when the other side has won or its force is dead.
void WritePrimaryFailedBranch(const BrainModule& module, int16_t index, bool clan) {
  const ScriptState& script = module.session.script;
  module.Write("            else");
  module.Write("                  if (NOT ExitTimerSet) then        ");
  module.Write("                        //if Failed primary Objective, fail mission");
  module.Write("                        if (checkObjectiveStatus(" + to_string(index) +
               ") == FAILED) then");
  if (module.multiplayer) {
    if (clan) {
      module.Write("                              if ((VictoryLevel >= " +
                   to_string(script.inner_sphere_primary_count) + ") OR (PlayerForceDead)) then");
    } else {
      module.Write("                              if ((ClanVictoryLevel >= " +
                   to_string(script.clan_primary_count) + ") OR (ClanForceDead)) then");
    }
    module.Write(brain_text::kPrimaryFailedSendTimer);
  } else {
    module.Write(brain_text::kPrimaryFailedSetTimer);
  }
  module.Write("                        endif;");
  module.Write("                  endif;");
}

void WriteObjectiveBlock(const BrainModule& module, int16_t index) {
  db::Recordset& objectives = module.objectives();
  WriteOpeningTest(module, index);
  // ObjectiveID and Alignment are handed over as typed values: a Null is an
  // invalid use of Null here.
  int32_t objective_id = objectives.Field("ObjectiveID").ToLong();
  int16_t side = objectives.Field("Alignment").ToInteger();
  if (!WriteObjectiveActions(module.session, objective_id, index, side)) {
    WriteOutcomeTemplate(module, index, IsPrimaryObjective(objectives));
  }
  if (IsPrimaryObjective(objectives)) {
    WritePrimaryFailedBranch(module, index, IsClanObjective(objectives));
  }
  module.Write("            endif;");
  module.Write("");
}

// One side's all-decided test in a multiplayer mission: when the side has
// decided all its objectives, the other side's open objectives fail and the
// exit timer starts. A side without objectives gets no test.
void WriteSideDecidedTest(const BrainModule& module, int16_t first, int16_t end,
                          int16_t other_first, int16_t other_end) {
  if (first >= end) return;
  module.Write("            if ((NOT ExitTimerSet) AND " + DecidedTerms(first, end) + ") then");
  for (int16_t index = other_first; index < other_end; ++index) {
    module.Write(IncompleteTest("                  ", index));
    SendObjectiveFailed(module, index);
    module.Write("                  endif;");
  }
  module.Write(brain_text::kSendExitTimer);
  module.Write("            endif;");
  module.Write("");
}

void WriteMultiplayerResult(const BrainModule& module) {
  const ScriptState& script = module.session.script;
  std::string inner_sphere = to_string(script.inner_sphere_primary_count);
  std::string clan = to_string(script.clan_primary_count);
  module.Write("                  if ((VictoryLevel >= " + inner_sphere +
               ") AND (ClanVictoryLevel < " + clan + ")) then");
  module.Write("                       ScenarioResult = INNER_SPHERE_VICTORY;");
  module.Write("                  else");
  module.Write("                       if ((ClanVictoryLevel >= " + clan +
               ") AND (VictoryLevel < " + inner_sphere + ")) then");
  module.Write("                            ScenarioResult = CLAN_VICTORY;");
  module.Write("                       else");
  module.Write("                            if ((ClanVictoryLevel >= " + clan +
               ") AND (VictoryLevel >= " + inner_sphere + ")) then");
  module.Write("                                 ScenarioResult = JOINT_VICTORY;");
  module.Write("                            else");
  module.Write("                                 ScenarioResult = JOINT_LOSS;");
  module.Write("                            endif;");
  module.Write("                       endif;");
  module.Write("                  endif;");
  module.Write(brain_text::kEndMusicMessage);
}

void WriteSinglePlayerResult(const BrainModule& module) {
  module.Write("                  if (VictoryLevel >= " +
               to_string(module.session.script.inner_sphere_primary_count) + ") then");
  module.Write("                        ScenarioResult = PLAYER_WIN_BIG;");
  module.Write("                        PlayDigitalMusic(VICTORY_MUSIC);");
  module.Write("                  else");
  module.Write("                        ScenarioResult = PLAYER_LOST_BIG;");
  module.Write("                        PlayDigitalMusic(DEFEAT_MUSIC);");
  module.Write("                  endif;");
}

}  // namespace

void WriteForceDeadFailing(const BrainModule& module) {
  if (module.single_player_failing) {
    module.Write(brain_text::kPlayerDeadHead);
    FailPlayerObjectives(module);
  } else {
    module.Write(brain_text::kPlayerTeamDeadHead);
    FailTeamObjectives(module, "[Alignment] <> 1", 0);
    module.Write(brain_text::kClanTeamDeadHead);
    FailTeamObjectives(module, "[Alignment] = 1", module.inner_sphere_objective_count());
  }
  module.Write(brain_text::kForceDeadTail);
}

void WriteObjectiveResolution(const BrainModule& module) {
  module.Write(brain_text::kResolutionHead);
  db::Recordset& objectives = module.objectives();
  int16_t index = 0;
  for (objectives.MoveFirst(); !objectives.Eof(); objectives.MoveNext()) {
    RunStep(module.session.run, "writing objective " + to_string(index) + " of the brain",
            [&] { WriteObjectiveBlock(module, index); });
    index = CheckedInteger(index + 1);
  }
}

void WriteAllDecidedTests(const BrainModule& module) {
  int16_t all = module.objective_count;
  int16_t inner_sphere = module.inner_sphere_objective_count();
  if (module.multiplayer) {
    WriteSideDecidedTest(module, 0, inner_sphere, inner_sphere, all);
    WriteSideDecidedTest(module, inner_sphere, all, 0, inner_sphere);
  } else {
    module.Write("            if ((NOT ExitTimerSet) AND " + DecidedTerms(0, all) + ") then");
    module.Write(brain_text::kSetExitTimer);
    module.Write("            endif;");
    module.Write("");
  }
}

void WriteScenarioEnd(const BrainModule& module) {
  module.Write(brain_text::kScenarioEndHead);
  if (module.multiplayer) {
    WriteMultiplayerResult(module);
  } else {
    WriteSinglePlayerResult(module);
  }
  module.Write("            endif;");
  module.Write("");
}

}  // namespace quorvane
