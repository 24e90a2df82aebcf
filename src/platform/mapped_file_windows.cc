#include <windows.h>

#include <cerrno>

#include "platform/file_calls.h"
#include "platform/mapped_file.h"

namespace quorvane {
namespace {

class WindowsMappedFile : public MappedFile {
 public:
  WindowsMappedFile(const void* address, size_t size) : address_(address), size_(size) {}
  ~WindowsMappedFile() override {
    if (address_) UnmapViewOfFile(address_);
  }
  WindowsMappedFile(const WindowsMappedFile&) = delete;
  WindowsMappedFile& operator=(const WindowsMappedFile&) = delete;

  std::span<const unsigned char> bytes() const override {
    return {static_cast<const unsigned char*>(address_), size_};
  }

 private:
  const void* address_;
  size_t size_;
};

[[noreturn]] void Refuse(int error) { throw FileReadError(files::ErrorText(error)); }

[[noreturn]] void RefuseLastError() {
  DWORD error = GetLastError();
  Refuse(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND     ? ENOENT
         : error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? EACCES
                                                                            : EIO);
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<MappedFile> MappedFile::Open(const std::string& path) {
  // Other programs may keep reading and writing the file (Access holds its
  // databases open); a device or pipe in its place is refused below.
  Handle file(CreateFileW(files::NativePath(path).wstring().c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) RefuseLastError();
  LARGE_INTEGER size{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size)) {
    Refuse(EINVAL);
  }
  if (size.QuadPart == 0) return std::make_unique<WindowsMappedFile>(nullptr, 0);
  Handle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (mapping.get() == nullptr) RefuseLastError();
  const void* address = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
  if (address == nullptr) RefuseLastError();
  // The view keeps the file and the mapping.
  return std::make_unique<WindowsMappedFile>(address, static_cast<size_t>(size.QuadPart));
}

}  // namespace quorvane
