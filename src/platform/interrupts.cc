#include "platform/interrupts.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

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

// Removes everything noted. Runs with the lock held, which the process then
// keeps until it exits, so that no file is created after it.
void RemoveAllNoted() {
  for (const std::string& file : noted().files) files::RemoveFile(file);
  for (const std::string& folder : noted().folders) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
}

// The signals a run ends on, blocked in every thread but a watcher that waits
// for them. One the parent ignores (a shell's background job ignores SIGINT)
// stays ignored.
sigset_t EndingSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) {
      sigaddset(&signals, signal);
    }
  }
  return signals;
}

void StartSignalWatcher(std::function<void(int)> farewell) {
  sigset_t signals = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::thread([signals, farewell = std::move(farewell)] {
    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
    noted().lock.lock();
    RemoveAllNoted();
    if (farewell) farewell(signal);
    ::_exit(128 + signal);
  }).detach();
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

void HandleInterrupts(std::function<void(int)> farewell) {
  StartSignalWatcher(std::move(farewell));
}

}  // namespace quorvane::interrupts
