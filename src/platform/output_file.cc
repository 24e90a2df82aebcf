#include "platform/output_file.h"

#include <cerrno>
#include <cstring>

#include "platform/runtime_error.h"
#include "platform/windows1252.h"

namespace quorvane {

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void OutputFile::Create(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    throw RuntimeError("Cannot create file '" + path + "': " + std::strerror(errno));
  }
  path_ = path;
  if (journal_ != nullptr) journal_->push_back(path);
}

void OutputFile::WriteLine(std::string_view text) {
  if (file_ == nullptr)
    throw RuntimeError("Bad file name or number: no file is open for this line");
  std::string bytes = ToWindows1252(text);
  bytes += "\r\n";
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    throw RuntimeError("Cannot write file '" + path_ + "': " + std::strerror(errno));
  }
}

void OutputFile::Close() {
  if (file_ == nullptr) return;
  int result = std::fclose(file_);
  file_ = nullptr;
  if (result != 0) throw RuntimeError("Cannot write file '" + path_ + "': " + std::strerror(errno));
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
  for (OutputFile& file : files_) file.Close();
}

void OutputFiles::ClearJournal() {
  created_.clear();
  left_open_.clear();
}

}  // namespace quorvane
