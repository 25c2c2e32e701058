// vardeno-cli convert --jobs: 8 two-minute audio files (ffmpeg's sine source) into MP3, once one
// after another (--jobs 1) and once with --jobs auto, in the same run; prints both times, the
// speed-up (also without the job loop's pauses, which --jobs 1 keeps), the cores the process may
// use and the load average before each conversion.
// Usage: jobs_bench [SECONDS_PER_FILE]   (default 120)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Processors.h"

extern char** environ;

namespace vardeno {

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kFiles = 8;

// Runs argv with stdout and stderr thrown away; its exit status, -1 when it could not start.
// cpuSeconds, when given, gets the user and system time of it and every child it waited for.
int RunQuietly(const std::vector<std::string>& args, double* cpuSeconds = nullptr) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = 0;
  const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return -1;
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
  }
  if (cpuSeconds)
    *cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double LoadAverage() {
  double load[1] = {0};
  return getloadavg(load, 1) == 1 ? load[0] : -1;
}

// Seconds of one conversion of the inputs into outDir; exits the program if it fails.
double Convert(const std::vector<std::string>& inputs, const std::string& jobs, const std::string& outDir) {
  std::vector<std::string> args = {VARDENO_CLI_PATH, "convert", "--jobs", jobs, "--set", "OutputFormat=8",
                                   "--out-dir",      outDir,    "--lang", "en"};
  args.insert(args.end(), inputs.begin(), inputs.end());
  std::printf("  --jobs %-4s (load average %.2f before) ... ", jobs.c_str(), LoadAverage());
  std::fflush(stdout);
  const auto start = Clock::now();
  double cpu = 0;
  const int status = RunQuietly(args, &cpu);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (status != 0) {
    std::printf("vardeno-cli failed with status %d\n", status);
    std::exit(1);
  }
  for (const std::string& input : inputs) {
    const fs::path output = fs::path(outDir) / fs::path(input).filename().replace_extension(".mp3");
    std::error_code error;
    if (fs::file_size(output, error) == 0 || error) {
      std::printf("no output %s\n", output.c_str());
      std::exit(1);
    }
  }
  // Cores busy on average: how much of the machine the run got while others used it too.
  std::printf("%.2f s (CPU %.2f s, %.2f cores busy)\n", seconds, cpu, cpu / seconds);
  return seconds;
}
}  // namespace

}  // namespace vardeno

int main(int argc, char** argv) {
  using namespace vardeno;
  const int secondsPerFile = argc > 1 ? std::atoi(argv[1]) : 120;
  if (secondsPerFile <= 0) {
    std::fprintf(stderr, "usage: jobs_bench [SECONDS_PER_FILE]\n");
    return 2;
  }
  char pattern[] = "/tmp/vardeno-jobs-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const fs::path dir = pattern;

  std::vector<std::string> inputs;
  for (int i = 0; i < kFiles; ++i) {
    const std::string path = (dir / ("tone " + std::to_string(i + 1) + ".wav")).string();
    const std::string source = "sine=frequency=" + std::to_string(220 + 55 * i) +
                               ":sample_rate=44100:duration=" + std::to_string(secondsPerFile);
    if (RunQuietly({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", source, "-ac", "2", path}) != 0) {
      std::printf("ffmpeg could not make %s\n", path.c_str());
      return 1;
    }
    inputs.push_back(path);
  }

  const unsigned cores = UsableCores();
  std::printf("%d stereo WAV files of %d s into MP3; %u cores usable (--jobs auto = %u)\n", kFiles, secondsPerFile,
              cores, cores);
  const double one = Convert(inputs, "1", (dir / "one").string());
  const double autoJobs = Convert(inputs, "auto", (dir / "auto").string());
  std::printf("one after another: %.2f s, --jobs auto: %.2f s, speed-up %.2f (target >= %.2f = 0.8 x cores)\n", one,
              autoJobs, one / autoJobs, 0.8 * cores);
  // --jobs 1 is the job loop, which pauses 150 ms before each file and 150 ms after its probe;
  // the scheduler of --jobs N does not. Without those pauses (computed, not measured):
  const double pauses = kFiles * 0.3;
  std::printf("without the job loop's pauses (%.1f s): %.2f s one after another, speed-up %.2f\n", pauses,
              one - pauses, (one - pauses) / autoJobs);

  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return 0;
}
