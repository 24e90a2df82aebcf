// The file calls on Windows: wide paths, binary mode, and the system's own
// calls where the C library's differ from POSIX (replacing a file by
// renaming, file identity, devices and pipes, locks by sharing modes).

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <ctime>

#include "platform/file_calls.h"

namespace quorvane::files {
namespace {

std::wstring Wide(const std::string& path) { return NativePath(path).wstring(); }

int ErrorNumber(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    default:
      return EIO;
  }
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// 100-nanosecond steps since 1601.
int64_t Ticks(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                              time.dwLowDateTime);
}

constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kUnixEpochSeconds = 11'644'473'600;  // 1601 to 1970

std::optional<FileInfo> InfoOfHandle(HANDLE handle, int& error) {
  FileInfo info;
  switch (GetFileType(handle)) {
    case FILE_TYPE_CHAR:
      info.kind = FileKind::kDevice;
      return info;
    case FILE_TYPE_PIPE:
      info.kind = FileKind::kPipe;
      return info;
    case FILE_TYPE_DISK:
      break;
    default:
      info.kind = FileKind::kOther;
      return info;
  }
  BY_HANDLE_FILE_INFORMATION data{};
  if (!GetFileInformationByHandle(handle, &data)) {
    error = ErrorNumber(GetLastError());
    return std::nullopt;
  }
  info.kind =
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::kFolder : FileKind::kRegular;
  info.device = data.dwVolumeSerialNumber;
  info.file_id = (static_cast<uint64_t>(data.nFileIndexHigh) << 32) | data.nFileIndexLow;
  info.size =
      static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  int64_t ticks = Ticks(data.ftLastWriteTime);
  info.modified_seconds = ticks / kTicksPerSecond - kUnixEpochSeconds;
  info.modified_nanoseconds = ticks % kTicksPerSecond * 100;
  return info;
}

}  // namespace

int CreateLocked(const std::string& path) {
  // Sharing no write access is the lock: while this process holds the file,
  // nobody else opens it for writing (IsAbandoned tries). Deleting stays
  // allowed, so that an interrupted run can remove it before it exits.
  HANDLE handle =
      CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return -ErrorNumber(GetLastError());
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return -EMFILE;
  }
  return fd;
}

long WriteSome(int fd, const char* data, size_t size, int& error) {
  constexpr size_t kMost = 1 << 30;
  int written = _write(fd, data, static_cast<unsigned>(size < kMost ? size : kMost));
  if (written < 0) error = errno;
  return written;
}

long ReadSome(int fd, char* data, size_t size, int& error) {
  constexpr size_t kMost = 1 << 30;
  int got = _read(fd, data, static_cast<unsigned>(size < kMost ? size : kMost));
  if (got < 0) error = errno;
  return got;
}

int CloseFile(int fd) { return _close(fd) == 0 ? 0 : errno; }

int Replace(const std::string& from, const std::string& to) {
  // A file another program holds open for a moment (a virus scanner, a
  // search indexer, another run putting the same file in place) cannot be
  // replaced until it lets go: such a refusal is tried again for up to about
  // two seconds before it counts.
  DWORD error = 0;
  for (DWORD wait = 1; wait <= 1024; wait *= 2) {
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
    error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
    Sleep(wait);
  }
  return ErrorNumber(error);
}

void RemoveFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

int CreatePrivateFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) ? 0 : -ErrorNumber(GetLastError());
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsWritableFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  // The read-only attribute means nothing on a folder; the rights show only
  // when a file is made there, which the caller does next.
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry{};
  std::wstring pattern = Wide(folder);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  HANDLE search = FindFirstFileW((pattern + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = Utf8Path(std::filesystem::path(entry.cFileName));
    if (name != "." && name != "..") names.push_back(std::move(name));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return names;
}

bool IsAbandoned(const std::string& path, int quiet_seconds) {
  // Fails while the run that made the file still holds it for writing.
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  int error = 0;
  std::optional<FileInfo> info = InfoOfHandle(file.get(), error);
  return info && info->kind == FileKind::kRegular &&
         info->modified_seconds + quiet_seconds < std::time(nullptr);
}

std::optional<FileInfo> Examine(const std::string& path, int& error) {
  // Opening with no access right reads the attributes of a file another
  // program holds open, and of a folder (backup semantics).
  Handle file(CreateFileW(Wide(path).c_str(), 0,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    error = ErrorNumber(GetLastError());
    return std::nullopt;
  }
  return InfoOfHandle(file.get(), error);
}

int OpenForReading(const std::string& path, int& error) {
  // Other programs may keep reading, writing, renaming and deleting the file
  // while it is open here (Access holds its databases open, and replaces one
  // when it compacts it).
  HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = ErrorNumber(GetLastError());
    return -1;
  }
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    error = EMFILE;
  }
  return fd;
}

std::optional<FileInfo> ExamineOpen(int fd, int& error) {
  auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) {
    error = EBADF;
    return std::nullopt;
  }
  return InfoOfHandle(handle, error);
}

long ReadAt(int fd, char* data, size_t size, uint64_t offset, int& error) {
  auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  constexpr size_t kMost = 1 << 30;
  DWORD got = 0;
  if (!ReadFile(handle, data, static_cast<DWORD>(size < kMost ? size : kMost), &got, &at)) {
    DWORD failure = GetLastError();
    if (failure == ERROR_HANDLE_EOF) return 0;
    error = ErrorNumber(failure);
    return -1;
  }
  return static_cast<long>(got);
}

std::string TemporaryFolder() {
  std::error_code error;
  std::string path = Utf8Path(std::filesystem::temp_directory_path(error));
  while (path.size() > 3 && EndsInSeparator(path)) path.pop_back();
  return error || path.empty() ? "." : path;
}

}  // namespace quorvane::files
