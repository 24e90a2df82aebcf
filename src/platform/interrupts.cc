#include "platform/interrupts.h"

#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

#include "platform/file_calls.h"

namespace quorvane::interrupts {
namespace {

struct Noted {
  std::mutex lock;
  std::set<std::string> files;
  std::set<std::string> folders;
};

Noted& noted() {
  static Noted* all = new Noted;  // never destroyed: the watcher may use it at exit
  return *all;
}

}  // namespace

int CreateRemovable(const std::string& path) {
  std::lock_guard guard(noted().lock);
  int fd = files::CreateLocked(path);
  if (fd >= 0) noted().files.insert(path);
  return fd;
}

int PutInPlace(const std::string& temporary, const std::string& path) {
  std::lock_guard guard(noted().lock);
  noted().files.erase(temporary);
  return files::Replace(temporary, path);
}

void Remove(const std::string& temporary) {
  std::lock_guard guard(noted().lock);
  noted().files.erase(temporary);
  files::RemoveFile(temporary);
}

void NoteFolder(const std::string& folder) {
  std::lock_guard guard(noted().lock);
  noted().folders.insert(folder);
}

void ForgetFolder(const std::string& folder) {
  std::lock_guard guard(noted().lock);
  noted().folders.erase(folder);
}

void RemoveAllBeforeExit() {
  // The lock stays taken until the process exits, so that no file is
  // created after the cleanup.
  noted().lock.lock();
  for (const std::string& file : noted().files) files::RemoveFile(file);
  for (const std::string& folder : noted().folders) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
}

}  // namespace quorvane::interrupts
