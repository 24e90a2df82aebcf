#include "support/files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace quorvane::testing {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string InFolder(const std::string& folder, std::string_view name) {
#ifdef _WIN32
  const std::string_view separators = "\\/";
#else
  const std::string_view separators = "/";
#endif
  if (!folder.empty() && separators.find(folder.back()) != std::string_view::npos) {
    return folder + std::string(name);
  }
  return folder + separators.front() + std::string(name);
}

bool SetModifiedTime(const std::string& path, int64_t seconds, int64_t nanoseconds) {
#ifdef _WIN32
  // 100 ns ticks since 1601.
  constexpr int64_t kTicksTo1970 = 116444736000000000;
  const uint64_t ticks =
      static_cast<uint64_t>(kTicksTo1970 + seconds * 10000000 + nanoseconds / 100);
  std::wstring wide(path.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, path.data(),
                                                      static_cast<int>(path.size()), wide.data(),
                                                      static_cast<int>(wide.size()))));
  HANDLE file = CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  bool set = SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
  return set;
#else
  const timespec times[2] = {{0, UTIME_OMIT},
                             {static_cast<time_t>(seconds), static_cast<long>(nanoseconds)}};
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
#endif
}

std::map<std::string, std::string> FolderState(const std::string& folder) {
  std::map<std::string, std::string> state;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string name = fs::relative(entry.path(), folder).string();
    if (entry.is_directory()) {
      state[name] = "<folder>";
      continue;
    }
    auto time = entry.last_write_time().time_since_epoch().count();
    state[name] = std::to_string(time) + ":" + ReadFile(entry.path().string());
  }
  return state;
}

}  // namespace quorvane::testing
