#include "encoder/PreviewLine.h"

#include <gtest/gtest.h>

#include "support/RecordingWarnings.h"

namespace vardeno {

namespace {
const ResolutionList kResolutions = MakeResolutionList(BuiltInResolutions());

PreviewLine Preview(const EncoderSettings& s, RecordingWarnings& w,
                    EncoderGeneration g = EncoderGeneration::Classic) {
  return BuildPreviewLine(s, kResolutions, g, UiLanguage::English, w);
}
}  // namespace

TEST(PreviewLine, DefaultLinesOfThreeFormats) {
  RecordingWarnings w;
  EncoderSettings s;
  EXPECT_EQ(Preview(s, w).line,
            "-y -i <input_file> -vcodec libx264 -b 500k -r 25 -acodec libfaac -ab 96k -ar 44100 -ac 2 <output_file>");
  s.OutputFormat = 8;
  EXPECT_EQ(Preview(s, w).line, "-y -i <input_file> -vn  -acodec libmp3lame -ab 96k -ar 44100 -ac 2 <output_file>");
  s.OutputFormat = 1;
  s.DoNotCopyAudio = true;
  EXPECT_EQ(Preview(s, w).line, "-y -i <input_file> -vcodec wmv2 -b 500k -r 25 -an  <output_file>");
  EXPECT_TRUE(w.shown.empty());
  EXPECT_FALSE(Preview(s, w).anyRefused);
}

TEST(PreviewLine, RefusedPiecesAreEmptiedAndEveryWarningShown) {
  RecordingWarnings w;
  EncoderSettings s;
  s.VideoBitrate = "";
  s.AudioSampling = -1;
  const PreviewLine p = Preview(s, w);
  EXPECT_TRUE(p.anyRefused);
  EXPECT_EQ(w.shown.size(), 2u);
  // The empty video piece leaves two blanks between the codecs.
  EXPECT_EQ(p.line, "-y -i <input_file> -vcodec libx264  -acodec libfaac  <output_file>");
}

TEST(PreviewLine, AdditionalParametersComeLast) {
  RecordingWarnings w;
  EncoderSettings s;
  s.TimeLimitDuration = true;
  s.TimeLimitDS = 5;
  s.AdditionalParams = {"-threads 2"};
  EXPECT_EQ(Preview(s, w).line,
            "-y -i <input_file> -vcodec libx264 -b 500k -r 25 -acodec libfaac -ab 96k -ar 44100 -ac 2 -t 5 "
            "-threads 2 <output_file>");
}

TEST(PreviewLine, ThreeBlanksBecomeOneInOnePass) {
  ArgumentPieces p;  // all empty: seven blanks between the placeholders' neighbours
  EXPECT_EQ(JoinPreviewLine(p), "-y -i <input_file>   <output_file>");
  p.videoCodec = "-vn";
  p.additional = "a    b";  // five blanks after "-vn" leave three; a run of four becomes two
  EXPECT_EQ(JoinPreviewLine(p), "-y -i <input_file> -vn   a  b <output_file>");
}

TEST(PreviewLine, ModernEncoderSeesTheAdaptedPieces) {
  RecordingWarnings w;
  EncoderSettings s;
  s.Volume = 150;
  s.CropTop = 8;
  EXPECT_EQ(Preview(s, w, EncoderGeneration::Modern).line,
            "-y -i <input_file> -vcodec libx264 -profile:v baseline -pix_fmt yuv420p -b:v 500k -r 25 -acodec aac "
            "-b:a 96k -ar 44100 -ac 2 -af volume=1.5 -vf crop=iw-(0+0):ih-(8+0):0:8  <output_file>");
}

}  // namespace vardeno
