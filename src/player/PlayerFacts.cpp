// What a file will hold (from the encoder's arguments) or holds (from the probe), as MediaFacts.
#include <cmath>

#include "base/NumberText.h"
#include "base/PathSyntax.h"
#include "base/StringUtil.h"
#include "encoder/GenerationAdapter.h"
#include "platform/ArgumentText.h"
#include "player/PlayerCheck.h"

namespace vardeno {

namespace {
// The codec an encoder of the encoder program makes, and the profile it makes by default.
void SetVideoEncoder(const std::string& encoder, MediaFacts& facts) {
  const std::string name = ToLowerAscii(encoder);
  facts.hasVideo = true;
  facts.videoProfile.clear();
  if (name == "copy") {
    facts.videoCodec.clear();  // the source's, not known before the run
  } else if (name == "libx264" || name == "h264") {
    facts.videoCodec = "h264";
    facts.videoProfile = "high";  // x264's own default; the adapter asks for baseline after it
  } else if (name == "mpeg4") {
    facts.videoCodec = "mpeg4";
    facts.videoProfile = "simple profile";  // without B-frames or quarter pixels
  } else if (name == "libxvid") {
    facts.videoCodec = "mpeg4";
  } else {
    facts.videoCodec = name;
  }
}

void SetAudioEncoder(const std::string& encoder, MediaFacts& facts) {
  const std::string name = ToLowerAscii(encoder);
  facts.hasAudio = true;
  facts.audioProfile.clear();
  if (name == "copy") {
    facts.audioCodec.clear();
  } else if (name == "aac" || name == "libfaac" || name == "libfdk_aac") {
    facts.audioCodec = "aac";
    facts.audioProfile = "lc";
  } else if (name == "libmp3lame" || name == "mp3") {
    facts.audioCodec = "mp3";
  } else {
    facts.audioCodec = name;
  }
}

// "500k", "1.5M", "1500000" in kbit/s; nullopt for anything else.
std::optional<int> KbpsOf(const std::string& text) {
  std::string number = Trim(text);
  double scale = 1.0 / 1000.0;
  if (!number.empty() && (number.back() == 'k' || number.back() == 'K')) {
    scale = 1.0;
    number.pop_back();
  } else if (!number.empty() && number.back() == 'M') {
    scale = 1000.0;
    number.pop_back();
  }
  const auto value = TryParseDecimal(number);
  if (!value || !(*value >= 0 && *value < 1e12)) return std::nullopt;
  return static_cast<int>(std::lround(std::min(*value * scale, 2e9)));
}

// "25", "29.97", "29,97", "30000/1001".
std::optional<double> RateOf(const std::string& text) {
  if (const size_t slash = text.find('/'); slash != std::string::npos) {
    const auto top = TryParseDecimal(text.substr(0, slash));
    const auto bottom = TryParseDecimal(text.substr(slash + 1));
    if (top && bottom && *bottom > 0) return *top / *bottom;
    return std::nullopt;
  }
  return TryParseDecimal(text);
}

// "640x480" as a size.
bool ReadSize(const std::string& text, int& width, int& height) {
  const size_t x = ToLowerAscii(text).find('x');
  if (x == std::string::npos) return false;
  const auto w = TryParseWholeNumber(text.substr(0, x));
  const auto h = TryParseWholeNumber(text.substr(x + 1));
  if (!w || !h || *w <= 0 || *h <= 0) return false;
  width = *w;
  height = *h;
  return true;
}

// A filter graph's "scale=W:H" (or "scale=w=W:h=H") with plain numbers; a scale that depends on
// the source ("scale=-2:240", "scale=iw/2:ih/2") gives no size.
bool ReadScaleFilter(const std::string& graph, int& width, int& height) {
  const size_t at = graph.rfind("scale=");
  if (at == std::string::npos) return false;
  std::string args = graph.substr(at + 6);
  args = args.substr(0, args.find_first_of(",;["));
  args = ReplaceAll(ReplaceAll(args, "w=", ""), "h=", "");
  const size_t colon = args.find(':');
  if (colon == std::string::npos) return ReadSize(args, width, height);
  const auto w = TryParseWholeNumber(args.substr(0, colon));
  const auto h = TryParseWholeNumber(args.substr(colon + 1, args.find(':', colon + 1) - colon - 1));
  if (!w || !h || *w <= 0 || *h <= 0) return false;
  width = *w;
  height = *h;
  return true;
}

std::string AudioProfileOf(const std::string& option) {
  const std::string name = ToLowerAscii(option);
  if (name == "aac_low") return "lc";
  if (name == "aac_he") return "he-aac";
  if (name == "aac_he_v2") return "he-aacv2";
  return name;
}

std::string ContainerOfMuxer(const std::string& muxer) {
  const std::string name = ToLowerAscii(muxer);
  if (name == "asf") return "asf";
  if (name == "mp4" || name == "mov" || name == "ipod") return "mov,mp4,m4a,3gp,3g2,mj2";
  return name;
}

std::string ExtensionOf(const std::string& path) {
  const std::string name = path.substr(LastPathSeparator(path) == std::string::npos ? 0 : LastPathSeparator(path) + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : ToLowerAscii(name.substr(dot + 1));
}
}  // namespace

MediaFacts FactsFromArguments(const std::vector<std::string>& arguments, const std::string& extension) {
  MediaFacts facts;
  facts.extension = ToLowerAscii(extension);
  facts.hasAudio = true;  // the source's sound goes on unless refused
  int sizeWidth = 0, sizeHeight = 0, filterWidth = 0, filterHeight = 0;
  int bitrate = 0, maxrate = 0;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "-vn") { facts.hasVideo = false; continue; }
    if (option == "-an") { facts.hasAudio = false; continue; }
    if (i + 1 >= arguments.size()) break;
    const std::string& value = arguments[i + 1];
    bool used = true;
    if (option == "-vcodec" || option == "-c:v" || option == "-codec:v") SetVideoEncoder(value, facts);
    else if (option == "-acodec" || option == "-c:a" || option == "-codec:a") SetAudioEncoder(value, facts);
    else if (option == "-profile:v" || option == "-profile" || option == "-vprofile") facts.videoProfile = ToLowerAscii(value);
    else if (option == "-profile:a" || option == "-aprofile") facts.audioProfile = AudioProfileOf(value);
    else if (option == "-pix_fmt") facts.pixelFormat = ToLowerAscii(value);
    else if (option == "-s") ReadSize(value, sizeWidth, sizeHeight);
    else if (option == "-vf" || option == "-filter:v") ReadScaleFilter(value, filterWidth, filterHeight);
    else if (option == "-r") facts.fps = RateOf(ReplaceAll(value, ",", ".")).value_or(facts.fps);
    else if (option == "-b" || option == "-b:v") bitrate = KbpsOf(value).value_or(bitrate);
    else if (option == "-maxrate" || option == "-maxrate:v") maxrate = KbpsOf(value).value_or(maxrate);
    else if (option == "-ab" || option == "-b:a") facts.audioKbps = KbpsOf(value).value_or(facts.audioKbps);
    else if (option == "-ar") facts.sampleRate = TryParseWholeNumber(value).value_or(facts.sampleRate);
    else if (option == "-ac") facts.channels = TryParseWholeNumber(value).value_or(facts.channels);
    else if (option == "-f") facts.container = ContainerOfMuxer(value);
    else if (option == "-bf") {
      // The MPEG-4 Part 2 encoder writes Advanced Simple Profile as soon as it makes B-frames.
      if (facts.videoCodec == "mpeg4" && TryParseWholeNumber(value).value_or(0) > 0)
        facts.videoProfile = "advanced simple profile";
    } else used = false;
    if (used) ++i;
  }
  // "-s" scales after every filter, so it decides the size when both are given.
  facts.width = sizeWidth > 0 ? sizeWidth : filterWidth;
  facts.height = sizeWidth > 0 ? sizeHeight : filterHeight;
  // The encoder's rate control keeps near the target, "-maxrate" caps the peak; the higher counts.
  facts.videoKbps = std::max(bitrate, maxrate);
  if (!facts.hasVideo) facts.videoCodec.clear();
  if (!facts.hasAudio) facts.audioCodec.clear();
  return facts;
}

std::optional<MediaFacts> FactsFromSettings(const EncoderSettings& settings, const ResolutionList& resolutions) {
  class Silent : public WarningSink {
   public:
    void ShowWarning(const std::string&) override {}
  } silent;
  const std::optional<ArgumentPieces> pieces = BuildArgumentPieces(settings, resolutions, UiLanguage::English, silent);
  if (!pieces) return std::nullopt;
  const ArgumentPieces adapted = AdaptPieces(*pieces, EncoderGeneration::Modern);
  std::vector<std::string> arguments;
  for (const std::string* piece : {&adapted.videoCodec, &adapted.videoParams, &adapted.audioCodec, &adapted.audioParams,
                                   &adapted.advanced, &adapted.additional})
    for (std::string& argument : SplitArgumentText(*piece)) arguments.push_back(std::move(argument));
  return FactsFromArguments(arguments, GetExt(settings, false));
}

MediaFacts FactsFromProbe(const MediaProbe& probe) {
  MediaFacts facts;
  facts.extension = ExtensionOf(probe.FileName);
  facts.container = probe.Container;
  facts.hasVideo = !probe.VideoCodec.empty();
  facts.hasAudio = !probe.AudioCodec.empty();
  facts.videoCodec = ToLowerAscii(probe.VideoCodec);
  facts.videoProfile = ToLowerAscii(probe.VideoProfile);
  facts.pixelFormat = ToLowerAscii(probe.PixelFormat);
  facts.width = probe.Width;
  facts.height = probe.Height;
  facts.fps = probe.FrameRate;
  facts.videoKbps = probe.VideoBitrate;
  // A container that gives no stream rates (ASF): the whole file's rate less the sound's.
  if (facts.hasVideo && facts.videoKbps == 0 && probe.TotalBitrate > 0)
    facts.videoKbps = std::max(probe.TotalBitrate - probe.AudioBitrate, 0);
  facts.audioCodec = ToLowerAscii(probe.AudioCodec);
  facts.audioProfile = ToLowerAscii(probe.AudioProfile);
  facts.audioKbps = probe.AudioBitrate;
  facts.sampleRate = probe.SampleRate;
  // A layout not known here ("7.1(wide)" aside, such as "hexagonal") has more than two channels.
  facts.channels = probe.Channels > 0 ? probe.Channels : (probe.ChannelLayout.empty() ? 0 : 3);
  return facts;
}

}  // namespace vardeno
