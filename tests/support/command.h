#pragma once

#include <string>
#include <vector>

namespace quorvane::testing {

struct CommandResult {
  int status = -1;     // the exit status; -1 when the command did not exit normally
  std::string output;  // what it wrote to the streams collected
};

// Which of a program's streams are collected.
enum class Streams { kBoth, kOutputOnly, kErrorOnly };

// Runs a program with an argument vector (no shell comes between, on Linux or
// Windows), collecting the chosen streams; the others are discarded.
CommandResult RunProgram(const std::vector<std::string>& arguments,
                         Streams streams = Streams::kBoth);

// Runs the built quorvane command with `arguments`: words separated by spaces,
// a word in single quotes kept whole. The output holds its standard output and
// standard error together unless `streams` says otherwise.
CommandResult RunQuorvane(const std::string& arguments, Streams streams = Streams::kBoth);

// Runs a shell command line ("... 2>&1" to collect standard error too), for
// the system's own tools; POSIX systems only.
CommandResult RunCommand(const std::string& command_line);

// The shell command line that runs the built quorvane command with
// `arguments` (shell words), for a caller that adds to it; POSIX systems only.
std::string QuorvaneCommand(const std::string& arguments);

// The lines of a command's output, without their line ends.
std::vector<std::string> OutputLines(const std::string& output);

// The path of a program found on PATH; empty when there is none.
std::string FindOnPath(const std::string& program);

}  // namespace quorvane::testing
