#include "probe/FileInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "base/PathSyntax.h"

namespace vardeno {

namespace {
// A folder and a file in the root, written with this system's separator.
const std::string kVideoDir = std::string(kPathSeparatorText) + "video";
const std::string kClipInVideo = JoinPath(kVideoDir, "clip.avi");
const std::string kClipInRoot = std::string(kPathSeparatorText) + "clip.avi";

MediaProbe TwoStreams() {
  MediaProbe probe;
  probe.FileName = kClipInVideo;
  probe.FileSize = 1536;
  probe.DurationText = "00:01:23.45";
  probe.FrameRate = 29.97;
  probe.Streams[0] = {true, "Stream #0.0: Video: mpeg4, yuv420p, 640x480, 25.00 fps(r)"};
  probe.Streams[1] = {true, "Stream #0:1[0x2](und): Audio: aac (LC), 44100 Hz, stereo"};
  return probe;
}
}  // namespace

TEST(FileInfo, ViewOfAProbe) {
  const FileInfoView view = MakeFileInfoView(TwoStreams());
  EXPECT_EQ(view.fileName, "clip.avi");
  EXPECT_EQ(view.directory, kVideoDir);
  EXPECT_EQ(view.sizeText, "1.50 KB");
  EXPECT_EQ(view.durationText, "00:01:23.45");
  EXPECT_EQ(view.fpsText, "29.97");
  ASSERT_EQ(view.streams.size(), 2u);
  EXPECT_EQ(view.streams[0].key, "Stream #0.0");
  EXPECT_EQ(view.streams[0].value, "Video: mpeg4, yuv420p, 640x480, 25.00 fps(r)");
  // A modern stream id holds a colon of its own.
  EXPECT_EQ(view.streams[1].key, "Stream #0:1[0x2](und)");
  EXPECT_EQ(view.streams[1].value, "Audio: aac (LC), 44100 Hz, stereo");
  EXPECT_EQ(MakeFileInfoView(TwoStreams(), ',').fpsText, "29,97");
}

TEST(FileInfo, FrameRateHasTwoDecimals) {
  MediaProbe probe;
  EXPECT_EQ(MakeFileInfoView(probe).fpsText, "0.00");
  probe.FrameRate = 25;
  EXPECT_EQ(MakeFileInfoView(probe).fpsText, "25.00");
  probe.FrameRate = 14.985;
  EXPECT_EQ(MakeFileInfoView(probe).fpsText, "14.99");
  probe.FrameRate = 0.004;
  EXPECT_EQ(MakeFileInfoView(probe).fpsText, "0.00");
}

TEST(FileInfo, SavedTextLines) {
  EXPECT_EQ(FileInfoText(MakeFileInfoView(TwoStreams())),
            "File: " + kClipInVideo + "\r\n"
            "File size: 1.50 KB\r\n"
            "Duration: 00:01:23.45\r\n"
            "FPS: 29.97\r\n"
            "Audio & Video streams:\r\n"
            "  Stream #0.0 - Video: mpeg4, yuv420p, 640x480, 25.00 fps(r)\r\n"
            "  Stream #0:1[0x2](und) - Audio: aac (LC), 44100 Hz, stereo\r\n");

  // No streams: six lines, the last one the empty row. A stream without ":" has an empty key.
  MediaProbe probe;
  probe.FileName = kClipInRoot;
  EXPECT_EQ(FileInfoText(MakeFileInfoView(probe), "\n"),
            "File: " + kClipInRoot + "\nFile size:  0 bytes\nDuration: \nFPS: 0.00\nAudio & Video streams:\n   - \n");
  probe.Streams[0] = {true, "no colon here"};
  EXPECT_EQ(MakeFileInfoView(probe).streams[0].key, "");
  EXPECT_EQ(MakeFileInfoView(probe).streams[0].value, "no colon here");
}

}  // namespace vardeno
