// A stand-in for the encoder in runner tests: runs its arguments as a script of steps, in order.
//   w=TEXT         write TEXT to stdout (escapes: \r \n \t \s = blank, \\, \xHH)
//   e=TEXT         the same to stderr
//   rep=N:TEXT     write TEXT N times to stdout, in one go where it fits
//   sleep=MS       pause
//   close          close stdout and stderr, then go on (the pipe closes; the process runs on)
//   hold=MS        start a grandchild that keeps the output open for MS and then exits
//   args           write each argument hex-encoded, one per line ending in CR LF, and end (the
//                  arguments after it are data, not steps)
//   pidfile=PATH   write this process's pid to PATH
//   term=CODE      on SIGTERM exit with CODE (as ffmpeg closes cleanly and exits 255)
//   ignoreterm     ignore SIGTERM
//   termlog        on each SIGTERM write "TERM" CR LF and go on
//   fds            write "fd N -> TARGET" CR LF for each open descriptor, then "leader" CR LF
//                  when the process leads its own process group
//   nice           write "nice N" CR LF with this process's scheduling niceness
//   raise=SIG      kill itself with signal SIG
//   exit=CODE      exit with CODE at once
// Without an exit step the exit code is 0. Without any argument it writes "no arguments" CR LF.
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
int termExitCode = 0;

void OnTerm(int) { _exit(termExitCode); }

std::string Unescape(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (*p != '\\' || !p[1]) {
      out += *p;
      continue;
    }
    ++p;
    switch (*p) {
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 's': out += ' '; break;
      case 'x':
        if (p[1] && p[2]) {
          const char hex[3] = {p[1], p[2], 0};
          out += static_cast<char>(std::strtol(hex, nullptr, 16));
          p += 2;
        }
        break;
      default: out += *p; break;
    }
  }
  return out;
}

void WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

void OnTermLog(int) {
  static const char kText[] = "TERM\r\n";
  (void)!write(1, kText, sizeof kText - 1);
}

// Sleeps the whole time even when signals arrive meanwhile.
void Pause(long ms) {
  timespec left{ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

void WriteDescriptors() {
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return;
  std::string text;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == dirfd(dir)) continue;
    char target[4096];
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    const ssize_t n = readlink(link.c_str(), target, sizeof target);
    text += std::string("fd ") + entry->d_name + " -> " + std::string(target, n > 0 ? n : 0) + "\r\n";
  }
  closedir(dir);
  if (getpgrp() == getpid()) text += "leader\r\n";
  WriteAll(1, text);
}

bool Step(const std::string& step, const char* program) {
  auto value = [&](const char* name) -> const char* {
    const size_t n = std::strlen(name);
    return step.compare(0, n, name) == 0 ? step.c_str() + n : nullptr;
  };
  if (const char* v = value("w=")) {
    WriteAll(1, Unescape(v));
  } else if (const char* v = value("e=")) {
    WriteAll(2, Unescape(v));
  } else if (const char* v = value("rep=")) {
    char* rest = nullptr;
    const long count = std::strtol(v, &rest, 10);
    const std::string unit = Unescape(rest + 1);
    std::string block;
    for (long i = 0; i < count; ++i) {
      block += unit;
      if (block.size() >= 65536) WriteAll(1, block), block.clear();
    }
    WriteAll(1, block);
  } else if (const char* v = value("sleep=")) {
    Pause(std::atol(v));
  } else if (step == "close") {
    close(1);
    close(2);
  } else if (const char* v = value("hold=")) {
    if (fork() == 0) {
      Pause(std::atol(v));
      _exit(0);
    }
  } else if (const char* v = value("pidfile=")) {
    if (FILE* f = std::fopen(v, "w")) {
      std::fprintf(f, "%d\n", static_cast<int>(getpid()));
      std::fclose(f);
    }
  } else if (const char* v = value("term=")) {
    termExitCode = std::atoi(v);
    signal(SIGTERM, OnTerm);
  } else if (step == "termlog") {
    signal(SIGTERM, OnTermLog);
  } else if (step == "fds") {
    WriteDescriptors();
  } else if (step == "nice") {
    WriteAll(1, "nice " + std::to_string(getpriority(PRIO_PROCESS, 0)) + "\r\n");
  } else if (step == "ignoreterm") {
    signal(SIGTERM, SIG_IGN);
  } else if (const char* v = value("raise=")) {
    const int sig = std::atoi(v);
    signal(sig, SIG_DFL);
    raise(sig);
  } else if (const char* v = value("exit=")) {
    std::exit(std::atoi(v));
  } else {
    std::fprintf(stderr, "%s: unknown step '%s'\n", program, step.c_str());
    return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) WriteAll(1, "no arguments\r\n");
  for (int i = 1; i < argc; ++i) {
    const std::string step = argv[i];
    if (step == "args") {
      for (int j = 1; j < argc; ++j) {
        std::string hex;
        for (const unsigned char c : std::string(argv[j])) {
          char digits[3];
          std::snprintf(digits, sizeof digits, "%02x", c);
          hex += digits;
        }
        WriteAll(1, hex + "\r\n");
      }
      return 0;
    }
    if (!Step(step, argv[0])) return 99;
  }
  return 0;
}
