#include "platform/file_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace quorvane::files {
namespace {

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  if (S_ISFIFO(mode)) return FileKind::kPipe;
  if (S_ISSOCK(mode)) return FileKind::kSocket;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
  return FileKind::kOther;
}

}  // namespace

int CreateLocked(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return -errno;
  // The lock tells a later run that the file is still being written.
  ::flock(fd, LOCK_EX | LOCK_NB);
  return fd;
}

int CreatePrivateFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0700) == 0 ? 0 : -errno;
}

long WriteSome(int fd, const char* data, size_t size, int& error) {
  ssize_t written;
  do {
    written = ::write(fd, data, size);
  } while (written < 0 && errno == EINTR);
  if (written < 0) error = errno;
  return written;
}

long ReadSome(int fd, char* data, size_t size, int& error) {
  ssize_t got;
  do {
    got = ::read(fd, data, size);
  } while (got < 0 && errno == EINTR);
  if (got < 0) error = errno;
  return got;
}

int CloseFile(int fd) { return ::close(fd) == 0 ? 0 : errno; }

int Replace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsWritableFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  ::closedir(dir);
  return names;
}

bool IsAbandoned(const std::string& path, int quiet_seconds) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool abandoned = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                   info.st_mtime + quiet_seconds < std::time(nullptr) &&
                   ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return abandoned;
}

namespace {

FileInfo InfoOf(const struct stat& info) {
  return FileInfo{KindOf(info.st_mode),
                  static_cast<uint64_t>(info.st_dev),
                  static_cast<uint64_t>(info.st_ino),
                  static_cast<int64_t>(info.st_size),
                  static_cast<int64_t>(info.st_mtim.tv_sec),
                  static_cast<int64_t>(info.st_mtim.tv_nsec)};
}

}  // namespace

std::optional<FileInfo> Examine(const std::string& path, int& error) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = errno;
    return std::nullopt;
  }
  return InfoOf(info);
}

std::optional<FileInfo> ExamineOpen(int fd, int& error) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = errno;
    return std::nullopt;
  }
  return InfoOf(info);
}

long ReadAt(int fd, char* data, size_t size, uint64_t offset, int& error) {
  ssize_t got;
  do {
    got = ::pread(fd, data, size, static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  if (got < 0) error = errno;
  return got;
}

int OpenForReading(const std::string& path, int& error) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) error = errno;
  return fd;
}

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  std::string path = folder != nullptr && *folder != '\0' ? folder : "/tmp";
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace quorvane::files
