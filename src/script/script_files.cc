#include "script/script_files.h"

#include <array>

#include "platform/line.h"
#include "platform/output_name.h"
#include "script/abl_text.h"
#include "script/script_lines.h"
#include "script/script_session.h"

namespace quorvane {
namespace {

// handleMessage up to its numbered cases: the fixed cases of the alarms, the
// exit timer and the end music.
constexpr std::array<PlacedLine, 67> kHandleMessageHead = {{
    {0, ""},
    {1, "function handleMessage;"},
    {0, ""},
    {6, "Var"},
    {0, ""},
    {12, "integer MsgParams;"},
    {12, "integer MsgCode;"},
    {0, ""},
    {6, "Code"},
    {0, ""},
    {12, "MsgCode = getMessage(MsgParams);"},
    {0, ""},
    {12, "Switch (MsgCode)"},
    {0, ""},
    {18, "case MSG_GENERAL_ALARM_ON:"},
    {0, ""},
    {24, "GeneralAlarm = TRUE;"},
    {24, "PlayGASound = TRUE;"},
    {24, "PlayPASound = FALSE;"},
    {24, "endcase;"},
    {0, ""},
    {18, "case MSG_GENERAL_ALARM_OFF:"},
    {0, ""},
    {24, "PlayGASound = FALSE;"},
    {24, "endcase;"},
    {0, ""},
    {18, "case MSG_PERIMETER_ALARM_ON:"},
    {0, ""},
    {24, "PlayPASound = TRUE;"},
    {24, "endcase;"},
    {0, ""},
    {18, "case MSG_PERIMETER_ALARM_OFF:"},
    {0, ""},
    {24, "PlayPASound = FALSE;"},
    {24, "endcase;"},
    {0, ""},
    {18, "case MSG_SET_EXIT_TIMER:"},
    {0, ""},
    {24, "setTimer(EXIT_TIMER,2.0);"},
    {24, "ExitTimerSet = TRUE;"},
    {24, "endcase;"},
    {0, ""},
    {18, "case MSG_PLAY_END_MUSIC:"},
    {0, ""},
    {24, "switch (MsgParams)"},
    {30, "case INNER_SPHERE_VICTORY:"},
    {36, "if (getHomeTeam == PLAYER_FORCE) then"},
    {40, "PlayDigitalMusic(VICTORY_MUSIC);"},
    {36, "else"},
    {40, "PlayDigitalMusic(DEFEAT_MUSIC);"},
    {36, "endif;"},
    {36, "endcase;"},
    {30, "case CLAN_VICTORY:"},
    {36, "if (getHomeTeam == CLAN_FORCE) then"},
    {40, "PlayDigitalMusic(VICTORY_MUSIC);"},
    {36, "else"},
    {40, "PlayDigitalMusic(DEFEAT_MUSIC);"},
    {36, "endif;"},
    {36, "endcase;"},
    {30, "case JOINT_LOSS:"},
    {36, "PlayDigitalMusic(DEFEAT_MUSIC);"},
    {36, "endcase;"},
    {30, "case JOINT_VICTORY:"},
    {36, "PlayDigitalMusic(VICTORY_MUSIC);"},
    {36, "endcase;"},
    {24, "endswitch;"},
    {24, "endcase;"},
}};

std::string MissionNameText(const ScriptSession& session) {
  return PrintedForm(session.script.mission_record->Field("MissionName"));
}

void WriteFileHead(OutputFile& file, std::string_view title, const std::string& mission_name) {
  file.WriteLine(kRuleLine);
  file.WriteLine(std::string(title) + mission_name);
  file.WriteLine();
}

void WriteMultiplayerLine(ScriptSession& session, int column, std::string_view text) {
  WriteIncludeLine(session, FileRole::kMultiplayer, Line::At(column, text));
}

void WriteEmptyMultiplayerLine(ScriptSession& session) {
  WriteIncludeLine(session, FileRole::kMultiplayer, Line());
}

}  // namespace

bool FindMissionRecord(ScriptSession& session) {
  ScriptState& script = session.script;
  script.mission_record = session.run.database->OpenRecordset("NewMissions");
  script.mission_record->FindFirst("[MissionID] = " + std::to_string(session.run.mission));
  if (script.mission_record->RecordCount() < 1 || script.mission_record->NoMatch()) {
    session.run.messages.Error("Incorrect record count in NewMissions table.");
    return false;
  }
  std::string name = script.mission_record->Field("MissionFileName").ToText();
  if (!CheckMissionFileName(session.run.messages, name)) return false;
  if (name.size() >= 4) {
    std::string_view ending = std::string_view(name).substr(name.size() - 4);
    if (ending == ".abl" || ending == ".ABL") name.resize(name.size() - 4);
  }
  script.script_file_name = std::move(name);
  return true;
}

std::string MissionFileBase(const ScriptSession& session) {
  return session.run.output_folder + session.script.script_file_name;
}

bool OpenVarInitFiles(ScriptSession& session) {
  std::string base = MissionFileBase(session);
  std::string mission_name = MissionNameText(session);
  OutputFile& variables = session.run.files[FileRole::kVariables];
  variables.Create(base + "_VAR.ABI");
  WriteFileHead(variables, "// Variable Include file for mission ", mission_name);
  OutputFile& init = session.run.files[FileRole::kInit];
  init.Create(base + "_INIT.ABI");
  WriteFileHead(init, "// Init Include file for mission ", mission_name);
  return true;
}

bool OpenMultiplayerInclude(ScriptSession& session) {
  session.script.event_counter = 0;
  OutputFile& file = session.run.files[FileRole::kMultiplayer];
  file.Create(MissionFileBase(session) + "_MP.ABI");
  file.WriteLine(kRuleLine);
  file.WriteLine("// MultiPlayer Include file for mission " + MissionNameText(session));
  for (const PlacedLine& placed : kHandleMessageHead) file.WriteLine(ToLine(placed));
  file.WriteLine();
  return true;
}

int16_t AddMultiplayerEvent(ScriptSession& session, std::string_view line, bool new_event) {
  ScriptState& script = session.script;
  if (!new_event) {
    WriteMultiplayerLine(session, 24, line);
    return script.event_counter;
  }
  if (script.event_counter >= script.event_limit) {
    session.run.messages.Notice("Too many Multiplayer Events.");
    return 0;
  }
  if (script.event_counter > 0) {
    WriteMultiplayerLine(session, 24, "endcase;");
    WriteEmptyMultiplayerLine(session);
  }
  script.event_counter = CheckedInteger(script.event_counter + 1);
  WriteMultiplayerLine(session, 18, "Case " + std::to_string(script.event_counter) + ":");
  WriteEmptyMultiplayerLine(session);
  WriteMultiplayerLine(session, 24, line);
  return script.event_counter;
}

void CloseMultiplayerInclude(ScriptSession& session) {
  if (session.script.event_counter > 0) {
    WriteMultiplayerLine(session, 24, "endcase;");
    WriteEmptyMultiplayerLine(session);
  }
  WriteMultiplayerLine(session, 12, "endswitch;");
  WriteEmptyMultiplayerLine(session);
  WriteMultiplayerLine(session, 1, "endfunction;");
  WriteEmptyMultiplayerLine(session);
  session.run.files[FileRole::kMultiplayer].Close();
}

}  // namespace quorvane
