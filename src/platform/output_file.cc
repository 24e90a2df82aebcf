#include "platform/output_file.h"

#include <cerrno>
#include <optional>

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "platform/windows1252.h"

namespace quorvane {
namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr size_t kMaxNameLength = 255;  // bytes of one name in a folder
constexpr int kCreateTries = 100;

// A temporary name beside `path`: ".", the file's name (cut short when the
// whole would be too long a name) and the unfinished mark with a suffix.
std::string TemporaryPath(const std::string& path) {
  size_t slash = path.find_last_of(files::kSeparators);
  size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  std::string name = path.substr(name_start);
  size_t room = kMaxNameLength - 1 - kUnfinishedMark.size() - 6;
  if (name.size() > room) name.resize(room);
  return path.substr(0, name_start) + "." + name + std::string(kUnfinishedMark) +
         files::RandomSuffix();
}

[[noreturn]] void ThrowCannotCreate(const std::string& path, int error) {
  throw RuntimeError("Cannot create file '" + path + "': " + files::ErrorText(error));
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
  // A folder of that name could not be replaced when the file is closed.
  if (files::IsFolderItself(path)) ThrowCannotCreate(path, EISDIR);
  for (int tries = 0; fd_ < 0; ++tries) {
    std::string temporary = TemporaryPath(path);
    int error = 0;
    fd_ = files::CreateExclusive(temporary, error);
    if (fd_ >= 0) {
      temporary_path_ = std::move(temporary);
    } else if (error != EEXIST || tries == kCreateTries) {
      ThrowCannotCreate(path, error);
    }
  }
  path_ = path;
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  if (journal_ != nullptr) journal_->push_back(path);
}

void OutputFile::WriteLine(std::string_view text) {
  if (fd_ < 0) throw RuntimeError("Bad file name or number: no file is open for this line");
  AppendWindows1252(buffer_, text);
  buffer_ += "\r\n";
  if (buffer_.size() >= kBufferSize) Flush();
}

int OutputFile::WriteBuffer() {
  size_t done = 0;
  int error = 0;
  while (done < buffer_.size() && error == 0) {
    long written = files::WriteSome(fd_, buffer_.data() + done, buffer_.size() - done, error);
    if (written > 0) {
      done += static_cast<size_t>(written);
    } else if (written == 0) {
      error = EIO;
    }
  }
  buffer_.clear();
  return error;
}

void OutputFile::Flush() {
  if (int error = WriteBuffer(); error != 0) {
    throw RuntimeError("Cannot write file '" + path_ + "': " + files::ErrorText(error));
  }
}

void OutputFile::Close() {
  if (fd_ < 0) return;
  int error = WriteBuffer();
  if (int closed = files::CloseFile(fd_); closed != 0 && error == 0) error = closed;
  fd_ = -1;
  // What was written is put in place even when a write failed: the file is
  // there as far as it got.
  if (int renamed = files::RenameOver(temporary_path_, path_); renamed != 0) {
    if (error == 0) error = renamed;
    files::RemoveFile(temporary_path_);
  }
  if (error != 0) {
    throw RuntimeError("Cannot write file '" + path_ + "': " + files::ErrorText(error));
  }
}

OutputFiles::OutputFiles() {
  for (OutputFile& file : files_) file.set_journal(&created_);
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
    if (file.is_open()) left_open_.push_back(file.path());
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

void OutputFiles::ClearJournal() {
  created_.clear();
  left_open_.clear();
}

}  // namespace quorvane
