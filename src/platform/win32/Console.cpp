// The console on Windows: UTF-16 arguments, UTF-8 output, and Ctrl+C, Ctrl+Break and the
// console window's close through one console control handler.
#include "platform/Console.h"

#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <io.h>

#include "platform/win32/WideText.h"

namespace vardeno {

namespace {
std::atomic<bool> gInterrupted{false};
std::atomic<bool> gCatching{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (!gCatching) return FALSE;
  gInterrupted = true;
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    // Windows ends the process once this returns: give the program a moment to end its
    // encoders (the job object ends any that are left in any case).
    for (int i = 0; i < 30 && gCatching; ++i) Sleep(100);
  }
  return TRUE;
}
}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

void PrepareConsoleOutput() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
}

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

unsigned TerminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 0;
  return static_cast<unsigned>(info.srWindow.Right - info.srWindow.Left + 1);
}

InterruptCatcher::InterruptCatcher() {
  gInterrupted = false;
  gCatching = true;
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

InterruptCatcher::~InterruptCatcher() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  gCatching = false;
}

bool InterruptCatcher::Requested() { return gInterrupted; }

// Console control events arrive on a thread of their own; no other thread ever takes them.
std::thread StartThreadWithoutInterrupts(std::function<void()> body) { return std::thread(std::move(body)); }

}  // namespace vardeno
