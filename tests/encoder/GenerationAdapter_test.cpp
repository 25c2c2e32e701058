#include "encoder/GenerationAdapter.h"

#include <gtest/gtest.h>

namespace vardeno {

namespace {
ArgumentPieces Classic() {
  ArgumentPieces p;
  p.videoCodec = "-vcodec mpeg4";
  p.videoParams = "-b 500k -r 29,97";
  p.audioCodec = "-acodec libfaac";
  p.audioParams = "-ab 128k -ar 44100 -ac 2 -vol 253";
  p.advanced = "-fs 1024 -t 90 -croptop 8 -cropleft 4 -cropright 4 -s 640x480";
  p.additional = "-b 1 -vol 2 -croptop 3";
  return p;
}
}  // namespace

TEST(GenerationAdapter, ClassicPiecesStayAsTheyAre) {
  EXPECT_EQ(AdaptPieces(Classic(), EncoderGeneration::Classic), Classic());
}

TEST(GenerationAdapter, ModernEquivalents) {
  const ArgumentPieces modern = AdaptPieces(Classic(), EncoderGeneration::Modern);
  EXPECT_EQ(modern.videoCodec, "-vcodec mpeg4");
  EXPECT_EQ(modern.videoParams, "-b:v 500k -r 29.97");
  EXPECT_EQ(modern.audioCodec, "-acodec aac");
  EXPECT_EQ(modern.audioParams, "-b:a 128k -ar 44100 -ac 2 -af volume=0.98828125");
  // The crop filter takes the place of the first crop option; the size still applies after it.
  EXPECT_EQ(modern.advanced, "-fs 1024 -t 90 -vf crop=iw-(4+4):ih-(8+0):4:8 -s 640x480");
  // The user's own text reaches the encoder untouched.
  EXPECT_EQ(modern.additional, "-b 1 -vol 2 -croptop 3");
}

TEST(GenerationAdapter, H264IsMadeBaselineFourTwoZeroForAModernEncoder) {
  ArgumentPieces p = Classic();
  p.videoCodec = "-vcodec libx264";
  EXPECT_EQ(AdaptPieces(p, EncoderGeneration::Modern).videoCodec,
            "-vcodec libx264 -profile:v baseline -pix_fmt yuv420p");
  EXPECT_EQ(AdaptPieces(p, EncoderGeneration::Classic).videoCodec, "-vcodec libx264");
}

TEST(GenerationAdapter, OtherCodecsAndEmptyPieces) {
  ArgumentPieces p;
  p.videoCodec = "-vn";
  p.audioCodec = "-acodec libmp3lame";
  const ArgumentPieces modern = AdaptPieces(p, EncoderGeneration::Modern);
  EXPECT_EQ(modern.audioCodec, "-acodec libmp3lame");
  EXPECT_EQ(modern.videoParams, "");
  EXPECT_EQ(modern.advanced, "");
  p.audioParams = "-ab 96k -ar 44100 -ac 2 -vol 0";
  EXPECT_EQ(AdaptPieces(p, EncoderGeneration::Modern).audioParams, "-b:a 96k -ar 44100 -ac 2 -af volume=0");
}

}  // namespace vardeno
