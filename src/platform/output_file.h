#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line.h"

namespace quorvane {

// A text file the compiler writes: created empty (replacing a file of the same
// name), written line by line in Windows-1252 with CR LF after every line.
// Lines are encoded straight into one buffer per file, which goes to the file
// in large blocks.
//
// The lines go to a temporary file in the same folder, created exclusively
// under a hidden name that says what it is (".m0007.FIT.unfinished-k3x9qa");
// closing the file renames it into place. A reader of the output folder never
// sees a half-written file, two runs into one folder never mix the lines of
// one file, and a symbolic link at the file's name is replaced, not followed.
// A file whose write fails (a full disk) is never put in place: its temporary
// is removed and an earlier file of its name stays as it was. An interrupted
// run removes its temporaries (see interrupts.h); a later run removes those of
// runs that were killed.
struct FileJournal;

// Sees every line a file is given, before it is written.
class LineWatcher {
 public:
  virtual ~LineWatcher() = default;
  virtual void Seen(const std::string& path, std::string_view line) = 0;
};

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // A file still open is closed: what was written is put in place.
  ~OutputFile();

  // Raises RuntimeError when the file cannot be created (a path with a NUL
  // character never reaches the system).
  void Create(const std::string& path);
  // Raises RuntimeError when the file is not open or the write fails; after a
  // failed write the file is no longer written and is not put in place.
  void WriteLine(std::string_view text = {});
  void WriteLine(const Line& line) { WriteLine(std::string_view(line.text())); }
  // Writes what is buffered and puts the file in place under its name.
  // Raises RuntimeError naming the file when it cannot be stored.
  void Close();
  bool is_open() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  // Where Create notes the path of each file it creates, and Close each file
  // it could not store.
  void set_journal(FileJournal* journal) { journal_ = journal; }
  // Who sees each line; none by default.
  void set_watcher(LineWatcher* watcher) { watcher_ = watcher; }

 private:
  // Writes the buffered bytes; raises RuntimeError when the write fails.
  void Flush();

  int fd_ = -1;
  int write_error_ = 0;  // the error of a failed write, which ends the file
  std::string path_;     // the file's name
  std::string temporary_path_;
  std::string buffer_;
  FileJournal* journal_ = nullptr;
  LineWatcher* watcher_ = nullptr;
};

// The files created since a journal was cleared, in order; those of them
// still open (left unfinished by their step) when CloseAll closed them; and
// those that could not be stored (not in the folder).
struct FileJournal {
  std::vector<std::string> created;
  std::vector<std::string> left_open;
  std::vector<std::string> not_stored;
};

// The mark in the name of a file being written: "." and the file's name, then
// this mark and a random suffix.
inline constexpr std::string_view kUnfinishedMark = ".unfinished-";

// The files of one compile, held open under fixed numbers by role.
enum class FileRole {
  kMain,         // the FIT file, the brain module, the lookout or structure include
  kVariables,    // the _VAR include
  kInit,         // the _INIT include
  kMultiplayer,  // the _MP include
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
  const std::vector<std::string>& created() const { return journal_.created; }
  const std::vector<std::string>& left_open() const { return journal_.left_open; }
  // The created files that are in their folder: those not refused by the system.
  std::vector<std::string> stored() const;
  // Who sees each line of every file.
  void set_watcher(LineWatcher* watcher);

 private:
  std::array<OutputFile, 4> files_;
  FileJournal journal_;
};

}  // namespace quorvane
