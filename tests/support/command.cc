#include "support/command.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/file_calls.h"

namespace quorvane::testing {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (char c : text) {
    if (c == '\'') {
      quoted = !quoted;
      in_word = true;
    } else if (c == ' ' && !quoted) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

#ifdef _WIN32

// One argument as the C runtime's command-line parser reads it back.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

CommandResult Run(const std::vector<std::string>& arguments, Streams streams) {
  CommandResult result;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end, write_end;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return result;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE null = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null;
  startup.hStdOutput = streams == Streams::kErrorOnly ? null : write_end;
  startup.hStdError = streams == Streams::kOutputOnly ? null : write_end;
  std::wstring line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += L' ';
    line += Quoted(files::NativePath(argument).wstring());
  }
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &startup, &process);
  CloseHandle(write_end);
  CloseHandle(null);
  if (started) {
    std::array<char, 4096> buffer;
    DWORD read = 0;
    while (ReadFile(read_end, buffer.data(), buffer.size(), &read, nullptr) && read > 0) {
      result.output.append(buffer.data(), read);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.status = static_cast<int>(code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(read_end);
  return result;
}

#else

CommandResult Run(const std::vector<std::string>& arguments, Streams streams) {
  CommandResult result;
  int ends[2];
  if (pipe(ends) != 0) return result;
  pid_t child = fork();
  if (child == 0) {
    int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(streams == Streams::kErrorOnly ? null : ends[1], 1);
    dup2(streams == Streams::kOutputOnly ? null : ends[1], 2);
    close(ends[0]);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(ends[1]);
  std::array<char, 4096> buffer;
  for (ssize_t got; (got = read(ends[0], buffer.data(), buffer.size())) != 0;) {
    if (got > 0) result.output.append(buffer.data(), static_cast<size_t>(got));
    if (got < 0 && errno != EINTR) break;
  }
  close(ends[0]);
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child) {
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return result;
}

#endif

}  // namespace

CommandResult RunProgram(const std::vector<std::string>& arguments, Streams streams) {
  return Run(arguments, streams);
}

CommandResult RunQuorvane(const std::string& arguments, Streams streams) {
  std::vector<std::string> words = Words(arguments);
  words.insert(words.begin(), QUORVANE_BINARY);
  return Run(words, streams);
}

CommandResult RunCommand(const std::string& command_line) {
  CommandResult result;
#ifndef _WIN32
  FILE* pipe = popen(command_line.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  for (size_t read; (read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
    result.output.append(buffer.data(), read);
  }
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#else
  (void)command_line;
#endif
  return result;
}

std::string QuorvaneCommand(const std::string& arguments) {
  return std::string(QUORVANE_BINARY) + " " + arguments;
}

std::vector<std::string> OutputLines(const std::string& output) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string FindOnPath(const std::string& program) {
#ifdef _WIN32
  (void)program;
  return "";
#else
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
#endif
}

}  // namespace quorvane::testing
