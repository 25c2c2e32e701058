#include "conversion/ProgressHandler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vardeno {

namespace {

struct FakeEvents : PendingEvents {
  void ProcessPendingEvents() override {
    ++calls;
    log->push_back("events");
    if (clickAbortOnCall == calls) run->AbortRequested = true;
  }
  RunState* run = nullptr;
  std::vector<std::string>* log = nullptr;
  int calls = 0;
  int clickAbortOnCall = -1;
};

struct FakeDisplay : ProgressDisplay {
  void ShowProgress(const ProgressUpdate& update) override {
    log->push_back("show");
    shown.push_back(update);
    pane.resize(update.paneKeepLines);
    pane.insert(pane.end(), update.paneNewLines.begin(), update.paneNewLines.end());
  }
  std::vector<std::string>* log = nullptr;
  std::vector<ProgressUpdate> shown;
  std::vector<std::string> pane;
};

struct Harness {
  EncoderOutputLines lines;
  RunState run;
  MediaProbe probe;
  UiLanguage language = UiLanguage::English;
  std::vector<std::string> log;
  std::vector<std::string> terminated;
  FakeEvents events;
  FakeDisplay display;
  ProgressHandler handler{ProgressSources{lines, run, probe, language}, events, display,
                          [this](const std::string& path) {
                            log.push_back("terminate");
                            terminated.push_back(path);
                            return true;
                          }};
  Harness() {
    events.run = &run;
    events.log = &log;
    display.log = &log;
    run.Running = true;
    run.FileNo = 1;
    run.FileCount = 3;
    probe.Duration = 40;
    probe.FrameCount = 1000;
    handler.SetEncoder("/usr/bin/ffmpeg", EncoderGeneration::Modern);
  }
};

const std::string kStatus =
    "frame=  250 fps= 25 q=5.0 size=    1024kB time=00:00:10.00 bitrate= 838.9kbits/s speed=1x    ";

}  // namespace

TEST(ProgressHandler, EachPieceLetsEventsThroughThenShowsTheParsedState) {
  Harness h;
  h.lines = {"ffmpeg version 5.1", "Input #0, avi, from 'a.avi':", kStatus};
  h.handler.LineHandler()(ChildProcess{42}, kStatus);
  EXPECT_EQ(h.log, (std::vector<std::string>{"events", "show"}));
  ASSERT_EQ(h.display.shown.size(), 1u);
  EXPECT_EQ(h.display.shown[0].percentage, 25);
  EXPECT_EQ(h.display.pane, (std::vector<std::string>{"Input #0, avi, from 'a.avi':", kStatus}));
  EXPECT_TRUE(h.terminated.empty());
}

TEST(ProgressHandler, AbortEndsTheEncoderOnEveryCallUntilTheRunStops) {
  Harness h;
  h.events.clickAbortOnCall = 2;  // the click is handled inside the second call
  h.lines = {"Input #0"};
  h.handler.OnOutput();
  EXPECT_TRUE(h.terminated.empty());
  h.lines.push_back(kStatus);
  h.handler.OnOutput();
  EXPECT_EQ(h.log, (std::vector<std::string>{"events", "show", "events", "terminate", "show"}));
  EXPECT_EQ(h.terminated, (std::vector<std::string>{"/usr/bin/ffmpeg"}));
  h.lines.back() = kStatus;
  h.handler.OnOutput();
  EXPECT_EQ(h.terminated.size(), 2u);
  // A silent encoder is ended through the idle calls too, without any parsing.
  h.handler.Idle()();
  EXPECT_EQ(h.terminated.size(), 3u);
  EXPECT_EQ(h.display.shown.size(), 3u);
  EXPECT_EQ(h.log.back(), "terminate");
}

TEST(ProgressHandler, MultipleFramesLeavesTheDisplayUntouched) {
  Harness h;
  h.lines = {kStatus};
  h.handler.OnOutput();
  h.lines.push_back("Multiple frames in a packet from stream 0");
  h.handler.OnOutput();
  EXPECT_EQ(h.display.shown.size(), 1u);
  EXPECT_EQ(h.lines, (EncoderOutputLines{kStatus}));
  EXPECT_EQ(h.events.calls, 2);
}

TEST(ProgressHandler, NextFileRefillsThePaneAndFollowsTheLanguage) {
  Harness h;
  h.lines = {"first file", kStatus};
  h.handler.OnOutput();
  h.lines.clear();
  h.handler.StartFile();
  h.run.FileNo = 2;
  h.language = UiLanguage::Polish;
  h.lines = {"second file"};
  h.handler.OnOutput();
  EXPECT_EQ(h.display.pane, (std::vector<std::string>{"second file"}));
  EXPECT_EQ(h.display.shown.back().statusText,
            "Konwertowanie pliku: 2 / 3  ::::  Szybkość:  klatek/sek  ::::  Klatka 0 / ~1000  ::::  "
            "Zakończono: 0 %");
}

}  // namespace vardeno
