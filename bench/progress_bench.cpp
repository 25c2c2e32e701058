// Cost of one progress handler call against the number of kept output lines: the incremental
// parser versus a full backward scan of the whole list on every call. The list first fills
// with warnings a damaged input makes the encoder print, then the status line is rewritten.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "conversion/ProgressParser.h"

namespace vardeno {

namespace {

using Clock = std::chrono::steady_clock;

std::string Warning(std::size_t i) {
  return "[h264 @ 0x55d0c8a0c340] error while decoding MB " + std::to_string(i % 40) + " " +
         std::to_string(i % 30) + ", bytestream -" + std::to_string(i % 7 + 1);
}

std::string Status(int i) {
  return "frame=" + std::to_string(1000 + i) + " fps= 25 q=28.0 size=    4096kB time=00:00:" +
         std::to_string(10 + i % 40) + ".00 bitrate= 838.9kbits/s speed=1.0x    ";
}

struct Figures {
  double appendMicros = 0;  // mean cost of a call after one warning was appended
  double statusMicros = 0;  // mean cost of a call after the status line was rewritten
  ProgressUpdate last;
  EncoderOutputLines lines;
};

double MicrosPerCall(Clock::time_point start, int calls) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
}

Figures Incremental(std::size_t kept, int statusCalls, const RunState& run, const MediaProbe& probe) {
  Figures f;
  ProgressParser parser(EncoderGeneration::Modern);
  const auto start = Clock::now();
  for (std::size_t i = 0; i < kept; ++i) {
    f.lines.push_back(Warning(i));
    f.last = parser.Update(f.lines, run, probe, UiLanguage::English);
  }
  f.appendMicros = MicrosPerCall(start, static_cast<int>(kept));
  f.lines.push_back(Status(0));
  const auto statusStart = Clock::now();
  for (int i = 0; i < statusCalls; ++i) {
    f.lines.back() = Status(i);
    f.last = parser.Update(f.lines, run, probe, UiLanguage::English);
  }
  f.statusMicros = MicrosPerCall(statusStart, statusCalls);
  return f;
}

// The full scan costs too much to fill a large list one call at a time: the list is filled at
// once, and an append call is timed as one more warning on the full list, taken off again.
Figures FullScan(std::size_t kept, int statusCalls, const RunState& run, const MediaProbe& probe) {
  Figures f;
  for (std::size_t i = 0; i < kept; ++i) f.lines.push_back(Warning(i));
  const int appendCalls = statusCalls;
  const auto start = Clock::now();
  for (int i = 0; i < appendCalls; ++i) {
    f.lines.push_back(Warning(kept + static_cast<std::size_t>(i)));
    f.last = ScanProgressFully(f.lines, EncoderGeneration::Modern, run, probe, UiLanguage::English);
    f.lines.pop_back();
  }
  f.appendMicros = MicrosPerCall(start, appendCalls);
  f.lines.push_back(Status(0));
  const auto statusStart = Clock::now();
  for (int i = 0; i < statusCalls; ++i) {
    f.lines.back() = Status(i);
    f.last = ScanProgressFully(f.lines, EncoderGeneration::Modern, run, probe, UiLanguage::English);
  }
  f.statusMicros = MicrosPerCall(statusStart, statusCalls);
  return f;
}

}  // namespace

}  // namespace vardeno

int main() {
  using namespace vardeno;
  RunState run;
  run.FileNo = 1;
  run.FileCount = 1;
  MediaProbe probe;
  probe.Duration = 60;
  probe.FrameCount = 1500;

  std::printf("progress handler parsing, microseconds per call (mean); incremental append is the\n"
              "mean while the list fills up to the kept lines, full-scan append one more line on it\n");
  std::printf("%10s | %18s %18s | %18s %18s | %s\n", "kept lines", "incremental append",
              "incremental status", "full-scan append", "full-scan status", "same result");
  bool allSame = true;
  for (std::size_t kept : {std::size_t{10}, std::size_t{1000}, std::size_t{50000}, std::size_t{100000}}) {
    const int incrementalCalls = 20000;
    const int fullCalls = kept >= 50000 ? 20 : kept >= 1000 ? 500 : 5000;
    const Figures inc = Incremental(kept, incrementalCalls, run, probe);
    const Figures full = FullScan(kept, fullCalls, run, probe);
    // Both end on the same status line only when they ran the same number of calls; compare a
    // fresh incremental parse of the full scan's final list instead.
    EncoderOutputLines copy = full.lines;
    ProgressParser check(EncoderGeneration::Modern);
    const ProgressUpdate again = check.Update(copy, run, probe, UiLanguage::English);
    const bool same = copy == full.lines && again.values == full.last.values &&
                      again.statusText == full.last.statusText && again.paneNewLines == full.last.paneNewLines &&
                      inc.lines.size() == kept + 1;
    allSame = allSame && same;
    std::printf("%10zu | %18.3f %18.3f | %18.3f %18.3f | %s\n", kept, inc.appendMicros, inc.statusMicros,
                full.appendMicros, full.statusMicros, same ? "yes" : "NO");
  }
  return allSame ? 0 : 1;
}
