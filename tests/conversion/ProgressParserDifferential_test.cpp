// The incremental parser against the plain full scan, over random sequences of what the
// runner and the job loop do to the list between calls.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "conversion/ProgressParser.h"

namespace vardeno {

namespace {

const std::vector<std::string>& LinePool() {
  static const std::vector<std::string> pool = {
      "",
      "   ",
      "\t\r",
      "Input #0, avi, from 'clip.avi':",
      "  Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 tb(r)",
      "[h264 @ 0x55d0c8a0] error while decoding MB 12 7, bytestream -5",
      "[H263 @ 0x1]warning, clipping 1 dct coefficients",
      "FFmpeg version SVN-r16573",
      "ffmpeg version 5.1.9",
      "  configuration: --enable-gpl",
      "  libavcodec    52.10. 0 / 52.10. 0",
      "  libavfilter     8. 44.100 /  8. 44.100",
      "  built with gcc 12",
      "  built on Jan 10 2009",
      "Press [q] to stop encoding",
      "Press [q] to stop, [?] for help",
      "[mpeg4 @ 01478BD0]hmm",
      "[mp3 @ 0x1]skipping granule 3",
      "Warning, extension is not known",
      "Multiple frames in a packet from stream 1",
      "MULTIPLE FRAMES IN A PACKET FROM STREAM 0",
      "frame=  250 fps= 25 q=5.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s",
      "frame=  251 fps= 26 q=5.0 size=    1028kB time=10.04 bitrate= 838.9kbits/s",
      "frame=   50 fps= 24 q=2.0 size=     123KiB time=00:00:01.99 bitrate= 504.0kbits/s speed=0.952x    ",
      "frame=10000 fps=250 q=28.0 size=    4096kB time=00:06:40.00 bitrate= 83.9kbits/s speed=10x",
      "frame=    0 fps=0.0 q=0.0 size=       0kB time=-00:00:00.05 bitrate=N/A speed=N/A    ",
      "frame=    7 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A speed=N/A    ",
      "frame=  abc fps= 10 q=1 size=1kB time=N/A bitrate=1",
      "frame=   12 fps=9",
      "size=  96kB time=6.02 bitrate= 130.6kbits/s",
      "size=  3KiB time=00:00:00.36 bitrate=  65.1kbits/s speed= 163x",
      "video:9kB audio:17kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: 10.5%",
  };
  return pool;
}

void ExpectSameUpdate(const ProgressUpdate& a, const ProgressUpdate& b) {
  EXPECT_EQ(a.endedEarly, b.endedEarly);
  EXPECT_EQ(a.values, b.values);
  EXPECT_EQ(a.totalTime, b.totalTime);
  EXPECT_EQ(a.percentage, b.percentage);
  EXPECT_EQ(a.statusText, b.statusText);
}

void RunSequence(unsigned seed) {
  std::mt19937 random(seed);
  auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
  const auto& pool = LinePool();
  auto anyLine = [&] { return pool[random() % pool.size()]; };

  const EncoderGeneration generation = chance(50) ? EncoderGeneration::Modern : EncoderGeneration::Classic;
  RunState run;
  run.FileNo = 1 + static_cast<int>(random() % 9);
  run.FileCount = 9;
  run.AudioOnly = chance(30);
  run.StartLimitOn = chance(30);
  run.DurationLimitOn = chance(30);
  run.DurationLimit = static_cast<std::int64_t>(random() % 30);
  MediaProbe probe;
  probe.Duration = static_cast<std::int32_t>(random() % 60);
  probe.FrameCount = probe.Duration * 25;
  const UiLanguage lang = chance(50) ? UiLanguage::Polish : UiLanguage::English;

  ProgressParser parser(generation);
  EncoderOutputLines incremental;
  EncoderOutputLines full;
  std::vector<std::string> incrementalPane;
  std::vector<std::string> fullPane;

  for (int call = 0; call < 400; ++call) {
    if (chance(3)) {
      // The job loop starts the next file; sometimes without telling the parser, which must
      // notice the shorter list itself (then at most one entry arrives before the call).
      incremental.clear();
      full.clear();
      if (chance(50)) {
        parser.Reset();
      } else {
        const std::string line = anyLine();
        incremental.push_back(line);
        full.push_back(line);
      }
    } else {
      const int changes = chance(80) ? 1 : 1 + static_cast<int>(random() % 4);
      for (int c = 0; c < changes; ++c) {
        const std::string line = anyLine();
        if (incremental.empty() || chance(45)) {
          incremental.push_back(line);
          full.push_back(line);
        } else {
          incremental.back() = line;
          full.back() = line;
        }
      }
    }
    const ProgressUpdate a = parser.Update(incremental, run, probe, lang);
    const ProgressUpdate b = ScanProgressFully(full, generation, run, probe, lang);
    ASSERT_EQ(incremental, full) << "seed " << seed << " call " << call;
    ExpectSameUpdate(a, b);
    if (!a.endedEarly) {
      ASSERT_LE(a.paneKeepLines, incrementalPane.size());
      incrementalPane.resize(a.paneKeepLines);
      incrementalPane.insert(incrementalPane.end(), a.paneNewLines.begin(), a.paneNewLines.end());
    }
    if (!b.endedEarly) fullPane = b.paneNewLines;
    ASSERT_EQ(incrementalPane, fullPane) << "seed " << seed << " call " << call;
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace

TEST(ProgressParserDifferential, IncrementalMatchesFullScanOverRandomSequences) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    RunSequence(seed);
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "first failing seed " << seed;
      return;
    }
  }
}

}  // namespace vardeno
