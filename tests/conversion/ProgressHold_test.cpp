// With a modern encoder the progress shown for one file never moves backwards: FFmpeg 7's flush
// ("time=N/A", then summary lines in place of the status line) leaves what was shown.
#include "conversion/ProgressHold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "conversion/ProgressHandler.h"
#include "support/ConsoleFeed.h"

namespace vardeno {

namespace {

std::string ReadData(const std::string& name) {
  std::ifstream in(std::string(VARDENO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct NoEvents : PendingEvents {
  void ProcessPendingEvents() override {}
};

struct Shown : ProgressDisplay {
  void ShowProgress(const ProgressUpdate& update) override {
    updates.push_back(update);
    pane.resize(update.paneKeepLines);
    pane.insert(pane.end(), update.paneNewLines.begin(), update.paneNewLines.end());
  }
  std::vector<ProgressUpdate> updates;
  std::vector<std::string> pane;
};

// Feeds captured console bytes through the progress handler as the runner would deliver them.
Shown Replay(const std::string& bytes, EncoderGeneration generation) {
  EncoderOutputLines lines;
  RunState run;
  run.Running = true;
  run.FileNo = 1;
  run.FileCount = 1;
  MediaProbe probe;
  probe.Duration = 40;
  probe.FrameCount = 1000;
  UiLanguage language = UiLanguage::English;
  NoEvents events;
  Shown shown;
  ProgressHandler handler({lines, run, probe, language}, events, shown, {});
  handler.SetEncoder("/usr/bin/ffmpeg", generation);
  handler.StartFile();
  ConsoleFeed feed(lines, [&] { handler.OnOutput(); });
  feed.Write(bytes);
  feed.Finish();
  return shown;
}

bool PaneHas(const Shown& shown, const std::string& start) {
  for (const std::string& line : shown.pane)
    if (line.rfind(start, 0) == 0) return true;
  return false;
}

}  // namespace

TEST(ProgressHold, Ffmpeg7FlushNeverMovesTheShownProgressBack) {
  const std::string bytes = ReadData("ffmpeg71_h264_run.txt");
  ASSERT_FALSE(bytes.empty());
  const Shown shown = Replay(bytes, EncoderGeneration::Modern);
  ASSERT_GT(shown.updates.size(), 20u);
  int highest = 0;
  for (std::size_t i = 1; i < shown.updates.size(); ++i) {
    const ProgressUpdate& before = shown.updates[i - 1];
    const ProgressUpdate& now = shown.updates[i];
    EXPECT_GE(now.percentage, before.percentage) << now.statusText;
    EXPECT_GE(now.values.frameNumber, before.values.frameNumber) << now.statusText;
    if (!before.values.speedText.empty()) {
      EXPECT_FALSE(now.values.speedText.empty()) << now.statusText;
    }
    highest = std::max(highest, now.percentage);
  }
  EXPECT_GT(highest, 80);
  // The summary stood alone in the list for a moment: the last status line stayed on display.
  bool sawFlushMoment = false;
  for (const ProgressUpdate& update : shown.updates) {
    if (!update.paneNewLines.empty() && update.paneNewLines.back().rfind("[out#0/mp4 @", 0) == 0) {
      sawFlushMoment = true;
      EXPECT_EQ(update.statusText,
                "Converting file: 1 / 1  ::::  Speed: 135 frames/sec  ::::  Frame 880 / ~1000  ::::  Complete: 88 %");
    }
  }
  EXPECT_TRUE(sawFlushMoment);
  EXPECT_EQ(shown.updates.back().percentage, 100);
  EXPECT_EQ(shown.updates.back().statusText,
            "Converting file: 1 / 1  ::::  Speed: 138 frames/sec  ::::  Frame 1000 / ~1000  ::::  Complete: 100 %");
  // Nothing the encoder said is lost from the pane.
  EXPECT_TRUE(PaneHas(shown, "[out#0/mp4 @ 0x555557eebe80] video:2290KiB audio:415KiB"));
  EXPECT_TRUE(PaneHas(shown, "frame= 1000 fps=138 q=-1.0 Lsize="));
  EXPECT_TRUE(PaneHas(shown, "[libx264 @ 0x555557ec6000] frame I:4"));
  EXPECT_TRUE(PaneHas(shown, "[aac @ 0x555557ec7380] Qavg: 612.358"));
}

TEST(ProgressHold, ClassicEncoderOutputIsShownExactlyAsRead) {
  // The same bytes read the classic way: every call shows what its own list holds, so the
  // summary's moment shows frame 0 and 0 %.
  const Shown shown = Replay(ReadData("ffmpeg71_h264_run.txt"), EncoderGeneration::Classic);
  bool droppedToZero = false;
  for (std::size_t i = 1; i < shown.updates.size(); ++i)
    droppedToZero = droppedToZero ||
                    (shown.updates[i - 1].values.frameNumber > 0 && shown.updates[i].values.frameNumber == 0);
  EXPECT_TRUE(droppedToZero);
}

TEST(ProgressHold, ATimeBackInReachKeepsFrameAndPercentageFromDropping) {
  RunState run;
  run.FileNo = 1;
  run.FileCount = 2;
  MediaProbe probe;
  probe.Duration = 100;
  probe.FrameCount = 2500;
  ProgressHold hold;
  const auto apply = [&](std::int32_t frame, std::string speed, std::int64_t time, std::int32_t percentage) {
    ProgressUpdate update;
    update.values = {frame, std::move(speed), time};
    update.percentage = percentage;
    hold.Apply(update, EncoderGeneration::Modern, run, probe, UiLanguage::Polish);
    return update;
  };
  apply(500, "25", 20, 20);
  // Audio-only status lines give no frame and no speed: both stay, the time moves on.
  ProgressUpdate update = apply(0, "", 30, 30);
  EXPECT_EQ(update.values.frameNumber, 500);
  EXPECT_EQ(update.values.speedText, "25");
  EXPECT_EQ(update.percentage, 30);
  EXPECT_EQ(update.statusText,
            "Konwertowanie pliku: 1 / 2  ::::  Szybkość: 25 klatek/sek  ::::  Klatka 500 / ~2500  ::::  Zakończono: 30 %");
  // A time read lower than before (a negative start time, a rounding) does not lower the bar.
  update = apply(510, "26", -1000, 0);
  EXPECT_EQ(update.percentage, 30);
  EXPECT_EQ(update.values.speedText, "26");
  // Next file: nothing is held over.
  hold.Reset();
  update = apply(0, "", -1, 0);
  EXPECT_EQ(update.values.frameNumber, 0);
  EXPECT_EQ(update.percentage, 0);
  EXPECT_EQ(update.statusText,
            "Konwertowanie pliku: 1 / 2  ::::  Szybkość:  klatek/sek  ::::  Klatka 0 / ~2500  ::::  Zakończono: 0 %");
}

}  // namespace vardeno
