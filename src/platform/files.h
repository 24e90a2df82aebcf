#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The file operations the compiler needs from the system, the same on every
// platform: files_posix.cc and files_windows.cc implement them. Paths are
// UTF-8 text everywhere; on Windows they become wide paths, so a name like
// "café.sqlite" reaches the file system as it is, whatever the code page.
// Failures return -1 (or an empty result) and an error number of <cerrno>,
// which ErrorText turns into the system's reason.

namespace quorvane::files {

// The characters that separate folders in a path, and the one added to a
// folder's path that ends in none.
#ifdef _WIN32
inline constexpr std::string_view kSeparators = "\\/";
inline constexpr char kSeparator = '\\';
#else
inline constexpr std::string_view kSeparators = "/";
inline constexpr char kSeparator = '/';
#endif

inline bool EndsInSeparator(std::string_view path) {
  return !path.empty() && kSeparators.find(path.back()) != std::string_view::npos;
}

// The path as the file system library takes it.
std::filesystem::path NativePath(std::string_view utf8);
// The path as UTF-8 text.
std::string Utf8Path(const std::filesystem::path& path);

// Creates a new file for writing at `path`: fails with EEXIST when anything is
// there already, a symbolic link included (it is not followed). Bytes are
// written as they are, with no line-ending translation. The descriptor, or -1.
int CreateExclusive(const std::string& path, int& error);
// Writes some of the bytes: how many, or -1.
long WriteSome(int fd, const char* data, size_t size, int& error);
// Reads up to `size` bytes: how many (0 at the end), or -1.
long ReadSome(int fd, char* data, size_t size, int& error);
// 0, or the error number.
int CloseFile(int fd);

// Puts `from` in the place of `to`, replacing a file there: 0, or the error.
int RenameOver(const std::string& from, const std::string& to);
// Removes a file; a missing file is no error.
void RemoveFile(const std::string& path);

enum class FileKind { kRegular, kFolder, kPipe, kSocket, kDevice, kOther };

// What the system knows of a file: what it is, and what identifies this
// version of it (a file replaced or changed gets a different identity).
struct FileInfo {
  FileKind kind = FileKind::kOther;
  uint64_t device = 0;
  uint64_t file_id = 0;
  int64_t size = 0;
  int64_t modified_seconds = 0;
  int64_t modified_nanoseconds = 0;

  bool operator==(const FileInfo&) const = default;
};

// The file at `path`, a symbolic link followed; nothing and the error when
// there is none or it cannot be examined.
std::optional<FileInfo> Examine(const std::string& path, int& error);
// True when `path` is a folder itself (a link to a folder is not).
bool IsFolderItself(const std::string& path);
// Opens a file for reading without waiting (a named pipe with no writer or a
// device does not block) and without translating line endings. -1 on failure.
int OpenForReading(const std::string& path, int& error);
// The kind of the open file.
FileKind KindOfOpenFile(int fd);

// A new empty file `prefix` followed by a random suffix; its path. Raises
// std::system_error when none can be made.
std::string MakeUniqueFile(const std::string& prefix);
// A new folder `prefix` followed by a random suffix; its path. Raises
// std::system_error when none can be made.
std::string MakeUniqueFolder(const std::string& prefix);
// Six random characters of [0-9a-z] for a new name.
std::string RandomSuffix();

// The reason the system gives for an error number.
std::string ErrorText(int error);

}  // namespace quorvane::files
