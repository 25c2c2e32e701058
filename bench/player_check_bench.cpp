// The cost of checking every output for a player: a real run with the system's ffmpeg over one
// 3 s and one 60 s test-source clip (320x240, 25 fps, sine tone; H.264/AAC MP4 output), for the
// Zune HD and for "Other player (no checks)". Prints the time of the conversion and of the
// output's probe, and the probe's share, for each clip.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "conversion/ConversionRun.h"
#include "conversion/SystemEncoder.h"
#include "TimedEncoder.h"
#include "platform/ExecutablePath.h"

namespace vardeno {

namespace {
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class QuietView : public ConversionView {
 public:
  void Pause(std::chrono::milliseconds) override {}
  void ShowWarning(const std::string& text) override { std::fprintf(stderr, "warning: %s\n", text.c_str()); }
  void RowFinished(std::size_t, const std::string& s, const std::string&) override { status = s; }
  std::string status;
};

struct NoPower : PowerControl {
  bool ShutDownComputer() override { return false; }
};
struct NoHost : AfterRunHost {
  void CloseMainWindow() override {}
};

bool MakeClip(const std::string& path, int seconds) {
  const std::string command = "ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=25:duration=" +
                              std::to_string(seconds) + " -f lavfi -i sine=duration=" + std::to_string(seconds) +
                              " -c:v mpeg4 -q:v 5 -c:a pcm_s16le '" + path + "'";
  return std::system(command.c_str()) == 0;
}

// One run of one clip for player; prints its line.
bool Measure(const std::filesystem::path& folder, const std::string& encoder, const std::string& clip, int seconds,
             PlayerId player) {
  const std::string outputDir = (folder / ("out-" + std::string(PlayerKey(player)))).string();
  std::filesystem::remove_all(outputDir);
  FileList files;
  files.AddToList(clip, UiLanguage::English);
  UiLanguage language = UiLanguage::English;
  RunState run;
  MediaProbe currentProbe;
  EncoderOutputLines outputLines;
  ErrorLog log;
  TimedEncoder timed(outputDir);
  QuietView view;
  NoPower power;
  NoHost host;
  ConversionRequest request;
  request.settings.OutputFormat = 3;
  request.resolutions = MakeResolutionList(BuiltInResolutions());
  request.outputToInputDir = false;
  request.outputDir = outputDir;
  request.player = player;
  ConversionState state{[&encoder] { return encoder; }, [](WarningSink&, UiLanguage) {}, RgbColor{}, language, run,
                        currentProbe, outputLines, files, log};
  ConversionRun conversion(state, timed, view, power, host);
  const RunResult result = conversion.Execute(request);
  const double convertMs = Ms(timed.runs), probeMs = Ms(timed.outputProbes);
  std::printf("%2d s clip, %-8s conversion %8.1f ms, output probes %d: %6.1f ms (%5.2f %% of the conversion)  [%s]\n",
              seconds, PlayerKey(player), convertMs, timed.outputProbeCount, probeMs,
              convertMs > 0 ? 100.0 * probeMs / convertMs : 0.0, view.status.c_str());
  return result.errorCount == 0;
}
}  // namespace

}  // namespace vardeno

int main() {
  using namespace vardeno;
  const std::string encoder = ResolveExecutablePath("ffmpeg");
  if (encoder.empty()) {
    std::fprintf(stderr, "no ffmpeg on PATH\n");
    return 1;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "vardeno-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return 1;
  const std::filesystem::path folder = pattern;
  bool ok = true;
  for (const int seconds : {3, 60}) {
    const std::string clip = (folder / ("clip" + std::to_string(seconds) + ".avi")).string();
    if (!MakeClip(clip, seconds)) return 1;
    for (const PlayerId player : {PlayerId::ZuneHD, PlayerId::None}) ok = Measure(folder, encoder, clip, seconds, player) && ok;
  }
  std::filesystem::remove_all(folder);
  return ok ? 0 : 1;
}
