#include "support/command.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace quorvane::testing {

CommandResult RunCommand(const std::string& command_line) {
  CommandResult result;
  FILE* pipe = popen(command_line.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  for (size_t read; (read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
    result.output.append(buffer.data(), read);
  }
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string QuorvaneCommand(const std::string& arguments) {
  return std::string(QUORVANE_BINARY) + " " + arguments;
}

CommandResult RunQuorvane(const std::string& arguments) {
  return RunCommand(QuorvaneCommand(arguments) + " 2>&1");
}

std::vector<std::string> OutputLines(const std::string& output) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    std::filesystem::path candidate =
        std::filesystem::path(folder.empty() ? "." : folder) / program;
    if (access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate)) {
      return candidate.string();
    }
  }
  return "";
}

}  // namespace quorvane::testing
