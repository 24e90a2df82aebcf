#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

namespace quorvane {

// The bytes of a file, read only, as one span that stays valid while the
// object lives. The operating system brings each page in when it is first
// touched, so opening a large file costs little, and memory grows with the
// pages read rather than with the file. Each platform has its own side of
// this interface (mapped_file_posix.cc).
class MappedFile {
 public:
  // Maps the file at `path`. Throws FileReadError, whose text says why, when
  // the file cannot be opened or mapped. An empty file gives an empty span.
  static std::unique_ptr<MappedFile> Open(const std::string& path);

  virtual ~MappedFile() = default;
  virtual std::span<const unsigned char> bytes() const = 0;
};

class FileReadError : public std::exception {
 public:
  explicit FileReadError(std::string reason) : reason_(std::move(reason)) {}
  const char* what() const noexcept override { return reason_.c_str(); }

 private:
  std::string reason_;
};

}  // namespace quorvane
