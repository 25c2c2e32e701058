// What the progress window costs during a conversion: the same conversion run in this process
// with the progress window (offscreen) as the run's view, and through vardeno-cli, alternately.
// The window's share is measured inside the run: the time spent in the view's calls (the
// progress updates, letting events through, the labels) against the run's wall time.
//
// Cases: a real conversion with ffmpeg's usual two status lines a second; the same with fifty a
// second; and an encoder that prints 100,000 lines (a damaged input) as fast as it can.
#include <QApplication>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "conversion/SystemEncoder.h"
#include "ui/AppWindows.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// CPU time of the calling thread: on a machine the encoder keeps busy, the window's wall time
// inside a call also holds the time it waited for a core, which is the encoder's work.
double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Forwards every call to the progress window and adds up the time spent in them (the loop's
// fixed pauses apart, which the command line takes too).
class TimedView : public ConversionView {
 public:
  explicit TimedView(ConversionView& inner) : inner_(inner) {}
  double windowSeconds = 0;   // wall time in the window's calls
  double windowCpu = 0;       // CPU time in them
  double updateCpu = 0;       // of which in progress updates and event passes during the encoder run
  double encoderSeconds = 0;  // from the first progress update of a file to the file's end
  int updates = 0;
  int eventPasses = 0;

  void ShowWarning(const std::string& t) override { Timed([&] { inner_.ShowWarning(t); }); }
  void DisableAll() override { Timed([&] { inner_.DisableAll(); }); }
  void EnableAll() override { Timed([&] { inner_.EnableAll(); }); }
  void ShowSystemError(const std::string& t) override { Timed([&] { inner_.ShowSystemError(t); }); }
  void ShowProgressWindow() override { Timed([&] { inner_.ShowProgressWindow(); }); }
  void SetAbortCaption(const std::string& c) override { Timed([&] { inner_.SetAbortCaption(c); }); }
  void SetInputFile(const std::string& p) override { Timed([&] { inner_.SetInputFile(p); }); }
  void SetOutputFile(const std::string& p) override { Timed([&] { inner_.SetOutputFile(p); }); }
  void SetStatus(const std::string& t, StatusTone tone) override {
    EndFile();
    Timed([&] { inner_.SetStatus(t, tone); });
  }
  void SetProgress(int p) override { Timed([&] { inner_.SetProgress(p); }); }
  void SetPbColor(RgbColor c) override { Timed([&] { inner_.SetPbColor(c); }); }
  void ClearEncoderOutput() override { Timed([&] { inner_.ClearEncoderOutput(); }); }
  void ShowErrorsWindow() override { Timed([&] { inner_.ShowErrorsWindow(); }); }
  void SetErrorsCaption(const std::string& c) override { Timed([&] { inner_.SetErrorsCaption(c); }); }
  void RowFinished(std::size_t r, const std::string& s, const std::string& o) override {
    Timed([&] { inner_.RowFinished(r, s, o); });
  }
  void Pause(std::chrono::milliseconds d) override { inner_.Pause(d); }
  void ProcessPendingEvents() override {
    ++eventPasses;
    Timed([&] { inner_.ProcessPendingEvents(); }, inFile_);
  }
  void ShowProgress(const ProgressUpdate& u) override {
    if (!inFile_) fileStart_ = Clock::now(), inFile_ = true;
    ++updates;
    Timed([&] { inner_.ShowProgress(u); }, true);
  }

 private:
  template <typename F>
  void Timed(F call, bool update = false) {
    const auto start = Clock::now();
    const double cpuStart = ThreadCpuSeconds();
    call();
    const double cpu = ThreadCpuSeconds() - cpuStart;
    windowSeconds += Seconds(Clock::now() - start);
    windowCpu += cpu;
    if (update) updateCpu += cpu;
  }
  void EndFile() {
    if (inFile_) encoderSeconds += Seconds(Clock::now() - fileStart_);
    inFile_ = false;
  }
  ConversionView& inner_;
  bool inFile_ = false;
  Clock::time_point fileStart_;
};

class NoPower : public PowerControl {
 public:
  bool ShutDownComputer() override { return false; }
};
class NoHost : public AfterRunHost {
 public:
  void CloseMainWindow() override {}
};

struct Case {
  const char* name;
  std::string encoder;                  // the encoder program both runs use
  std::vector<std::string> additional;  // additional encoder parameters
};

struct Figures {
  double wall = 0, windowWall = 0, window = 0, update = 0, encoder = 0;
  int updates = 0, passes = 0;
};

std::string g_dir;

Figures RunWindowed(const Case& c, const std::string& input, int round) {
  ProgramState state;
  AppWindows windows;
  SystemEncoder encoder;
  NoPower power;
  NoHost host;
  state.ProgramDir = g_dir;
  state.Params.EncoderExe = c.encoder;
  windows.encoder = &encoder;
  windows.power = &power;
  CreateAppWindows(state, windows, {});
  FileListRow row;
  row.Checked = true;
  row.Directory = std::filesystem::path(input).parent_path().string();
  row.Name = std::filesystem::path(input).filename().string();
  state.Files.AppendRows({row});

  ConversionRequest request;
  request.settings.AdditionalParams = c.additional;
  request.resolutions = MakeResolutionList(BuiltInResolutions());
  request.outputToInputDir = false;
  request.outputDir = g_dir + "/gui" + std::to_string(round);
  request.outputExistsPolicy = 1;
  TimedView view(*windows.Progress());
  const auto start = Clock::now();
  ConversionRun run(state.ForConversion(), encoder, view, power, host);
  const RunResult result = run.Execute(request);
  Figures f;
  f.wall = Seconds(Clock::now() - start);
  f.windowWall = view.windowSeconds;
  f.window = view.windowCpu;
  f.update = view.updateCpu;
  f.encoder = view.encoderSeconds;
  f.updates = view.updates;
  f.passes = view.eventPasses;
  if (result.end != RunEnd::Completed || state.Files.Row(0).Status.rfind("Error", 0) == 0)
    std::fprintf(stderr, "windowed run of %s ended as %s\n", c.name, state.Files.Row(0).Status.c_str());
  delete windows.main;
  return f;
}

double RunCli(const Case& c, const std::string& input, int round) {
  std::string command = "XDG_CONFIG_HOME='" + g_dir + "/config' '" VARDENO_CLI_PATH "' convert '" + input +
                        "' --lang en --encoder '" + c.encoder + "' --if-exists overwrite --out-dir '" + g_dir + "/cli" +
                        std::to_string(round) + "'";
  for (const std::string& a : c.additional) command += " --set 'AdditionalParams=" + a + "'";
  command += " > /dev/null 2>&1";
  const auto start = Clock::now();
  const int code = std::system(command.c_str());
  if (code != 0) std::fprintf(stderr, "vardeno-cli exited with %d for %s\n", code, c.name);
  return Seconds(Clock::now() - start);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Measure(const Case& c, const std::string& input, int rounds) {
  std::vector<double> gui, cli, window, windowWall, update, perSecond;
  Figures last;
  RunWindowed(c, input, 99);  // warm-up: the encoder's files in the page cache
  for (int i = 0; i < rounds; ++i) {
    last = RunWindowed(c, input, i);
    gui.push_back(last.wall);
    window.push_back(last.window);
    windowWall.push_back(last.windowWall);
    update.push_back(last.update);
    perSecond.push_back(last.encoder > 0 ? last.update / last.encoder * 1000 : 0);
    cli.push_back(RunCli(c, input, i));
  }
  const double g = Median(gui), w = Median(window), u = Median(update), k = Median(cli);
  std::printf("%s\n", c.name);
  std::printf("  progress updates: %d in %.2f s of encoder output (%.0f a second), %d event passes\n", last.updates,
              last.encoder, last.encoder > 0 ? last.updates / last.encoder : 0.0, last.passes);
  std::printf("  CPU time in progress updates: %.1f ms = %.1f us an update = %.2f ms per second of encoder output "
              "(%.2f %%)\n",
              u * 1000, last.updates > 0 ? u / last.updates * 1e6 : 0.0, Median(perSecond), Median(perSecond) / 10);
  std::printf("  CPU time in all the window's calls (showing it, labels, updates): %.1f ms = %.2f %% of the run\n",
              w * 1000, w / g * 100);
  std::printf("  wall time in the window's calls (waits for a busy core included): %.1f ms = %.2f %% of the run\n",
              Median(windowWall) * 1000, Median(windowWall) / g * 100);
  std::printf("  wall time: windows %.3f s, vardeno-cli %.3f s (difference %+.1f %%; medians of %d)\n", g, k,
              (g - k) / k * 100, rounds);
}
}  // namespace

}  // namespace vardeno

int main(int argc, char** argv) {
  using namespace vardeno;
  // Arguments: [rounds [usual|fast|flood]].
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  char pattern[] = "/tmp/vardeno-run-windows-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  g_dir = pattern;
  std::filesystem::create_directories(g_dir + "/config");
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

  const std::string clip = g_dir + "/clip.mp4";
  const std::string make = "ffmpeg -v error -y -f lavfi -i testsrc=duration=20:size=640x480:rate=25 -f lavfi -i "
                           "sine=duration=20 -shortest '" + clip + "'";
  if (std::system(make.c_str()) != 0) {
    std::fprintf(stderr, "ffmpeg could not make the clip\n");
    return 1;
  }
  // An encoder that prints 100,000 warning lines and exits, standing in for ffmpeg on a damaged
  // input; it answers the version question as ffmpeg 5.1 does.
  const std::string flood = g_dir + "/flood-encoder";
  {
    std::ofstream script(flood);
    script << "#!/bin/sh\n"
              "case \"$1\" in -version) echo 'libavcodec     59. 37.100 / 59. 37.100'; exit 0;; esac\n"
              "case \"$*\" in *-y*) ;; *) exit 1;; esac\n"
              "yes '[h264 @ 0x55d0c8a0c340] error while decoding MB 7 3, bytestream -5' | head -n 100000 >&2\n";
  }
  std::filesystem::permissions(flood, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);

  std::printf("run_windows_bench: 20 s 640x480 clip converted to MP4 (H.264/AAC) by ffmpeg; %d rounds\n\n", rounds);
  const std::string only = argc > 2 ? argv[2] : "";
  if (only.empty() || only == "usual") Measure({"ffmpeg, its usual status lines", "ffmpeg", {}}, clip, rounds);
  if (only.empty() || only == "fast")
    Measure({"ffmpeg, 50 status lines a second", "ffmpeg", {"-stats_period 0.02"}}, clip, rounds);
  if (only.empty() || only == "flood") Measure({"an encoder printing 100,000 lines", flood, {}}, clip, rounds);
  std::filesystem::remove_all(g_dir);
  return 0;
}
