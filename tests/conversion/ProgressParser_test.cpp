#include "conversion/ProgressParser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/StringUtil.h"
#include "support/ConsoleFeed.h"

namespace vardeno {

namespace {

constexpr const char* kClassicLine =
    "frame=  250 fps= 25 q=5.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s";

struct Fixture {
  RunState run;
  MediaProbe probe;
  EncoderOutputLines lines;
  ProgressParser parser{EncoderGeneration::Classic};

  Fixture() {
    run.FileNo = 2;
    run.FileCount = 5;
    probe.Duration = 40;
    probe.FrameCount = 1000;
  }
  ProgressUpdate Update(UiLanguage lang = UiLanguage::English) {
    return parser.Update(lines, run, probe, lang);
  }
};

std::string ReadData(const std::string& name) {
  std::ifstream in(std::string(VARDENO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(ProgressParser, ClassicLineGivesFrameSpeedTimeAndPercentage) {
  Fixture f;
  f.lines = {kClassicLine};
  const ProgressUpdate u = f.Update();
  EXPECT_FALSE(u.endedEarly);
  EXPECT_EQ(u.values.frameNumber, 250);
  EXPECT_EQ(u.values.speedText, "25");
  EXPECT_EQ(u.values.encodedTime, 10);
  EXPECT_EQ(u.totalTime, 40);
  EXPECT_EQ(u.percentage, 25);
  EXPECT_EQ(u.statusText,
            "Converting file: 2 / 5  ::::  Speed: 25 frames/sec  ::::  Frame 250 / ~1000  ::::  Complete: 25 %");
  f.parser.Reset();
  EXPECT_EQ(f.Update(UiLanguage::Polish).statusText,
            "Konwertowanie pliku: 2 / 5  ::::  Szybkość: 25 klatek/sek  ::::  Klatka 250 / ~1000  ::::  "
            "Zakończono: 25 %");
}

TEST(ProgressParser, DurationLimitReplacesTheProbedDurationAndPercentageIsClamped) {
  Fixture f;
  f.run.DurationLimitOn = true;
  f.run.DurationLimit = 20;
  f.lines = {kClassicLine};
  EXPECT_EQ(f.Update().percentage, 50);
  f.run.DurationLimit = 5;  // 200 % is shown as 100
  EXPECT_EQ(f.Update().percentage, 100);
  f.run.DurationLimitOn = false;  // back to the probed 40 s
  EXPECT_EQ(f.Update().percentage, 25);
  f.probe.Duration = 0;  // nothing to measure against
  EXPECT_EQ(f.Update().percentage, 0);
  f.run.DurationLimitOn = true;
  f.run.DurationLimit = -1;
  EXPECT_EQ(f.Update().percentage, 0);
}

TEST(ProgressParser, PercentageRoundsHalvesToEven) {
  EXPECT_EQ(ProgressPercentage(1, 8), 12);   // 12.5
  EXPECT_EQ(ProgressPercentage(3, 8), 38);   // 37.5
  EXPECT_EQ(ProgressPercentage(1, 200), 0);  // 0.5
  EXPECT_EQ(ProgressPercentage(3, 200), 2);  // 1.5
  EXPECT_EQ(ProgressPercentage(2, 3), 67);
  EXPECT_EQ(ProgressPercentage(0, 10), 0);
  EXPECT_EQ(ProgressPercentage(-5, 10), 0);
  EXPECT_EQ(ProgressPercentage(5, -10), 0);
  EXPECT_EQ(ProgressPercentage(INT64_MAX, 1), 100);
}

TEST(ProgressParser, ModernClockTimeCountsWhereTheClassicReadingFoundNoNumber) {
  Fixture f;
  f.probe.Duration = 125;
  f.lines = {"frame= 1562 fps= 25 q=5.0 size=    1024kB time=00:01:02.50 bitrate= 838.9kbits/s"};
  const ProgressUpdate u = f.Update();
  EXPECT_EQ(u.values.frameNumber, 1562);
  EXPECT_EQ(u.values.speedText, "25");
  EXPECT_EQ(u.values.encodedTime, 62);
  EXPECT_EQ(u.percentage, 50);  // 62 x 100 / 125 = 49.6
}

TEST(ProgressParser, NegativeAndMissingTimesGiveNoPercentage) {
  Fixture f;
  f.lines = {"frame=    0 fps=0.0 q=0.0 size=       0kB time=-00:00:00.05 bitrate=N/A speed=N/A    "};
  ProgressUpdate u = f.Update();
  EXPECT_EQ(u.values.encodedTime, 0);
  EXPECT_EQ(u.percentage, 0);
  f.lines = {"frame=    3 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A speed=N/A    "};
  u = f.Update();
  EXPECT_EQ(u.values.frameNumber, 3);
  EXPECT_EQ(u.values.encodedTime, -1);
  EXPECT_EQ(u.percentage, 0);
}

TEST(ProgressParser, AudioOnlyOutputShowsTheShortStatusOrSeeking) {
  Fixture f;
  f.run.AudioOnly = true;
  f.probe.Duration = 12;
  f.lines = {"size=  96kB time=6.02 bitrate= 130.6kbits/s"};
  ProgressUpdate u = f.Update();
  EXPECT_EQ(u.values.frameNumber, 0);
  EXPECT_EQ(u.values.speedText, "");
  EXPECT_EQ(u.percentage, 50);
  EXPECT_EQ(u.statusText, "Converting file: 2 / 5");
  EXPECT_EQ(f.Update(UiLanguage::Polish).statusText, "Konwertowanie pliku: 2 / 5");
  // With a start offset the frame number never leaves 0: "seeking" for the whole file.
  f.run.StartLimitOn = true;
  u = f.Update();
  EXPECT_EQ(u.statusText, "Seeking start position...");
  EXPECT_EQ(u.percentage, 50);
  EXPECT_EQ(f.Update(UiLanguage::Polish).statusText, "Wyszukiwanie pozycji startowej...");
}

TEST(ProgressParser, SeekingOnlyUntilTheFirstFrameWithVideo) {
  Fixture f;
  f.run.StartLimitOn = true;
  f.lines = {"frame=    0 fps=0.0 q=0.0 size=       0kB time=00:00:00.00 bitrate=N/A speed=N/A    "};
  EXPECT_EQ(f.Update().statusText, "Seeking start position...");
  f.lines.back() = "frame=   12 fps=0.0 q=0.0 size=       0kB time=00:00:00.48 bitrate=N/A speed=N/A    ";
  EXPECT_EQ(f.Update().statusText,
            "Converting file: 2 / 5  ::::  Speed: 0.0 frames/sec  ::::  Frame 12 / ~1000  ::::  Complete: 0 %");
}

TEST(ProgressParser, FrameCountIsWrittenUnsigned) {
  Fixture f;
  f.probe.FrameCount = -1;
  f.lines = {kClassicLine};
  EXPECT_NE(f.Update().statusText.find("Frame 250 / ~4294967295"), std::string::npos);
}

TEST(ProgressParser, EarliestProgressLineWinsFieldByField) {
  Fixture f;
  f.lines = {"frame=  abc fps= 10 q=1 size=1kB time=N/A bitrate=1",  // only a speed
             "some warning",
             "frame=  200 fps= 20 q=1 size=2kB time=N/A bitrate=1",  // no readable time
             "frame=  300 fps= 30 q=1 size=3kB time=12.00 bitrate=1"};
  const ProgressUpdate u = f.Update();
  EXPECT_EQ(u.values.frameNumber, 200);
  EXPECT_EQ(u.values.speedText, "10");
  EXPECT_EQ(u.values.encodedTime, 12);
  EXPECT_EQ(f.lines.size(), 4u);
}

TEST(ProgressParser, MultipleFramesLineEndsTheCallWithoutUpdating) {
  Fixture f;
  f.lines = {"Input #0, avi, from 'a.avi':", "", "FFmpeg version SVN", kClassicLine,
             "Multiple frames in a packet from stream 1"};
  ProgressUpdate u = f.Update();
  EXPECT_TRUE(u.endedEarly);
  EXPECT_EQ(u.statusText, "");
  EXPECT_TRUE(u.paneNewLines.empty());
  // Only the entry itself went; the lines before it are scanned on the next call.
  EXPECT_EQ(f.lines, (EncoderOutputLines{"Input #0, avi, from 'a.avi':", "", "FFmpeg version SVN", kClassicLine}));
  u = f.Update();
  EXPECT_FALSE(u.endedEarly);
  EXPECT_EQ(f.lines, (EncoderOutputLines{"Input #0, avi, from 'a.avi':", kClassicLine}));
  EXPECT_EQ(u.percentage, 25);
  EXPECT_EQ(u.paneKeepLines, 0u);
  EXPECT_EQ(u.paneNewLines, f.lines);
  // Entries after the stop are filtered in the same call; entries before it wait.
  f.lines.push_back("");
  f.lines.push_back("multiple frames in a packet from stream 0");
  f.lines.push_back("  built on today");
  f.lines.push_back("kept");
  EXPECT_TRUE(f.Update().endedEarly);
  EXPECT_EQ(f.lines, (EncoderOutputLines{"Input #0, avi, from 'a.avi':", kClassicLine, "", "kept"}));
  u = f.Update();
  EXPECT_EQ(f.lines, (EncoderOutputLines{"Input #0, avi, from 'a.avi':", kClassicLine, "kept"}));
  EXPECT_EQ(u.paneKeepLines, 2u);
  EXPECT_EQ(u.paneNewLines, (std::vector<std::string>{"kept"}));
}

TEST(ProgressParser, ARewrittenLastEntryReplacesWhatIsNowLast) {
  // A deleted noise entry leaves a kept line last; the runner's next rewrite of "the last
  // entry" then takes that line's place, and its values no longer count.
  Fixture f;
  f.lines = {"warning A", "frame=  100 fps= 10 q=1 size=1kB time=8.00 bitrate=1"};
  ProgressUpdate u = f.Update();
  EXPECT_EQ(u.values.frameNumber, 100);
  f.lines.push_back("   ");
  u = f.Update();
  EXPECT_EQ(f.lines.size(), 2u);
  EXPECT_EQ(u.paneKeepLines, 2u);
  EXPECT_TRUE(u.paneNewLines.empty());
  f.lines.back() = "frame=  150 fps= 15 q=1 size=1kB time=12.00 bitrate=1";
  u = f.Update();
  EXPECT_EQ(u.values.frameNumber, 150);
  EXPECT_EQ(u.values.speedText, "15");
  EXPECT_EQ(u.percentage, 30);
  EXPECT_EQ(u.paneKeepLines, 1u);
  EXPECT_EQ(u.paneNewLines, (std::vector<std::string>{f.lines.back()}));
  // Rewritten into a line without progress values: the values go back to their start.
  f.lines.back() = "just text";
  u = f.Update();
  EXPECT_EQ(u.values, ProgressValues{});
  EXPECT_EQ(u.percentage, 0);
}

TEST(ProgressParser, AnEmptiedListIsNoticedAndTheWholePaneRefilled) {
  Fixture f;
  f.lines = {"a", "b", kClassicLine};
  f.Update();
  f.lines = {"c"};  // the next file, without Reset()
  ProgressUpdate u = f.Update();
  EXPECT_EQ(u.values, ProgressValues{});
  EXPECT_EQ(u.paneKeepLines, 0u);
  EXPECT_EQ(u.paneNewLines, (std::vector<std::string>{"c"}));
}

namespace {

// Replays captured bytes piece by piece and returns the last update and the pane as a view
// that applies every update would show it.
struct Replay {
  ProgressUpdate last;
  std::vector<std::string> pane;
  int calls = 0;
};

Replay ReplayCapture(const std::string& bytes, EncoderGeneration generation, const RunState& run,
                     const MediaProbe& probe) {
  Replay replay;
  EncoderOutputLines lines;
  ProgressParser parser(generation);
  ConsoleFeed feed(lines, [&] {
    ProgressUpdate u = parser.Update(lines, run, probe, UiLanguage::English);
    ++replay.calls;
    if (u.endedEarly) return;
    replay.pane.resize(u.paneKeepLines);
    replay.pane.insert(replay.pane.end(), u.paneNewLines.begin(), u.paneNewLines.end());
    EXPECT_EQ(replay.pane, lines);
    replay.last = std::move(u);
  });
  feed.Write(bytes);
  feed.Finish();
  return replay;
}

}  // namespace

TEST(ProgressParser, RealModernVideoRunLosesItsBannerAndEndsAtFullProgress) {
  const std::string bytes = ReadData("ffmpeg51_mp4_run.txt");
  ASSERT_FALSE(bytes.empty());
  RunState run;
  run.FileNo = 1;
  run.FileCount = 1;
  MediaProbe probe;
  probe.Duration = 2;
  probe.FrameCount = 50;
  const Replay replay = ReplayCapture(bytes, EncoderGeneration::Modern, run, probe);
  EXPECT_GT(replay.calls, 50);
  for (const std::string& line : replay.pane) {
    EXPECT_FALSE(StartsWith(ToLowerAscii(line), "ffmpeg version")) << line;
    EXPECT_FALSE(StartsWith(line, "  lib")) << line;
    EXPECT_FALSE(StartsWith(line, "  built with")) << line;
    EXPECT_FALSE(StartsWith(line, "  configuration:")) << line;
    EXPECT_FALSE(StartsWith(line, "Press [q]")) << line;
    EXPECT_FALSE(Trim(line).empty());
  }
  ASSERT_GE(replay.pane.size(), 3u);
  EXPECT_EQ(replay.pane.front(), "Input #0, lavfi, from 'testsrc=duration=2:size=160x120:rate=25':");
  EXPECT_EQ(replay.pane.back(), "[aac @ 0x560f5bd6df40] Qavg: 850.860");
  EXPECT_EQ(replay.last.values.frameNumber, 50);
  EXPECT_EQ(replay.last.values.speedText, "24");
  EXPECT_EQ(replay.last.values.encodedTime, 2);
  EXPECT_EQ(replay.last.percentage, 100);
  EXPECT_EQ(replay.last.statusText,
            "Converting file: 1 / 1  ::::  Speed: 24 frames/sec  ::::  Frame 50 / ~50  ::::  Complete: 100 %");

  // Read as a classic encoder's output, the modern banner lines stay in the pane.
  const Replay classic = ReplayCapture(bytes, EncoderGeneration::Classic, run, probe);
  EXPECT_EQ(classic.pane.front(), "  built with gcc 12 (Debian 12.2.0-14+deb12u1)");
  EXPECT_EQ(classic.pane.size(), replay.pane.size() + 6);
}

TEST(ProgressParser, RealModernAudioRunFollowsTheTime) {
  const std::string bytes = ReadData("ffmpeg51_mp3_run.txt");
  ASSERT_FALSE(bytes.empty());
  RunState run;
  run.FileNo = 3;
  run.FileCount = 4;
  run.AudioOnly = true;
  MediaProbe probe;
  probe.Duration = 4;  // the clip has 2 s
  const Replay replay = ReplayCapture(bytes, EncoderGeneration::Modern, run, probe);
  EXPECT_EQ(replay.last.values.frameNumber, 0);
  EXPECT_EQ(replay.last.values.encodedTime, 2);
  EXPECT_EQ(replay.last.percentage, 50);
  EXPECT_EQ(replay.last.statusText, "Converting file: 3 / 4");
}

}  // namespace vardeno
