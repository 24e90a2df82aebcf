#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/line.h"

namespace quorvane {

// A text file the compiler writes: created empty (replacing a file of the same
// name), written line by line in Windows-1252 with CR LF after every line.
// Lines are encoded straight into one buffer per file, which goes to the file
// in large blocks.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Raises RuntimeError when the file cannot be created.
  void Create(const std::string& path);
  // Raises RuntimeError when the file is not open or the write fails.
  void WriteLine(std::string_view text = {});
  void WriteLine(const Line& line) { WriteLine(std::string_view(line.text())); }
  void Close();
  bool is_open() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }

 private:
  // Writes the buffered bytes to the file.
  void Flush();

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string buffer_;
};

// The files of one compile, held open under fixed numbers by role.
enum class FileRole {
  kMain = 2,         // the FIT file, the brain module, the lookout or structure include
  kVariables = 3,    // the _VAR include
  kInit = 4,         // the _INIT include
  kMultiplayer = 6,  // the _MP include
};

class OutputFiles {
 public:
  OutputFile& operator[](FileRole role);
  // Closes every open file; used at the end of a public operation so that a
  // step that stopped early leaves its files flushed.
  void CloseAll();

 private:
  std::array<OutputFile, 4> files_;
};

}  // namespace quorvane
