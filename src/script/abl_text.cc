#include "script/abl_text.h"

#include <algorithm>

#include "platform/number_text.h"
#include "run/mission_kind.h"
#include "script/script_session.h"

namespace quorvane {

void WriteIncludeLine(ScriptSession& session, FileRole role, const Line& line) {
  OutputFile& file = session.run.files[role];
  if (!file.is_open() && session.closed_include_lines == ClosedIncludeLines::kAreDropped) return;
  file.WriteLine(line);
}

void DeclareScriptVariable(ScriptSession& session, std::string_view type, std::string_view name,
                           std::string_view initial_value) {
  Line declaration;
  declaration << "     " << type;
  declaration.Tab(40) << name << ";";
  WriteIncludeLine(session, FileRole::kVariables, declaration);
  if (!initial_value.empty()) {
    WriteIncludeLine(session, FileRole::kInit,
                     Line("     ") << name << " = " << initial_value << ";");
  }
}

void WriteInitLine(ScriptSession& session, std::string_view statement, std::string_view value) {
  Line line("     ");
  line << statement;
  if (!value.empty()) {
    line << " = " << value << ";";
  } else if (statement.empty() || statement.back() != ';') {
    line << ";";
  }
  WriteIncludeLine(session, FileRole::kInit, line);
}

int32_t MakeObjectId(int16_t block, int16_t vertex, int16_t number) {
  return 4096 + 3200 * static_cast<int32_t>(block) + 8 * static_cast<int32_t>(vertex) + number;
}

void CloseVarInitFiles(ScriptSession& session) {
  session.run.files[FileRole::kVariables].Close();
  session.run.files[FileRole::kInit].Close();
}

bool IsMultiplayerMission(const ScriptSession& session) {
  return session.script.mission_record != nullptr &&
         DecideMissionKind(session.script.mission_record->Field("Multiplayer"),
                           MultiplayerTest::kByTruth) == MissionKind::kMultiplayer;
}

}  // namespace quorvane
