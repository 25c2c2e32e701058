// Probing real files made by the installed ffmpeg from its test sources, and the file size.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "platform/ArgumentText.h"
#include "platform/ExecutablePath.h"
#include "platform/SystemError.h"
#include "probe/Probe.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
const std::string kSources =
    "-f lavfi -i testsrc=duration=2:size=160x120:rate=25 -f lavfi -i sine=frequency=440:duration=2 ";

class RealFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (ResolveExecutablePath("ffmpeg").empty()) return;
    dir_ = std::make_unique<TempDir>();
    Make("a.mp4", kSources + "-c:v libx264 -c:a aac -shortest");
    Make("a.avi", kSources + "-c:v mpeg4 -c:a libmp3lame -shortest");
    Make("a.wmv", kSources + "-c:v wmv2 -c:a wmav2 -shortest");
    Make("two.mkv",
         "-f lavfi -i testsrc=duration=2:size=160x120:rate=25 -f lavfi -i testsrc=duration=2:size=320x240:rate=30 "
         "-map 0 -map 1 -c:v mpeg4");
    Make("a.mp3", "-f lavfi -i sine=duration=2 -c:a libmp3lame");
    Make("a.wav", "-f lavfi -i sine=duration=2");
    Make("a.ts", kSources + "-c:v mpeg2video -c:a mp2 -shortest");
    Make(kHostileName, kSources + "-c:v libx264 -c:a aac -shortest");
  }
  static void TearDownTestSuite() { dir_.reset(); }

  void SetUp() override {
    if (!dir_) GTEST_SKIP() << "ffmpeg is not installed";
  }

  static void Make(const std::string& name, const std::string& arguments) {
    std::vector<std::string> output;
    const std::uint32_t code =
        RunConsoleProcess("ffmpeg", "-v error -y " + arguments + " " + QuoteArgument(*dir_ / name), &output, {});
    ASSERT_EQ(code, 0u) << name;
  }

  static MediaProbe Probe(const std::string& name) { return ProbeMediaFile(*dir_ / name, "ffmpeg"); }

  static constexpr const char* kHostileName = "my \"clip\" it's $(touch pwned) `id` -ż.mp4";
  static std::unique_ptr<TempDir> dir_;
};
std::unique_ptr<TempDir> RealFiles::dir_;

void ExpectVideo(const MediaProbe& probe, const char* codec, int width, int height, double rate) {
  EXPECT_EQ(probe.VideoCodec, codec);
  EXPECT_EQ(probe.Width, width);
  EXPECT_EQ(probe.Height, height);
  EXPECT_DOUBLE_EQ(probe.FrameRate, rate);
}
}  // namespace

TEST_F(RealFiles, VideoContainers) {
  const MediaProbe mp4 = Probe("a.mp4");
  ExpectVideo(mp4, "h264", 160, 120, 25.0);
  EXPECT_EQ(mp4.AudioCodec, "aac");
  EXPECT_EQ(mp4.DurationText, "00:00:02.00");
  EXPECT_EQ(mp4.Duration, 2);
  EXPECT_EQ(mp4.StartTime, 0);
  EXPECT_EQ(mp4.FrameCount, 50);
  EXPECT_EQ(mp4.FileSize, std::filesystem::file_size(*dir_ / "a.mp4"));
  EXPECT_EQ(mp4.FileName, *dir_ / "a.mp4");
  EXPECT_TRUE(mp4.Streams[0].Present && mp4.Streams[1].Present && !mp4.Streams[2].Present);

  const MediaProbe avi = Probe("a.avi");
  ExpectVideo(avi, "mpeg4", 160, 120, 25.0);
  EXPECT_EQ(avi.AudioCodec, "mp3");
  EXPECT_EQ(avi.Duration, 2);
  EXPECT_EQ(avi.FrameCount, 50);

  const MediaProbe wmv = Probe("a.wmv");
  ExpectVideo(wmv, "wmv2", 160, 120, 25.0);
  EXPECT_EQ(wmv.AudioCodec, "wmav2");
  EXPECT_EQ(wmv.Duration, 2);
  EXPECT_EQ(wmv.FrameCount, 50);

  // Two video streams of different sizes: the second one counts.
  const MediaProbe mkv = Probe("two.mkv");
  ExpectVideo(mkv, "mpeg4", 320, 240, 30.0);
  EXPECT_EQ(mkv.AudioCodec, "");
  EXPECT_EQ(mkv.Duration, 2);
  EXPECT_EQ(mkv.FrameCount, 60);

  // An MPEG transport stream starts at 1.4 s; its duration is still the playing time.
  const MediaProbe ts = Probe("a.ts");
  ExpectVideo(ts, "mpeg2video", 160, 120, 25.0);
  EXPECT_EQ(ts.AudioCodec, "mp2");
  EXPECT_EQ(ts.StartTime, 1);
  EXPECT_EQ(ts.Duration, 2);
  EXPECT_EQ(ts.FrameCount, 50);
}

TEST_F(RealFiles, AudioOnlyFiles) {
  const MediaProbe mp3 = Probe("a.mp3");
  EXPECT_EQ(mp3.AudioCodec, "mp3");
  ExpectVideo(mp3, "", 0, 0, 0.0);
  EXPECT_EQ(mp3.Duration, 2);
  EXPECT_EQ(mp3.StartTime, 0);
  EXPECT_EQ(mp3.FrameCount, 0);

  const MediaProbe wav = Probe("a.wav");
  EXPECT_EQ(wav.AudioCodec, "pcm_s16le");
  EXPECT_EQ(wav.DurationText, "00:00:02.00");
  EXPECT_EQ(wav.Duration, 2);
  EXPECT_EQ(wav.StartTime, 0);
  EXPECT_TRUE(wav.Streams[0].Present);
  EXPECT_FALSE(wav.Streams[1].Present);
}

TEST_F(RealFiles, FileNameWithQuotesAndShellCharacters) {
  const MediaProbe probe = Probe(kHostileName);
  EXPECT_EQ(probe.FileName, *dir_ / kHostileName);
  ExpectVideo(probe, "h264", 160, 120, 25.0);
  EXPECT_EQ(probe.AudioCodec, "aac");
  EXPECT_EQ(probe.FrameCount, 50);
  EXPECT_FALSE(std::filesystem::exists(*dir_ / "pwned"));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST(ProbeMediaFile, MissingInputOrEncoderGivesOnlyNameAndSize) {
  const TempDir dir;
  const std::string input = dir.Write("clip.avi", std::string(1234, 'x'));
  const MediaProbe noEncoder = ProbeMediaFile(input, dir / "no-ffmpeg");
  EXPECT_EQ(noEncoder.FileName, input);
  EXPECT_EQ(noEncoder.FileSize, 1234u);
  EXPECT_EQ(noEncoder.DurationText, "");
  EXPECT_FALSE(noEncoder.Streams[0].Present);

  const std::string longMissing = dir / std::string(600, 'n');
  const MediaProbe noInput = ProbeMediaFile(longMissing, "ffmpeg");
  EXPECT_EQ(noInput.FileName, longMissing.substr(0, 511));
  EXPECT_EQ(noInput.FileSize, 0u);
  EXPECT_EQ(noInput.Duration, 0);
  EXPECT_EQ(ProbeMediaFile(dir.Path().string(), "ffmpeg").FileSize, 0u);  // a folder is no input

  // An encoder that cannot be started is the runner's system error.
  const std::string notExecutable = dir.Write("ffmpeg-copy", "not a program");
  EXPECT_THROW(ProbeMediaFile(input, notExecutable, EncoderGeneration::Modern), SystemError);
}

// An encoder that never ends is ended after the time limit: the probe returns what is known
// instead of freezing the window that asked.
TEST(ProbeMediaFile, EncoderThatNeverEndsGivesWhatItPrinted) {
  const TempDir dir;
  const std::string input = dir.Write("clip.avi", std::string(1234, 'x'));
  const std::string hanging =
      dir.Write("hanging-ffmpeg", "#!/bin/sh\necho '  Duration: 00:00:08.00, start: 0.000000, bitrate: 111 kb/s'\nexec sleep 600\n");
  chmod(hanging.c_str(), 0755);
  int idleCalls = 0;
  const MediaProbe probe = ProbeMediaFile(input, hanging, EncoderGeneration::Modern, [&] { ++idleCalls; });
  EXPECT_EQ(probe.FileSize, 1234u);
  EXPECT_EQ(probe.DurationText, "00:00:08.00");
  EXPECT_GT(idleCalls, 0);  // the caller's own handler still runs while it waits
}

TEST(GetFileSizeBytes, SizesBeyond4GiBAndWhatIsNoFile) {
  const TempDir dir;
  const std::string big = dir / "big.bin";
  const int fd = open(big.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  const off_t size = (off_t{5} << 30) + 7;  // sparse: takes no room
  ASSERT_EQ(ftruncate(fd, size), 0);
  close(fd);
  EXPECT_EQ(GetFileSizeBytes(big), static_cast<std::uint64_t>(size));

  EXPECT_EQ(GetFileSizeBytes(dir / "missing"), 0u);
  EXPECT_EQ(GetFileSizeBytes(dir.Path().string()), 0u);
  const std::string fifo = dir / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(GetFileSizeBytes(fifo), 0u);  // returns at once instead of waiting for a writer
}

}  // namespace vardeno
