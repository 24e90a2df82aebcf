#include "platform/file_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>

namespace quorvane::files {
namespace {

std::atomic<int> writes_until_fault{0};
std::atomic<int> fault_error{0};

// True when the write the hook was set for is this one.
bool FaultNow() {
  int left = writes_until_fault.load();
  while (left > 0 && !writes_until_fault.compare_exchange_weak(left, left - 1)) {
  }
  return left == 1;
}

}  // namespace

int CreateLocked(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return -errno;
  // The lock tells a later run that the file is still being written.
  ::flock(fd, LOCK_EX | LOCK_NB);
  return fd;
}

int WriteAll(int fd, std::string_view bytes) {
  if (bytes.empty()) return 0;
  if (FaultNow()) return fault_error.load();
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written > 0) {
      done += static_cast<size_t>(written);
    } else if (written == 0) {
      return EIO;
    } else if (errno != EINTR) {
      return errno;
    }
  }
  return 0;
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

void FailNthWrite(int nth, int error) {
  fault_error = error;
  writes_until_fault = nth;
}

}  // namespace quorvane::files
