#include "support/files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorvane::testing {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> FolderState(const std::string& folder) {
  std::map<std::string, std::string> state;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string name = fs::relative(entry.path(), folder).string();
    if (entry.is_directory()) {
      state[name] = "<folder>";
      continue;
    }
    auto time = entry.last_write_time().time_since_epoch().count();
    state[name] = std::to_string(time) + ":" + ReadFile(entry.path().string());
  }
  return state;
}

}  // namespace quorvane::testing
