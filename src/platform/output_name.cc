#include "platform/output_name.h"

namespace quorvane {

bool StaysInOutputFolder(std::string_view name) {
  if (name.starts_with('/') || name.find('\0') != std::string_view::npos) return false;
  size_t start = 0;
  while (true) {
    size_t end = name.find('/', start);
    std::string_view component = name.substr(start, end - start);
    if (component == "..") return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

bool CheckMissionFileName(MessageSink& messages, const std::string& name) {
  if (StaysInOutputFolder(name)) return true;
  messages.Error("Mission file name '" + name + "' is not a file name inside the output folder.");
  return false;
}

}  // namespace quorvane
