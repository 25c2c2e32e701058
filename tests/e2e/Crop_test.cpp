// The modern crop filter removes exactly the pixels the four crop settings name.
#include <gtest/gtest.h>

#include <sstream>

#include "encoder/ArgumentBuilder.h"
#include "encoder/GenerationAdapter.h"
#include "support/Command.h"
#include "support/RecordingWarnings.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
std::vector<std::string> Words(const std::string& piece) {
  std::vector<std::string> words;
  std::istringstream in(piece);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}
}  // namespace

TEST(CropEndToEnd, CropOf8_0_4_4CutsExactlyThosePixels) {
  TempDir dir;
  const std::string input = dir / "in.mp4";
  ASSERT_EQ(RunCommand({"ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc=duration=0.2:size=320x240:rate=10",
                        "-pix_fmt", "yuv420p", input})
                .exitCode,
            0);

  EncoderSettings s;
  s.OutputFormat = 2;  // MPEG-4 in MP4
  s.DoNotCopyAudio = true;
  s.CropTop = 8;
  s.CropBottom = 0;
  s.CropLeft = 4;
  s.CropRight = 4;
  RecordingWarnings w;
  const auto pieces = BuildArgumentPieces(s, MakeResolutionList(BuiltInResolutions()), UiLanguage::English, w);
  ASSERT_TRUE(pieces.has_value());
  const ArgumentPieces modern = AdaptPieces(*pieces, EncoderGeneration::Modern);

  std::vector<std::string> argv = {"ffmpeg", "-v", "error", "-y", "-i", input};
  for (const std::string* piece : {&modern.videoCodec, &modern.videoParams, &modern.audioCodec, &modern.audioParams,
                                   &modern.advanced, &modern.additional})
    for (const std::string& word : Words(*piece)) argv.push_back(word);
  const std::string output = dir / "out.mp4";
  argv.push_back(output);
  const CommandResult run = RunCommand(argv);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(ProbeVideoSize(output), "312x232");
}

}  // namespace vardeno
