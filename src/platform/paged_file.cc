#include "platform/paged_file.h"

#include <cerrno>

#include "platform/file_calls.h"

namespace quorvane {
namespace {

// Pages read together: a table's pages mostly lie side by side.
constexpr size_t kPagesPerBlock = 16;

}  // namespace

std::unique_ptr<PagedFile> PagedFile::Open(const std::string& path, size_t page_size) {
  int error = 0;
  // Never waits: a named pipe put in the file's place is refused below.
  int fd = files::OpenForReading(path, error);
  if (fd < 0) throw FileReadError(files::ErrorText(error));
  std::optional<files::FileInfo> info = files::ExamineOpen(fd, error);
  if (!info || info->kind != files::FileKind::kRegular || info->size < 0) {
    files::CloseFile(fd);
    throw FileReadError(files::ErrorText(info ? EINVAL : error));
  }
  return std::make_unique<PagedFile>(fd, static_cast<uint64_t>(info->size), page_size);
}

PagedFile::PagedFile(int fd, uint64_t size, size_t page_size)
    : fd_(fd),
      size_(size),
      page_size_(page_size),
      blocks_((size + page_size * kPagesPerBlock - 1) / (page_size * kPagesPerBlock)) {}

PagedFile::~PagedFile() { files::CloseFile(fd_); }

std::span<const unsigned char> PagedFile::Page(size_t index) {
  const size_t block = index / kPagesPerBlock;
  if (block >= blocks_.size()) return {};
  if (!blocks_[block].read) Read(block);
  const Block& read = blocks_[block];
  const size_t begin = index % kPagesPerBlock * page_size_;
  if (begin >= read.size) return {};
  return {read.bytes.get() + begin, std::min(page_size_, read.size - begin)};
}

void PagedFile::Read(size_t block) {
  Block& read = blocks_[block];
  read.read = true;
  const uint64_t offset = uint64_t{block} * kPagesPerBlock * page_size_;
  const size_t wanted =
      static_cast<size_t>(std::min<uint64_t>(kPagesPerBlock * page_size_, size_ - offset));
  read.bytes = std::make_unique_for_overwrite<unsigned char[]>(wanted);  // filled by the reads
  while (read.size < wanted) {
    int error = 0;
    long got = files::ReadAt(fd_, reinterpret_cast<char*>(read.bytes.get()) + read.size,
                             wanted - read.size, offset + read.size, error);
    if (got > 0) {
      read.size += static_cast<size_t>(got);
      continue;
    }
    if (failure_.empty()) {
      failure_ = got < 0 ? "cannot read the file at byte " + std::to_string(offset + read.size) +
                               ": " + files::ErrorText(error)
                         : "the file ends at byte " + std::to_string(offset + read.size) +
                               ", before the " + std::to_string(size_) +
                               " bytes it had when it was opened";
    }
    break;
  }
}

}  // namespace quorvane
