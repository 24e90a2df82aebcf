#pragma once

#include <string>

namespace quorvane::testing {

struct CommandResult {
  int status = -1;     // the exit status; -1 when the command did not exit normally
  std::string output;  // what it wrote to standard output
};

// Runs a shell command line ("... 2>&1" to collect standard error too).
CommandResult RunCommand(const std::string& command_line);

// The path of a program found on PATH; empty when there is none.
std::string FindOnPath(const std::string& program);

}  // namespace quorvane::testing
