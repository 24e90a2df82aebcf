#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line.h"

namespace quorvane {

// A text file the compiler writes: created empty (replacing a file of the same
// name), written line by line in Windows-1252 with CR LF after every line.
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
  // Where Create notes the path of each file it creates.
  void set_journal(std::vector<std::string>* created) { journal_ = created; }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  std::vector<std::string>* journal_ = nullptr;
};

// The files of one compile, held open under fixed numbers by role.
enum class FileRole {
  kMain = 2,         // the FIT file, the brain module, the lookout or structure include
  kVariables = 3,    // the _VAR include
  kInit = 4,         // the _INIT include
  kMultiplayer = 6,  // the _MP include
};

// They keep a journal of the files created since it was last cleared, and of
// the files still open (left unfinished by their step) when CloseAll closed them.
class OutputFiles {
 public:
  OutputFiles();
  OutputFile& operator[](FileRole role);
  // Closes every open file; used at the end of a public operation so that a
  // step that stopped early leaves its files flushed.
  void CloseAll();

  void ClearJournal();
  const std::vector<std::string>& created() const { return created_; }
  const std::vector<std::string>& left_open() const { return left_open_; }

 private:
  std::array<OutputFile, 4> files_;
  std::vector<std::string> created_;
  std::vector<std::string> left_open_;
};

}  // namespace quorvane
