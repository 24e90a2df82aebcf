#include <windows.h>

#include <csignal>
#include <cstdlib>
#include <mutex>

#include "platform/interrupts.h"

namespace quorvane::interrupts {
namespace {

std::function<void(int)>& Farewell() {
  static auto* farewell = new std::function<void(int)>;  // used until the process exits
  return *farewell;
}

// Runs on a thread of its own that the system starts for the event: Ctrl-C
// and Ctrl-Break are an interruption (SIGINT), closing the console or ending
// the session a termination request (SIGTERM).
BOOL WINAPI OnConsoleEvent(DWORD event) {
  int signal = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? SIGINT : SIGTERM;
  RemoveAllBeforeExit();
  if (Farewell()) Farewell()(signal);
  ExitProcess(128 + signal);
  return TRUE;
}

}  // namespace

void HandleInterrupts(std::function<void(int)> farewell) {
  Farewell() = std::move(farewell);
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

}  // namespace quorvane::interrupts
