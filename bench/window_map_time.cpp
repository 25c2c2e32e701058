// Starts a window program and reports, without polling for its window, how long the X server took
// to map its main window: the program's own X connection is not involved; this one listens on the
// root window for MapNotify of top-level windows (SubstructureNotify) and takes the first one of
// the started process (by _NET_WM_PID) that is at least 300 x 200 pixels. Then it reads the
// processor time the program had used until then, waits a moment for the window to settle, reads
// its resident memory, and ends it (SIGTERM, SIGKILL after 3 s).
//
// Usage: window_map_time TIMEOUT_MS SETTLE_MS COMMAND [ARGS...]
// Prints one line "map_ms=<ms> cpu_ms=<ms> rss_kb=<kB>"; exit status 1 when no window was mapped.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int kMinWidth = 300;
constexpr int kMinHeight = 200;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

long WindowPid(Display* display, Window window) {
  static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data && count == 1 && format == 32)
    pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  return pid;
}

// User plus system time of a process, in milliseconds (from /proc/PID/stat).
long CpuMilliseconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t end = text.rfind(')');
  if (end == std::string::npos) return -1;
  std::istringstream fields(text.substr(end + 2));
  std::string skip;
  for (int i = 0; i < 11; ++i) fields >> skip;  // state ppid pgrp session tty tpgid flags 4 x faults
  unsigned long user = 0, system = 0;
  if (!(fields >> user >> system)) return -1;
  return static_cast<long>((user + system) * 1000 / static_cast<unsigned long>(sysconf(_SC_CLK_TCK)));
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }  // a window may vanish before it is asked

// True when the event is the map of the started program's main window.
bool IsMainWindowMap(Display* display, const XEvent& event, pid_t pid) {
  if (event.type != MapNotify || event.xmap.override_redirect) return false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, event.xmap.window, &attributes)) return false;
  if (attributes.width < kMinWidth || attributes.height < kMinHeight) return false;
  const long owner = WindowPid(display, event.xmap.window);
  return owner == -1 || owner == pid;
}

void EndProcess(pid_t pid) {
  kill(pid, SIGTERM);
  const auto start = std::chrono::steady_clock::now();
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (MillisecondsSince(start) > 3000) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return;
    }
    usleep(10000);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: window_map_time TIMEOUT_MS SETTLE_MS COMMAND [ARGS...]\n");
    return 2;
  }
  const double timeout = std::atof(argv[1]);
  const int settle = std::atoi(argv[2]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "window_map_time: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXErrors);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    execvp(argv[3], argv + 3);
    _exit(127);
  }

  double mapped = -1;
  while (mapped < 0) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (mapped < 0 && IsMainWindowMap(display, event, pid)) mapped = MillisecondsSince(start);
    }
    if (mapped >= 0) break;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      std::fprintf(stderr, "window_map_time: %s ended before mapping a window (status 0x%x)\n", argv[3], status);
      return 1;
    }
    if (MillisecondsSince(start) > timeout) {
      std::fprintf(stderr, "window_map_time: no window of %s after %.0f ms\n", argv[3], timeout);
      EndProcess(pid);
      return 1;
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 5);  // wakes on the event itself; the 5 ms bound only notices an early exit
  }
  const long cpu = CpuMilliseconds(pid);
  usleep(static_cast<useconds_t>(settle) * 1000);
  const long rss = ResidentKilobytes(pid);
  EndProcess(pid);
  XCloseDisplay(display);
  std::printf("map_ms=%.1f cpu_ms=%ld rss_kb=%ld\n", mapped, cpu, rss);
  return 0;
}
