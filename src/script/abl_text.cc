#include "script/abl_text.h"

#include <algorithm>

#include "platform/number_text.h"
#include "script/script_session.h"

namespace quorvane {

void MakeAblIdentifier(MessageSink& messages, std::string& text) {
  if (ReadLeadingNumber(text) > 0) {
    messages.Error("ABL Identifier '" + text + "' starts with a number.");
    return;
  }
  static constexpr std::string_view kRemoved = "&;=%^()-+.!\\/:";
  std::string identifier = "_";
  for (char c : text) {
    if (c == ' ') {
      identifier += '_';
    } else if (kRemoved.find(c) == std::string_view::npos) {
      identifier += c;
    }
  }
  text = std::move(identifier);
}

void WriteIncludeLine(ScriptSession& session, FileRole role, const Line& line) {
  OutputFile& file = session.run.files[role];
  if (!file.is_open() && session.script.drop_lines_of_closed_includes) return;
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
         session.script.mission_record->Field("Multiplayer").IsTrue();
}

}  // namespace quorvane
