#include "platform/file_calls.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace quorvane::files {
namespace {

constexpr int kCreateTries = 100;

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

std::filesystem::path NativePath(std::string_view utf8) {
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8Path(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

int WriteAll(int fd, std::string_view bytes) {
  if (bytes.empty()) return 0;
  if (FaultNow()) return fault_error.load();
  size_t done = 0;
  while (done < bytes.size()) {
    int error = 0;
    long written = WriteSome(fd, bytes.data() + done, bytes.size() - done, error);
    if (written > 0) {
      done += static_cast<size_t>(written);
    } else if (written == 0) {
      return EIO;
    } else {
      return error;
    }
  }
  return 0;
}

void FailNthWrite(int nth, int error) {
  fault_error = error;
  writes_until_fault = nth;
}

std::string RandomSuffix() {
  static constexpr char kCharacters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::string suffix;
  for (int i = 0; i < 6; ++i) suffix += kCharacters[random() % (sizeof kCharacters - 1)];
  return suffix;
}

std::string MakeUniqueFile(const std::string& prefix) {
  int error = 0;
  for (int tries = 0; tries < kCreateTries; ++tries) {
    std::string path = prefix + RandomSuffix();
    int fd = CreateLocked(path);
    if (fd >= 0) {
      CloseFile(fd);
      return path;
    }
    error = -fd;
    if (error != EEXIST) break;
  }
  throw std::system_error(error, std::generic_category(), "cannot create a file " + prefix);
}

std::string MakeUniqueFolder(const std::string& prefix) {
  int error = 0;
  for (int tries = 0; tries < kCreateTries; ++tries) {
    std::string path = prefix + RandomSuffix();
    error = -CreatePrivateFolder(path);
    if (error == 0) return path;
    if (error != EEXIST) break;
  }
  throw std::system_error(error, std::generic_category(), "cannot create a folder " + prefix);
}

FileKind KindOfOpenFile(int fd) {
  int error = 0;
  std::optional<FileInfo> info = ExamineOpen(fd, error);
  return info ? info->kind : FileKind::kOther;
}

std::string ErrorText(int error) { return std::strerror(error); }

}  // namespace quorvane::files
