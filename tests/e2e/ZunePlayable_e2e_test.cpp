// The video formats come out as the players decode them, whatever today's encoder defaults are:
// H.264 Baseline or MPEG-4 Simple Profile, 8-bit 4:2:0, no B-frames, AAC LC sound; also from a
// 10-bit 4:2:2 input, which today's libx264 would otherwise keep as High 4:2:2.
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/RealConversion.h"

namespace vardeno {

using namespace e2e;

namespace {

// "key=value" lines of ffprobe's plain output for one stream of file.
std::map<std::string, std::string> ProbeStream(const std::string& file, const std::string& stream,
                                               const std::string& entries) {
  const CommandResult r = RunCommand(
      {"ffprobe", "-v", "error", "-select_streams", stream, "-show_entries", "stream=" + entries, "-of", "default=nw=1",
       file},
      false);
  std::map<std::string, std::string> values;
  std::istringstream in(r.output);
  for (std::string line; std::getline(in, line);) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

// The picture types of every frame of the first video stream ("IPPP...").
std::string FrameTypes(const std::string& file) {
  const CommandResult r = RunCommand({"ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                                      "frame=pict_type", "-of", "csv=p=0", file},
                                     false);
  std::string types;
  for (char c : r.output)
    if (c != '\n' && c != '\r') types += c;
  return types;
}

struct Format {
  int index;
  const char* extension;
  bool h264;
};

}  // namespace

TEST(ZunePlayableEndToEnd, VideoFormatsGiveBaselineOrSimpleProfileFourTwoZeroWithoutBFrames) {
  RealRun r;
  const std::string plain = r.dir / "plain.avi";
  MakeClip(plain, 1.0);
  const std::string deep = r.dir / "deep.mkv";
  const CommandResult made = RunCommand({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                         "testsrc=duration=1:size=160x120:rate=10", "-f", "lavfi", "-i",
                                         "sine=duration=1", "-pix_fmt", "yuv422p10le", "-c:v", "libx264", "-c:a",
                                         "aac", "-shortest", deep});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  ASSERT_EQ(ProbeStream(deep, "v:0", "pix_fmt")["pix_fmt"], "yuv422p10le");
  r.AddRow(plain);
  r.AddRow(deep);

  for (const Format format : {Format{2, "mp4", false}, Format{3, "mp4", true}, Format{5, "m4v", true},
                              Format{7, "mov", true}}) {
    SCOPED_TRACE("format " + std::to_string(format.index));
    r.request.settings.OutputFormat = format.index;
    r.request.outputToInputDir = false;
    r.request.outputDir = r.dir / ("format" + std::to_string(format.index));
    const RunResult result = r.Execute();
    ASSERT_EQ(result.end, RunEnd::Completed);
    ASSERT_EQ(result.errorCount, 0) << (r.log.Lines().empty() ? "" : r.log.Lines().front());

    for (const char* name : {"plain", "deep"}) {
      SCOPED_TRACE(name);
      const std::string output = r.request.outputDir + "/" + name + "." + format.extension;
      auto video = ProbeStream(output, "v:0", "codec_name,profile,pix_fmt,has_b_frames");
      if (format.h264) {
        EXPECT_EQ(video["codec_name"], "h264");
        EXPECT_TRUE(video["profile"] == "Constrained Baseline" || video["profile"] == "Baseline") << video["profile"];
      } else {
        EXPECT_EQ(video["codec_name"], "mpeg4");
        EXPECT_EQ(video["profile"], "Simple Profile");
      }
      EXPECT_EQ(video["pix_fmt"], "yuv420p");
      EXPECT_EQ(video["has_b_frames"], "0");
      const std::string types = FrameTypes(output);
      EXPECT_FALSE(types.empty());
      EXPECT_EQ(types.find('B'), std::string::npos) << types;
      auto audio = ProbeStream(output, "a:0", "codec_name,profile");
      EXPECT_EQ(audio["codec_name"], "aac");
      EXPECT_EQ(audio["profile"], "LC");
    }
  }
}

}  // namespace vardeno
