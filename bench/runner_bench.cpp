// Throughput of RunConsoleProcess (output list and a no-op handler) next to a plain read loop
// on the same pipe bytes, both fed by "cat" of the same file, in the same run.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ArgumentText.h"
#include "platform/ProcessRunner.h"

extern char** environ;

namespace vardeno {

namespace {
using Clock = std::chrono::steady_clock;
constexpr size_t kFileBytes = 64u << 20;
constexpr int kRounds = 5;

struct Case {
  const char* name;
  size_t lineLength;
  const char* lineEnd;
};

std::string WriteCaseFile(const std::filesystem::path& dir, const Case& c) {
  std::string line;
  for (size_t i = 0; i < c.lineLength; ++i) line += static_cast<char>('!' + i % 90);
  line += c.lineEnd;
  std::string block;
  while (block.size() < (1u << 20)) block += line;
  const std::string path = (dir / (std::string(c.name) + ".txt")).string();
  std::ofstream out(path, std::ios::binary);
  for (size_t written = 0; written < kFileBytes; written += block.size()) out << block;
  return path;
}

// Seconds and bytes of reading "cat path" through a pipe with a plain read loop.
double RawPipeSeconds(const std::string& path, size_t readSize, size_t& bytes) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) std::abort();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  const char* argv[] = {"cat", path.c_str(), nullptr};
  const auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, "cat", &actions, nullptr, const_cast<char**>(argv), environ) != 0) std::abort();
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::vector<char> buffer(readSize);
  bytes = 0;
  for (ssize_t n; (n = read(fds[0], buffer.data(), buffer.size())) > 0;) bytes += static_cast<size_t>(n);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double RunnerSeconds(const std::string& path, size_t& entries) {
  std::vector<std::string> list;
  size_t calls = 0;
  const OutputLineHandler handler = [&](const ChildProcess&, const std::string&) { ++calls; };
  const auto start = Clock::now();
  RunConsoleProcess("cat", QuoteArgument(path), &list, handler);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  entries = list.size();
  return seconds;
}

double MegabytesPerSecond(size_t bytes, double seconds) { return static_cast<double>(bytes) / 1e6 / seconds; }
}  // namespace

}  // namespace vardeno

int main() {
  using namespace vardeno;
  char pattern[] = "/tmp/vardeno-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::filesystem::path dir = pattern;
  const Case cases[] = {
      {"long lines (4000 chars, CR LF)", 4000, "\r\n"},
      {"short lines (80 chars, CR LF)", 80, "\r\n"},
      {"short lines (80 chars, LF)", 80, "\n"},
      {"status line (80 chars, CR, rewritten)", 80, "\r"},
  };
  std::printf("%zu MiB of child output per case; best of %d rounds\n\n", kFileBytes >> 20, kRounds);
  std::printf("%-40s %12s %12s %12s %8s %10s\n", "case", "raw 64K MB/s", "raw 10K MB/s", "runner MB/s", "ratio",
              "entries");
  bool allMet = true;
  for (const Case& c : cases) {
    const std::string path = WriteCaseFile(dir, c);
    double raw64 = 1e9, raw10 = 1e9, runner = 1e9;
    size_t bytes = 0, entries = 0;
    for (int round = 0; round < kRounds; ++round) {
      raw64 = std::min(raw64, RawPipeSeconds(path, 65536, bytes));
      raw10 = std::min(raw10, RawPipeSeconds(path, 10241, bytes));
      runner = std::min(runner, RunnerSeconds(path, entries));
    }
    const double raw = std::min(raw64, raw10);  // compare with the faster raw loop
    const double ratio = raw / runner;
    allMet = allMet && ratio >= 0.25;
    std::printf("%-40s %12.0f %12.0f %12.0f %8.2f %10zu\n", c.name, MegabytesPerSecond(bytes, raw64),
                MegabytesPerSecond(bytes, raw10), MegabytesPerSecond(bytes, runner), ratio, entries);
    std::filesystem::remove(path);
  }
  std::filesystem::remove_all(dir);
  std::printf("\nratio = runner rate / faster raw rate; target >= 0.25: %s\n", allMet ? "met" : "NOT met");
  return allMet ? 0 : 2;
}
