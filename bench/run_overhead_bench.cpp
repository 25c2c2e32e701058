// The conversion run's own cost per file: 200 small files converted by a stand-in encoder that
// exits at once. Wall time minus the time spent in the encoder's runs (probe, conversion, and
// the run's one-off -version and -encoders queries) minus the loop's prescribed pauses, divided
// by the number of files. The pauses are counted, not slept, unless --sleep is given.
//
// The stand-in encoder is this program itself, started through a link named "ffmpeg": it
// answers -version like FFmpeg 5.1 and exits at once otherwise.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "conversion/ConversionRun.h"
#include "conversion/SystemEncoder.h"
#include "TimedEncoder.h"

namespace vardeno {

namespace {
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kFileCount = 200;

int ActAsEncoder(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-version") == 0) {
      std::fputs("ffmpeg version 5.1.9 Copyright (c) 2000-2026 the FFmpeg developers\n"
                 "libavcodec     59. 37.100 / 59. 37.100\n",
                 stdout);
    }
  }
  return 0;
}

// A view that draws nothing; it counts the pauses the loop asks for (and sleeps them with --sleep).
class BenchView : public ConversionView {
 public:
  explicit BenchView(bool sleep) : sleep_(sleep) {}
  void Pause(std::chrono::milliseconds duration) override {
    prescribed += duration;
    const auto start = Clock::now();
    if (sleep_) std::this_thread::sleep_for(duration);
    slept += Clock::now() - start;
  }
  void ShowWarning(const std::string& text) override { std::fprintf(stderr, "warning: %s\n", text.c_str()); }
  void ShowSystemError(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
  void ShowProgress(const ProgressUpdate&) override { ++progressUpdates; }
  void RowFinished(std::size_t, const std::string& status, const std::string&) override {
    if (status == "Done") ++done;
  }
  std::chrono::milliseconds prescribed{};
  Clock::duration slept{};
  int progressUpdates = 0;
  int done = 0;

 private:
  bool sleep_;
};

struct NoPower : PowerControl {
  bool ShutDownComputer() override { return false; }
};
struct NoHost : AfterRunHost {
  void CloseMainWindow() override {}
};

double Milliseconds(Clock::duration d) { return Ms(d).count(); }

}  // namespace

}  // namespace vardeno

int main(int argc, char** argv) {
  using namespace vardeno;
  if (std::filesystem::path(argv[0]).filename() == "ffmpeg") return ActAsEncoder(argc, argv);
  const bool sleep = argc > 1 && std::strcmp(argv[1], "--sleep") == 0;

  std::string pattern = (std::filesystem::temp_directory_path() / "vardeno-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::filesystem::path folder = pattern;
  const std::string encoder = (folder / "ffmpeg").string();
  std::filesystem::create_symlink(std::filesystem::canonical("/proc/self/exe"), encoder);

  FileList files;
  for (int i = 0; i < kFileCount; ++i) {
    const std::string path = (folder / ("clip " + std::to_string(i) + ".avi")).string();
    std::ofstream(path) << "not really a clip";
    files.AddToList(path, UiLanguage::English);
  }

  UiLanguage language = UiLanguage::English;
  RunState run;
  MediaProbe currentProbe;
  EncoderOutputLines outputLines;
  ErrorLog log;
  TimedEncoder timed;
  BenchView view(sleep);
  NoPower power;
  NoHost host;
  ConversionRequest request;
  request.settings.OutputFormat = 3;
  request.resolutions = MakeResolutionList(BuiltInResolutions());
  request.outputToInputDir = false;
  request.outputDir = (folder / "out").string();

  ConversionState state{[&encoder] { return encoder; }, [](WarningSink&, UiLanguage) {}, RgbColor{}, language, run,
                        currentProbe, outputLines, files, log};
  ConversionRun conversion(state, timed, view, power, host);
  const auto start = Clock::now();
  const RunResult result = conversion.Execute(request);
  const Clock::duration wall = Clock::now() - start;

  const double encoderMs = Milliseconds(timed.queries + timed.probes + timed.runs);
  const double pausedMs = Milliseconds(view.slept);
  const double ownMs = Milliseconds(wall) - encoderMs - pausedMs;
  std::printf("files: %d (done %d, errors %d, run end %d)\n", kFileCount, view.done, result.errorCount,
              static_cast<int>(result.end));
  std::printf("wall time:                     %9.1f ms\n", Milliseconds(wall));
  std::printf("encoder -version/-encoders:    %9.1f ms\n", Milliseconds(timed.queries));
  std::printf("encoder probes (%3d):          %9.1f ms (%.2f ms each)\n", timed.probeCount,
              Milliseconds(timed.probes), Milliseconds(timed.probes) / std::max(timed.probeCount, 1));
  std::printf("encoder conversions (%3d):     %9.1f ms (%.2f ms each)\n", timed.runCount, Milliseconds(timed.runs),
              Milliseconds(timed.runs) / std::max(timed.runCount, 1));
  std::printf("pauses prescribed %6lld ms, %s %9.1f ms\n", static_cast<long long>(view.prescribed.count()),
              sleep ? "slept:  " : "skipped:", pausedMs);
  std::printf("run's own overhead:            %9.1f ms = %.3f ms per file (target < 5 ms)\n", ownMs,
              ownMs / kFileCount);

  std::filesystem::remove_all(folder);
  return view.done == kFileCount ? 0 : 1;
}
