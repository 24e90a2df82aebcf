#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

class FileReadError : public std::exception {
 public:
  explicit FileReadError(std::string reason) : reason_(std::move(reason)) {}
  const char* what() const noexcept override { return reason_.c_str(); }

 private:
  std::string reason_;
};

// A file read only, a page at a time. Each page is read from the file when it
// is first asked for (with its neighbours, in one read) and kept at the same
// address while the object lives, so opening a large file costs little and
// memory grows with the pages read. A file that is cut short or fails to read
// after opening (another program truncating it, a network share going away)
// gives missing pages and a failure text, never a fault of the process.
// Not for use by two threads at once.
class PagedFile {
 public:
  // Opens the regular file at `path`. Throws FileReadError, whose text says
  // why, when it cannot be opened or is no regular file.
  static std::unique_ptr<PagedFile> Open(const std::string& path, size_t page_size);

  PagedFile(int fd, uint64_t size, size_t page_size);
  ~PagedFile();
  PagedFile(const PagedFile&) = delete;
  PagedFile& operator=(const PagedFile&) = delete;

  // The size of the file when it was opened.
  uint64_t size() const { return size_; }
  // The bytes of page `index`: page_size() of them, fewer for a last partial
  // page, none past the end or where the file could not be read.
  std::span<const unsigned char> Page(size_t index);
  size_t page_size() const { return page_size_; }
  // What went wrong in the first read that failed; empty while none has.
  const std::string& failure() const { return failure_; }

 private:
  struct Block {
    std::unique_ptr<unsigned char[]> bytes;
    size_t size = 0;  // bytes read
    bool read = false;
  };
  void Read(size_t block);

  int fd_;
  uint64_t size_;
  size_t page_size_;
  std::vector<Block> blocks_;
  std::string failure_;
};

}  // namespace quorvane
