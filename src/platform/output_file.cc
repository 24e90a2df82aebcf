#include "platform/output_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
#include <random>
#include <set>

#include "platform/file_calls.h"
#include "platform/interrupts.h"
#include "platform/runtime_error.h"
#include "platform/windows1252.h"

namespace quorvane {
namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr int kCreateTries = 100;
// A temporary nobody has held or changed for this long belongs to a run that
// ended without putting it in place.
constexpr int kAbandonedAfterSeconds = 60;

// A random suffix for a temporary name, six characters of [0-9a-z].
std::string RandomSuffix() {
  static constexpr char kCharacters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::string suffix;
  for (int i = 0; i < 6; ++i) suffix += kCharacters[random() % (sizeof kCharacters - 1)];
  return suffix;
}

// A temporary name beside `path`: ".", the file's name (cut short when the
// whole would be too long a name) and the unfinished mark with a suffix.
size_t NameStart(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

std::string TemporaryPath(const std::string& path) {
  size_t name_start = NameStart(path);
  std::string name = path.substr(name_start);
  size_t room = files::kMaxNameLength - 1 - kUnfinishedMark.size() - 6;
  if (name.size() > room) name.resize(room);
  return path.substr(0, name_start) + "." + name + std::string(kUnfinishedMark) + RandomSuffix();
}

[[noreturn]] void ThrowCannotCreate(const std::string& path, int error) {
  throw RuntimeError("Cannot create file '" + path + "': " + std::strerror(error));
}

[[noreturn]] void ThrowCannotWrite(const std::string& path, int error) {
  throw RuntimeError("Cannot write file '" + path + "': " + std::strerror(error));
}

// Removes, once per folder and process, the temporaries that earlier runs
// left behind when they were killed: a temporary is locked while its run
// writes it, so one whose lock is free and that has not changed for a while
// is abandoned.
void RemoveAbandonedTemporaries(const std::string& folder) {
  static std::mutex lock;
  static std::set<std::string> swept;
  {
    std::lock_guard guard(lock);
    if (!swept.insert(folder).second) return;
  }
  for (const std::string& name : files::FolderEntries(folder.empty() ? "." : folder)) {
    if (!name.starts_with('.') || name.find(kUnfinishedMark) == std::string::npos) continue;
    std::string path = folder + name;
    if (files::IsAbandoned(path, kAbandonedAfterSeconds)) files::RemoveFile(path);
  }
}

}  // namespace

OutputFile::~OutputFile() {
  try {
    Close();
  } catch (const RuntimeError&) {
    // A file left open by a run-time error keeps what could be written.
  }
}

void OutputFile::Create(const std::string& path) {
  Close();
  if (path.find('\0') != std::string::npos) {
    throw RuntimeError("Bad file name: '" + path + "' holds a NUL character");
  }
  // A name the folder cannot hold, or a folder of that name, could not be put
  // in place when the file is closed.
  if (path.size() - NameStart(path) > files::kMaxNameLength) ThrowCannotCreate(path, ENAMETOOLONG);
  if (files::IsFolder(path)) ThrowCannotCreate(path, EISDIR);
  RemoveAbandonedTemporaries(path.substr(0, NameStart(path)));
  for (int tries = 0; fd_ < 0; ++tries) {
    std::string temporary = TemporaryPath(path);
    int fd = interrupts::CreateRemovable(temporary);
    if (fd >= 0) {
      fd_ = fd;
      temporary_path_ = std::move(temporary);
    } else if (-fd != EEXIST || tries == kCreateTries) {
      ThrowCannotCreate(path, -fd);
    }
  }
  path_ = path;
  write_error_ = 0;
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  if (journal_ != nullptr) journal_->created.push_back(path);
}

void OutputFile::WriteLine(std::string_view text) {
  if (fd_ < 0) throw RuntimeError("Bad file name or number: no file is open for this line");
  if (watcher_ != nullptr) watcher_->Seen(path_, text);
  AppendWindows1252(buffer_, text);
  buffer_ += "\r\n";
  if (buffer_.size() >= kBufferSize) Flush();
}

void OutputFile::Flush() {
  if (write_error_ == 0) write_error_ = files::WriteAll(fd_, buffer_);
  buffer_.clear();
  if (write_error_ != 0) ThrowCannotWrite(path_, write_error_);
}

void OutputFile::Close() {
  if (fd_ < 0) return;
  int error = write_error_ != 0 ? write_error_ : files::WriteAll(fd_, buffer_);
  buffer_.clear();
  if (int closing = files::CloseFile(fd_); error == 0) error = closing;
  fd_ = -1;
  // What was written is put in place, also when the step that wrote it
  // failed; a file the system could not store is not, and the earlier file
  // of that name stays.
  if (error == 0) error = interrupts::PutInPlace(temporary_path_, path_);
  if (error == 0) return;
  interrupts::Remove(temporary_path_);
  if (journal_ != nullptr) journal_->not_stored.push_back(path_);
  ThrowCannotWrite(path_, error);
}

OutputFiles::OutputFiles() {
  for (OutputFile& file : files_) file.set_journal(&journal_);
}

OutputFile& OutputFiles::operator[](FileRole role) {
  switch (role) {
    case FileRole::kMain:
      return files_[0];
    case FileRole::kVariables:
      return files_[1];
    case FileRole::kInit:
      return files_[2];
    case FileRole::kMultiplayer:
      return files_[3];
  }
  return files_[0];
}

void OutputFiles::CloseAll() {
  for (OutputFile& file : files_) {
    if (file.is_open()) journal_.left_open.push_back(file.path());
  }
  // Every file is put in place; the first failure is reported after.
  std::optional<RuntimeError> failure;
  for (OutputFile& file : files_) {
    try {
      file.Close();
    } catch (const RuntimeError& error) {
      if (!failure) failure = error;
    }
  }
  if (failure) throw *failure;
}

void OutputFiles::set_watcher(LineWatcher* watcher) {
  for (OutputFile& file : files_) file.set_watcher(watcher);
}

void OutputFiles::ClearJournal() { journal_ = FileJournal{}; }

std::vector<std::string> OutputFiles::stored() const {
  std::vector<std::string> kept;
  for (const std::string& path : journal_.created) {
    if (std::find(journal_.not_stored.begin(), journal_.not_stored.end(), path) ==
        journal_.not_stored.end()) {
      kept.push_back(path);
    }
  }
  return kept;
}

}  // namespace quorvane
