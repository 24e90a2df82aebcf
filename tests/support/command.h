#pragma once

#include <string>
#include <vector>

namespace quorvane::testing {

struct CommandResult {
  int status = -1;     // the exit status; -1 when the command did not exit normally
  std::string output;  // what it wrote to standard output
};

// Runs a shell command line ("... 2>&1" to collect standard error too).
CommandResult RunCommand(const std::string& command_line);

// The command line that runs the built quorvane command with `arguments`
// (shell words), for a caller that adds to it.
std::string QuorvaneCommand(const std::string& arguments);

// Runs the built quorvane command; the output holds its standard output and
// standard error together.
CommandResult RunQuorvane(const std::string& arguments);

// The lines of a command's output, without their line ends.
std::vector<std::string> OutputLines(const std::string& output);

// The path of a program found on PATH; empty when there is none.
std::string FindOnPath(const std::string& program);

}  // namespace quorvane::testing
