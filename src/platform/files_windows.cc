// The file operations on Windows: wide paths, binary mode, and the system's
// own calls where the C library's differ from POSIX (replacing a file by
// renaming, file identity, devices and pipes).
#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "platform/files.h"

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
  info.modified_seconds = ticks / 10'000'000;
  info.modified_nanoseconds = ticks % 10'000'000 * 100;
  return info;
}

}  // namespace

int CreateExclusive(const std::string& path, int& error) {
  int fd = _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
  if (fd < 0) error = errno;
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

int RenameOver(const std::string& from, const std::string& to) {
  if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
  return ErrorNumber(GetLastError());
}

void RemoveFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

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

bool IsFolderItself(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

int OpenForReading(const std::string& path, int& error) {
  int fd = _wopen(Wide(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) error = errno;
  return fd;
}

FileKind KindOfOpenFile(int fd) {
  auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) return FileKind::kOther;
  int error = 0;
  std::optional<FileInfo> info = InfoOfHandle(handle, error);
  return info ? info->kind : FileKind::kOther;
}

}  // namespace quorvane::files

#endif  // _WIN32
