#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The calls to the operating system that the compiler needs, the same on every
// platform: file_calls_posix.cc and file_calls_windows.cc implement them, so
// that the callers hold no system headers. Paths are UTF-8 text everywhere; on
// Windows they become wide paths, so a name like "café.sqlite" reaches the
// file system as it is, whatever the code page. Failures give a <cerrno>
// error number, which ErrorText turns into the system's reason. Bytes are read
// and written as they are, with no line-ending translation.
namespace quorvane::files {

// The largest number of bytes of one name in a folder.
inline constexpr size_t kMaxNameLength = 255;

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

// Where the last name of `path` starts (after its last separator).
inline size_t NameStart(std::string_view path) {
  size_t separator = path.find_last_of(kSeparators);
  return separator == std::string_view::npos ? 0 : separator + 1;
}

// The path as the file system library takes it.
std::filesystem::path NativePath(std::string_view utf8);
// The path as UTF-8 text.
std::string Utf8Path(const std::filesystem::path& path);

// Creates the new file `path` for writing, failing when a file of that name
// exists (a symbolic link there is not followed), and locks it for as long as
// this process keeps it open. Returns the descriptor, or minus the error number.
int CreateLocked(const std::string& path);
// Creates the new folder `path` that only this user may enter from the
// moment it exists (mode 0700; on Windows it takes the rights of the folder
// it is made in, which for the temporary folder are the user's alone).
// Returns 0, or minus the error number (EEXIST when the name is taken).
int CreatePrivateFolder(const std::string& path);
// Writes all of `bytes` to the descriptor: 0 or the error number.
int WriteAll(int fd, std::string_view bytes);
// Writes some of the bytes: how many, or -1 with `error` set.
long WriteSome(int fd, const char* data, size_t size, int& error);
// Reads up to `size` bytes: how many (0 at the end), or -1 with `error` set.
long ReadSome(int fd, char* data, size_t size, int& error);
// Closes the descriptor: 0 or the error number.
int CloseFile(int fd);
// Puts `from` in the place of `to`, replacing a file there: 0 or the error number.
int Replace(const std::string& from, const std::string& to);
// Removes a file; a missing one is no error.
void RemoveFile(const std::string& path);
// True when `path` names a folder (a symbolic link is not followed).
bool IsFolder(const std::string& path);
// True when `path` names a folder this process may create files in.
bool IsWritableFolder(const std::string& path);

// The names of the entries of a folder ("." and ".." left out); empty when it
// cannot be read.
std::vector<std::string> FolderEntries(const std::string& folder);
// True when the file at `path` is a regular file that no process holds the
// lock of CreateLocked on and that has not changed for `quiet_seconds`.
bool IsAbandoned(const std::string& path, int quiet_seconds);

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
// Opens a file for reading without waiting (a named pipe with no writer or a
// device does not block). -1 on failure, with `error` set.
int OpenForReading(const std::string& path, int& error);
// What the system knows of an open file; nothing, with `error` set, when it
// cannot tell.
std::optional<FileInfo> ExamineOpen(int fd, int& error);
// The kind of the open file.
FileKind KindOfOpenFile(int fd);
// Reads up to `size` bytes from `offset` on, whatever has been read before:
// how many (0 past the end), or -1 with `error` set.
long ReadAt(int fd, char* data, size_t size, uint64_t offset, int& error);

// A new empty file `prefix` followed by a random suffix; its path. Raises
// std::system_error when none can be made.
std::string MakeUniqueFile(const std::string& prefix);
// A new folder `prefix` followed by a random suffix, that only this user may
// enter; its path. Raises std::system_error when none can be made.
std::string MakeUniqueFolder(const std::string& prefix);
// Six random characters of [0-9a-z] for a new name.
std::string RandomSuffix();
// The system's folder for temporary files (TMPDIR or /tmp; TEMP on Windows),
// without a separator at its end.
std::string TemporaryFolder();

// The reason the system gives for an error number.
std::string ErrorText(int error);

// A fault for tests of a failing disk: the `nth` write from now (1: the next
// one) fails with `error`, as a full disk fails (ENOSPC); 0 turns it off.
void FailNthWrite(int nth, int error);

}  // namespace quorvane::files
