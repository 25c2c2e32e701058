// The console on POSIX systems: SIGINT and SIGTERM set a flag; worker threads block both.
#include "platform/Console.h"

#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>

namespace {
volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int) { gInterrupted = 1; }

struct sigaction gOldInt {}, gOldTerm {};
}  // namespace

namespace vardeno {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareConsoleOutput() {}

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

unsigned TerminalColumns() {
  winsize size{};
  return ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

InterruptCatcher::InterruptCatcher() {
  gInterrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &gOldInt);
  sigaction(SIGTERM, &action, &gOldTerm);
}

InterruptCatcher::~InterruptCatcher() {
  sigaction(SIGINT, &gOldInt, nullptr);
  sigaction(SIGTERM, &gOldTerm, nullptr);
}

bool InterruptCatcher::Requested() { return gInterrupted != 0; }

std::thread StartThreadWithoutInterrupts(std::function<void()> body) {
  sigset_t blocked, old;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGINT);
  sigaddset(&blocked, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &blocked, &old);
  try {
    std::thread thread(std::move(body));
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return thread;
  } catch (...) {
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    throw;
  }
}

}  // namespace vardeno
