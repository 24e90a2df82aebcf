#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

#include "platform/interrupts.h"

namespace quorvane::interrupts {
namespace {

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
    RemoveAllBeforeExit();
    if (farewell) farewell(signal);
    ::_exit(128 + signal);
  }).detach();
}

}  // namespace

void HandleInterrupts(std::function<void(int)> farewell) {
  StartSignalWatcher(std::move(farewell));
}

}  // namespace quorvane::interrupts
