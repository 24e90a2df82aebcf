#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/mapped_file.h"

namespace quorvane {
namespace {

class PosixMappedFile : public MappedFile {
 public:
  PosixMappedFile(void* address, size_t size) : address_(address), size_(size) {}
  ~PosixMappedFile() override {
    if (address_) ::munmap(address_, size_);
  }
  PosixMappedFile(const PosixMappedFile&) = delete;
  PosixMappedFile& operator=(const PosixMappedFile&) = delete;

  std::span<const unsigned char> bytes() const override {
    return {static_cast<const unsigned char*>(address_), size_};
  }

 private:
  void* address_;
  size_t size_;
};

}  // namespace

std::unique_ptr<MappedFile> MappedFile::Open(const std::string& path) {
  // Never waits: a named pipe put in the file's place is refused below.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw FileReadError(std::strerror(errno));
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    int error = S_ISREG(info.st_mode) ? errno : EINVAL;
    ::close(fd);
    throw FileReadError(std::strerror(error));
  }
  size_t size = static_cast<size_t>(info.st_size);
  void* address = nullptr;
  if (size > 0) {
    address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (address == MAP_FAILED) {
      int error = errno;
      ::close(fd);
      throw FileReadError(std::strerror(error));
    }
  }
  ::close(fd);  // the mapping keeps the file
  return std::make_unique<PosixMappedFile>(address, size);
}

}  // namespace quorvane
