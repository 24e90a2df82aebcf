#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace quorvane::files {
namespace {

constexpr int kCreateTries = 100;

}  // namespace

std::filesystem::path NativePath(std::string_view utf8) {
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8Path(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
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
    int fd = CreateExclusive(path, error);
    if (fd >= 0) {
      CloseFile(fd);
      return path;
    }
    if (error != EEXIST) break;
  }
  throw std::system_error(error, std::generic_category(), "cannot create a file " + prefix);
}

std::string MakeUniqueFolder(const std::string& prefix) {
  std::error_code error;
  for (int tries = 0; tries < kCreateTries; ++tries) {
    std::string path = prefix + RandomSuffix();
    if (std::filesystem::create_directory(NativePath(path), error)) return path;
    if (error) break;
  }
  if (!error) error = std::make_error_code(std::errc::file_exists);
  throw std::system_error(error, "cannot create a folder " + prefix);
}

std::string ErrorText(int error) { return std::strerror(error); }

}  // namespace quorvane::files
