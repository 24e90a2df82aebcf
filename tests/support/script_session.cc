#include "support/script_session.h"

#include <fstream>
#include <sstream>

#include <unistd.h>

namespace quorvane::testing_support {

ScriptSession::ScriptSession(bool multiplayer) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "quorvane_script_XXXXXX").string();
  folder_ = mkdtemp(pattern.data());
  auto database = std::make_unique<MemoryDatabase>();
  database_ = database.get();
  session.database = std::move(database);
  session.output_folder = folder_.string() + "/";
  session.files[FileRole::kMain].Create((folder_ / "brain.abl").string());
  session.files[FileRole::kInit].Create((folder_ / "init.abi").string());
  session.files[FileRole::kMultiplayer].Create((folder_ / "mp.abi").string());
  session.script.mission_record = std::make_unique<MemoryRecordset>(
      std::vector<MemoryRow>{{{"Multiplayer", Variant::Boolean(multiplayer)}}});
  session.script.event_limit = multiplayer ? 249 : 0;
}

ScriptSession::~ScriptSession() {
  session.files.CloseAll();
  std::filesystem::remove_all(folder_);
}

void ScriptSession::SetObjective(MemoryRow objective) {
  session.script.objective_records =
      std::make_unique<MemoryRecordset>(std::vector<MemoryRow>{std::move(objective)});
}

void ScriptSession::SetActions(std::vector<MemoryRow> actions) {
  session.script.action_records = std::make_unique<MemoryRecordset>(std::move(actions));
}

std::vector<std::string> ScriptSession::Lines(FileRole role) {
  OutputFile& file = session.files[role];
  std::string path = file.path();
  file.Close();
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::string> lines;
  std::string all = text.str();
  size_t start = 0;
  for (size_t end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(all.substr(start, end - start));
  }
  return lines;
}

std::string At(int column, const std::string& text) { return std::string(column - 1, ' ') + text; }

}  // namespace quorvane::testing_support
