#include "conversion/FramePreview.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <vector>

#include "base/FsPath.h"
#include "base/StringUtil.h"
#include "conversion/SubtitleLookup.h"
#include "encoder/OutputFormat.h"
#include "platform/ArgumentText.h"
#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemError.h"
#include "probe/Probe.h"
#include "texts/PreviewTexts.h"

namespace vardeno {

namespace {
// A frame takes a fraction of a second; a large HD file seeking far may take a few.
constexpr std::chrono::seconds kFrameTimeLimit(30);

struct FrameTimedOut {};

// With a point whatever the locale (a Polish one would print "2,000", which the encoder refuses).
std::string SecondsText(double seconds) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, seconds < 0 ? 0.0 : seconds, std::chars_format::fixed, 3);
  return std::string(text, written.ptr);
}

// The last line the encoder printed that says something (its error).
std::string LastLine(const std::vector<std::string>& lines) {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it)
    if (!Trim(*it).empty()) return Trim(*it);
  return {};
}

std::string TempPng(const std::string& tempDir, const char* which) {
  static std::atomic<unsigned> counter{0};
  std::error_code error;
  const std::filesystem::path dir = tempDir.empty() ? std::filesystem::temp_directory_path(error) : FsPath(tempDir);
  const std::string name = "vardeno-frame-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                           "-" + std::to_string(counter++) + "-" + which + ".png";
  return Utf8Path(dir / name);
}

// Runs the encoder for one frame; the PNG's bytes, or "" with reason set.
std::string GrabFrame(const FramePreviewRequest& request, double seconds, const PictureFilter& picture,
                      const std::string& png, std::string& reason) {
  const auto deadline = std::chrono::steady_clock::now() + kFrameTimeLimit;
  const auto checkTime = [deadline] {
    if (std::chrono::steady_clock::now() > deadline) throw FrameTimedOut{};
  };
  std::vector<std::string> lines;
  std::uint32_t exitCode = 1;
  try {
    exitCode = RunConsoleProcess(request.encoderPath, FrameArguments(request.input, seconds, picture, png), &lines,
                                 [&](const ChildProcess&, const std::string&) { checkTime(); }, checkTime);
  } catch (const SystemError& error) {
    reason = error.what();
  } catch (const FrameTimedOut&) {
    reason = kPreviewTimedOut(request.lang);
  }
  std::string bytes;
  if (exitCode == 0 && IsRegularFile(png)) {
    try {
      bytes = ReadFileBytes(png);
    } catch (const SystemError& error) {
      reason = error.what();
    }
  }
  ForceDeleteFile(png);
  if (bytes.empty() && reason.empty()) reason = kPreviewCannotRead(request.lang) + LastLine(lines);
  return bytes;
}
}  // namespace

std::string FrameArguments(const std::string& input, double seconds, const PictureFilter& picture,
                           const std::string& png) {
  std::string args = "-hide_banner -v error -y -ss " + SecondsText(seconds) + " -copyts -i " + QuoteArgument(input);
  if (!picture.option.empty()) args += " " + picture.option + " " + QuoteArgument(picture.graph);
  return args + " -frames:v 1 -an -sn " + QuoteArgument(png);
}

FramePreview MakeFramePreview(const FramePreviewRequest& request, const std::string& tempDir) {
  FramePreview preview;
  const UiLanguage lang = request.lang;
  if (request.encoderPath.empty()) {
    preview.reason = kPreviewNoEncoder(lang);
    return preview;
  }
  MediaProbe probe;
  try {
    probe = ProbeMediaFile(request.input, request.encoderPath, request.generation);
  } catch (const SystemError& error) {
    preview.reason = error.what();
    return preview;
  }
  preview.duration = probe.DurationExact > 0 ? probe.DurationExact : probe.Duration;
  preview.seconds = request.seconds >= 0 ? request.seconds : preview.duration / 10;
  if (preview.duration > 0 && preview.seconds > preview.duration) preview.seconds = preview.duration;
  if (probe.VideoCodec.empty() && !probe.AudioCodec.empty()) {
    preview.outcome = FramePreview::Outcome::NoPicture;
    preview.reason = kPreviewNoPictureInFile(lang);
    return preview;
  }

  std::string reason;
  preview.sourcePng = GrabFrame(request, preview.seconds, {}, TempPng(tempDir, "source"), reason);
  if (preview.sourcePng.empty()) {
    preview.reason = reason;
    return preview;
  }
  if (!HasVideo(request.settings.OutputFormat)) {
    preview.outcome = FramePreview::Outcome::NoPicture;
    preview.reason = kPreviewAudioOnlyFormat(lang);
    return preview;
  }
  SubtitleSource subtitles;
  if (BurnsSubtitles(request.settings, request.generation)) {
    const SubtitleLookup lookup = LookUpSubtitles(request.settings, request.input, probe, lang);
    subtitles = lookup.source;
    preview.note = lookup.missing;
  }
  const PictureFilter picture = PictureChainFilter(request.settings, request.resolutions, subtitles);
  preview.outputPng = GrabFrame(request, preview.seconds, picture, TempPng(tempDir, "output"), reason);
  if (preview.outputPng.empty()) {
    preview.reason = reason;
    return preview;
  }
  preview.outcome = FramePreview::Outcome::Frames;
  return preview;
}

}  // namespace vardeno
