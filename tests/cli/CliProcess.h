// Runs the built vardeno-cli as a user's shell would, with its standard output and standard error
// captured apart, a controlled locale environment, and the means to watch it while it runs
// (read its first lines, send it signals). Also makes the small test clips with ffmpeg.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/Command.h"

extern char** environ;

namespace vardeno {

struct CliResult {
  int exitCode = -1;  // 128 + signal number when killed by a signal; -1 when it never ended
  std::string out;
  std::string err;
};

// The environment of a run: the test's own without any locale variable (so English and the C
// locale unless a test sets LANG, LC_ALL or LC_MESSAGES), plus the given NAME=VALUE entries.
inline std::vector<std::string> CliEnvironment(const std::vector<std::string>& extra) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    if (text.rfind("LANG=", 0) == 0 || text.rfind("LANGUAGE=", 0) == 0 || text.rfind("LC_", 0) == 0) continue;
    env.push_back(text);
  }
  env.insert(env.end(), extra.begin(), extra.end());
  return env;
}

class CliProcess {
 public:
  // Starts vardeno-cli with args in the folder cwd (the test's folder when empty); stdin is /dev/null.
  // With terminalColumns above 0, its stderr is a terminal (a pseudo-terminal that passes bytes
  // unchanged) of that width instead of a pipe.
  CliProcess(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
             const std::string& cwd = "", unsigned short terminalColumns = 0) {
    std::vector<std::string> argStore = {VARDENO_CLI_PATH};
    argStore.insert(argStore.end(), args.begin(), args.end());
    const std::vector<std::string> envStore = CliEnvironment(env);
    std::vector<char*> argv, envp;
    for (const std::string& a : argStore) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string& e : envStore) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) return;
    if (terminalColumns > 0) {
      if (!OpenTerminal(terminalColumns, errPipe)) return;
    } else if (pipe2(errPipe, O_CLOEXEC) != 0) {
      return;
    }
    pid_ = fork();
    if (pid_ == 0) {
      const int devNull = open("/dev/null", O_RDONLY);
      dup2(devNull, 0);
      dup2(outPipe[1], 1);
      dup2(errPipe[1], 2);
      if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    outFd_ = outPipe[0];
    errFd_ = errPipe[0];
  }
  ~CliProcess() {
    if (pid_ > 0 && !reaped_) {
      kill(pid_, SIGKILL);
      Reap(true);
    }
    CloseFd(outFd_);
    CloseFd(errFd_);
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int signal) const {
    if (pid_ > 0 && !reaped_) kill(pid_, signal);
  }
  // True while the program has not ended (it is reaped here when it has).
  bool Running() { return pid_ > 0 && !reaped_ && !Reap(false); }

  // Waits until a whole line has arrived on stdout (true) or the time is up (false). The
  // result's out holds everything read so far.
  bool WaitForStdoutLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (result_.out.find('\n') == std::string::npos) {
      if (!Pump(deadline)) return false;
    }
    return true;
  }

  // Reads both streams to their end and waits for the exit, at most timeout; a program still
  // running then is killed and reported with exitCode -1.
  CliResult Finish(std::chrono::milliseconds timeout = std::chrono::seconds(60)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while ((outFd_ >= 0 || errFd_ >= 0) && Pump(deadline)) {
    }
    if (outFd_ >= 0 || errFd_ >= 0) {
      kill(pid_, SIGKILL);
      Reap(true);
      result_.exitCode = -1;
      return result_;
    }
    Reap(true);
    return result_;
  }

  const std::string& OutSoFar() const { return result_.out; }

 private:
  // A pseudo-terminal in raw mode, columns wide: ends[0] the side to read, ends[1] the terminal.
  static bool OpenTerminal(unsigned short columns, int ends[2]) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) return false;
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
      close(master);
      return false;
    }
    const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) {
      close(master);
      return false;
    }
    termios mode {};
    tcgetattr(terminal, &mode);
    cfmakeraw(&mode);
    tcsetattr(terminal, TCSANOW, &mode);
    winsize size {};
    size.ws_col = columns;
    size.ws_row = 24;
    ioctl(terminal, TIOCSWINSZ, &size);
    ends[0] = master;
    ends[1] = terminal;
    return true;
  }

  static void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
  }

  // Reads what one of the pipes has; false when the deadline passed or both pipes have ended.
  bool Pump(std::chrono::steady_clock::time_point deadline) {
    if (outFd_ < 0 && errFd_ < 0) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    if (poll(fds, 2, static_cast<int>(left.count())) < 0) return errno == EINTR;
    ReadFrom(fds[0], outFd_, result_.out);
    ReadFrom(fds[1], errFd_, result_.err);
    return true;
  }

  static void ReadFrom(const pollfd& polled, int& fd, std::string& into) {
    if (fd < 0 || !(polled.revents & (POLLIN | POLLHUP | POLLERR))) return;
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) into.append(buffer, static_cast<size_t>(n));
    else if (n == 0 || errno != EINTR) CloseFd(fd);
  }

  // True when the child has ended (and records its exit status).
  bool Reap(bool block) {
    if (reaped_) return true;
    int status = 0;
    pid_t got;
    do {
      got = waitpid(pid_, &status, block ? 0 : WNOHANG);
    } while (got < 0 && errno == EINTR);
    if (got != pid_) return false;
    reaped_ = true;
    result_.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
  }

  pid_t pid_ = -1;
  bool reaped_ = false;
  int outFd_ = -1;
  int errFd_ = -1;
  CliResult result_;
};

// Runs vardeno-cli to its end.
inline CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
                        const std::string& cwd = "") {
  CliProcess process(args, env, cwd);
  return process.Finish();
}

// Makes a test clip with ffmpeg's test sources: 160x120 testsrc picture at `rate` frames per
// second and/or a sine tone, `seconds` long, H.264/AAC for .mp4, PCM for .wav. True on success.
inline bool MakeClip(const std::string& path, double seconds, bool video = true, bool audio = true,
                     const std::string& rate = "25") {
  const std::string duration = std::to_string(seconds);
  std::vector<std::string> argv = {"ffmpeg", "-v", "error", "-y"};
  if (video) {
    for (const char* a : {"-f", "lavfi", "-i"}) argv.push_back(a);
    argv.push_back("testsrc=size=160x120:rate=" + rate + ":duration=" + duration);
  }
  if (audio) {
    for (const char* a : {"-f", "lavfi", "-i"}) argv.push_back(a);
    argv.push_back("sine=frequency=440:duration=" + duration);
  }
  if (video) {
    for (const char* a : {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"}) argv.push_back(a);
  }
  argv.push_back(path);
  return RunCommand(argv).exitCode == 0;
}

// Lines of a text ended by LF (the last piece after the final LF is not a line).
inline std::vector<std::string> LfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

}  // namespace vardeno
