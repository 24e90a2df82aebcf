#include "platform/output_name.h"

#include <algorithm>
#include <array>

namespace quorvane {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsLetter(char c) { return Upper(c) >= 'A' && Upper(c) <= 'Z'; }

// A component Windows opens as a device whatever follows its first dot:
// "con", "NUL.txt", "com1.fit", "LPT9 ".
bool NamesDevice(std::string_view component) {
  std::string_view stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper;
  std::transform(stem.begin(), stem.end(), std::back_inserter(upper), Upper);
  static constexpr std::array<std::string_view, 4> kNames = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kNames.begin(), kNames.end(), upper) != kNames.end()) return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

bool StaysInOutputFolder(std::string_view name, PathRule rule) {
  bool windows = rule == PathRule::kWindows;
  std::string_view separators = windows ? "\\/" : "/";
  if (name.find('\0') != std::string_view::npos) return false;
  if (!name.empty() && separators.find(name.front()) != std::string_view::npos) return false;
  if (windows && name.size() >= 2 && IsLetter(name[0]) && name[1] == ':') return false;
  size_t start = 0;
  while (true) {
    size_t end = name.find_first_of(separators, start);
    std::string_view component = name.substr(start, end - start);
    if (component == ".." || (windows && NamesDevice(component))) return false;
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
