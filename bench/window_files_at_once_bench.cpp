// The window's conversion run (offscreen) with "Files at once" 1 and Auto: 8 WAV files into MP3,
// the time of each and their ratio; the windows' thread's event latency during each run (how late
// a 10 ms timer fires, 99th percentile); and a soak of 1,000 short files in one run (Auto): memory
// and open descriptors after the first 50 files and at the end, and the time per file of the
// first and the last 100.
//
// Usage: window_files_at_once_bench [seconds per file, default 60] [soak files, default 1000]
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "conversion/SystemEncoder.h"
#include "platform/Processors.h"
#include "ui/AppWindows.h"
#include "ui/RunWorker.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {
class NoPower : public PowerControl {
 public:
  bool ShutDownComputer() override { return false; }
};
class NoHost : public AfterRunHost {
 public:
  void CloseMainWindow() override {}
};

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

long OpenDescriptors() {
  long count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

struct RunFigures {
  double seconds = 0;
  double latencyP99 = 0, latencyMax = 0;
  std::vector<double> finishedAt;  // seconds from the start, per file, in the order they ended
  long rssAfter50 = -1, fdsAfter50 = -1;
  long rssEnd = -1, fdsEnd = -1;  // once the run has ended, the windows still open
  int failed = 0;
};

// One run of the window's conversion over inputs, the event loop going on meanwhile.
RunFigures Run(const std::vector<std::string>& inputs, unsigned filesAtOnce, const std::string& outDir) {
  ProgramState state;
  AppWindows windows;
  SystemEncoder encoder;
  NoPower power;
  NoHost host;
  windows.encoder = &encoder;
  windows.power = &power;
  windows.programFilesDir = outDir;
  CreateAppWindows(state, windows, {});
  state.Params.EncoderExe = "ffmpeg";
  std::vector<FileListRow> rows;
  for (const std::string& input : inputs) {
    FileListRow row;
    row.Checked = true;
    row.Directory = fs::path(input).parent_path().string();
    row.Name = fs::path(input).filename().string();
    row.Status = "Ready";
    rows.push_back(row);
  }
  state.Files.AppendRows(rows);
  ConversionRequest request;
  request.settings.OutputFormat = 8;  // MP3
  request.resolutions = MakeResolutionList(BuiltInResolutions());
  request.outputToInputDir = false;
  request.outputDir = outDir;
  request.outputExistsPolicy = 1;
  RunWorker worker(state, encoder, *windows.Progress(), power, host);
  windows.runner = &worker;

  RunFigures f;
  std::vector<double> lateness;
  QElapsedTimer clock;
  QTimer tick;
  qint64 last = 0;
  std::size_t finished = 0;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    lateness.push_back(std::max<double>(0, (now - last) / 1e6 - 10));
    last = now;
    // The rows that have ended, as the windows see them.
    std::size_t ended = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      const std::string& status = state.Files.Row(i).Status;
      if (status != "Ready" && status != "Converting") ++ended;
    }
    for (; finished < ended; ++finished) {
      f.finishedAt.push_back(clock.nsecsElapsed() / 1e9);
      if (finished + 1 == 50) {
        f.rssAfter50 = ResidentKb();
        f.fdsAfter50 = OpenDescriptors();
      }
    }
  });
  QEventLoop loop;
  QObject::connect(&worker, &RunWorker::finished, &loop, &QEventLoop::quit);
  RunWorker::Options options;
  options.filesAtOnce = filesAtOnce;
  clock.start();
  tick.start(10);
  worker.Start(request, options);
  loop.exec();
  tick.stop();
  f.rssEnd = ResidentKb();
  f.fdsEnd = OpenDescriptors();
  f.seconds = clock.nsecsElapsed() / 1e9;
  f.latencyP99 = Percentile(lateness, 0.99);
  f.latencyMax = Percentile(lateness, 1.0);
  for (std::size_t i = 0; i < inputs.size(); ++i)
    if (state.Files.Row(i).Status != "Done") ++f.failed;
  windows.runner = nullptr;
  delete windows.main;
  return f;
}

bool MakeWav(const std::string& path, double seconds, int frequency) {
  const std::string command = "ffmpeg -v error -y -f lavfi -i sine=frequency=" + std::to_string(frequency) +
                              ":sample_rate=44100:duration=" + std::to_string(seconds) + " -ac 2 '" + path + "'";
  return std::system(command.c_str()) == 0;
}

double Mean(const std::vector<double>& v, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += v[i];
  return to > from ? sum / static_cast<double>(to - from) : 0;
}
}  // namespace

}  // namespace vardeno

int main(int argc, char* argv[]) {
  using namespace vardeno;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int secondsPerFile = argc > 1 ? std::atoi(argv[1]) : 60;
  const int soakFiles = argc > 2 ? std::atoi(argv[2]) : 1000;
  char pattern[] = "/tmp/vardeno-window-jobs-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const fs::path dir = pattern;
  double load[3] = {0, 0, 0};
  if (getloadavg(load, 3) < 0) load[0] = -1;
  std::printf("load average at start: %.2f %.2f %.2f; %u cores usable\n", load[0], load[1], load[2], UsableCores());

  std::vector<std::string> batch;
  for (int i = 0; i < 8; ++i) {
    const std::string path = (dir / ("tone " + std::to_string(i + 1) + ".wav")).string();
    if (!MakeWav(path, secondsPerFile, 220 + 55 * i)) return 1;
    batch.push_back(path);
  }
  fs::create_directories(dir / "one");
  fs::create_directories(dir / "auto");
  const RunFigures one = Run(batch, 1, (dir / "one").string());
  const RunFigures all = Run(batch, UsableCores(), (dir / "auto").string());
  std::printf("8 WAV files of %d s into MP3 in the window (offscreen)\n", secondsPerFile);
  std::printf("  Files at once 1:    %6.2f s  event latency p99 %5.1f ms (max %5.1f ms)  failed %d\n", one.seconds,
              one.latencyP99, one.latencyMax, one.failed);
  std::printf("  Files at once Auto: %6.2f s  event latency p99 %5.1f ms (max %5.1f ms)  failed %d\n", all.seconds,
              all.latencyP99, all.latencyMax, all.failed);
  std::printf("  ratio 1 / Auto: %.2fx\n", all.seconds > 0 ? one.seconds / all.seconds : 0.0);

  if (soakFiles >= 200) {
    const std::string first = (dir / "short.wav").string();
    if (!MakeWav(first, 0.2, 440)) return 1;
    fs::create_directories(dir / "soak");
    std::vector<std::string> soak;
    for (int i = 0; i < soakFiles; ++i) {
      const std::string path = (dir / "soak" / ("s" + std::to_string(i) + ".wav")).string();
      fs::copy_file(first, path);
      soak.push_back(path);
    }
    fs::create_directories(dir / "soak-out");
    const RunFigures s = Run(soak, UsableCores(), (dir / "soak-out").string());
    const long rssEnd = s.rssEnd, fdsEnd = s.fdsEnd;
    std::vector<double> perFile;
    for (std::size_t i = 1; i < s.finishedAt.size(); ++i) perFile.push_back(s.finishedAt[i] - s.finishedAt[i - 1]);
    const std::size_t n = perFile.size();
    const double head = Mean(perFile, 0, std::min<std::size_t>(100, n));
    const double tail = Mean(perFile, n > 100 ? n - 100 : 0, n);
    std::printf("Soak: %d files of 0.2 s (Auto) in %.1f s, failed %d\n", soakFiles, s.seconds, s.failed);
    std::printf("  memory after 50 files %ld KB, after the run %ld KB (%+ld KB)\n", s.rssAfter50, rssEnd,
                rssEnd - s.rssAfter50);
    std::printf("  open descriptors after 50 files %ld, after the run %ld\n", s.fdsAfter50, fdsEnd);
    std::printf("  time per file: first 100 %.1f ms, last 100 %.1f ms (%+.1f %%)\n", head * 1000, tail * 1000,
                head > 0 ? (tail - head) / head * 100 : 0.0);
    std::printf("  event latency p99 %.1f ms (max %.1f ms)\n", s.latencyP99, s.latencyMax);
  }
  if (getloadavg(load, 3) < 0) load[0] = -1;
  std::printf("load average at end: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
  fs::remove_all(dir);
  return 0;
}
