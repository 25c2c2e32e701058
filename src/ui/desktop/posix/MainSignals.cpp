#include "ui/desktop/MainSignals.h"

#include <fcntl.h>

#include <cerrno>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QPointer>
#include <QSocketNotifier>

#include "ui/main/MainWindow.h"

namespace vardeno {

namespace {
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}
}  // namespace

void CloseOnTerminationSignals(MainWindow* mainWindow) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, mainWindow);
  QPointer<MainWindow> window(mainWindow);
  QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [window] {
    char buffer[64];
    while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
    if (window) window->CloseMainWindow();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signalNumber, &action, nullptr);
}

}  // namespace vardeno
