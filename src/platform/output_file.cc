#include "platform/output_file.h"

#include <cerrno>
#include <cstring>

#include "platform/runtime_error.h"
#include "platform/windows1252.h"

namespace quorvane {
namespace {

constexpr size_t kBufferSize = 1 << 16;

}  // namespace

OutputFile::~OutputFile() {
  if (file_ == nullptr) return;
  try {
    Flush();
  } catch (const RuntimeError&) {
    // A file left open by a run-time error keeps what could be written.
  }
  std::fclose(file_);
}

void OutputFile::Create(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    throw RuntimeError("Cannot create file '" + path + "': " + std::strerror(errno));
  }
  // The file's own buffer would only copy the blocks again.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  path_ = path;
  buffer_.clear();
  buffer_.reserve(kBufferSize);
}

void OutputFile::WriteLine(std::string_view text) {
  if (file_ == nullptr)
    throw RuntimeError("Bad file name or number: no file is open for this line");
  AppendWindows1252(buffer_, text);
  buffer_ += "\r\n";
  if (buffer_.size() >= kBufferSize) Flush();
}

void OutputFile::Flush() {
  size_t size = buffer_.size();
  size_t written = size == 0 ? 0 : std::fwrite(buffer_.data(), 1, size, file_);
  buffer_.clear();
  if (written != size) {
    throw RuntimeError("Cannot write file '" + path_ + "': " + std::strerror(errno));
  }
}

void OutputFile::Close() {
  if (file_ == nullptr) return;
  bool written = true;
  try {
    Flush();
  } catch (const RuntimeError&) {
    written = false;
  }
  int result = std::fclose(file_);
  file_ = nullptr;
  if (!written || result != 0)
    throw RuntimeError("Cannot write file '" + path_ + "': " + std::strerror(errno));
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
  for (OutputFile& file : files_) file.Close();
}

}  // namespace quorvane
