#include "probe/FileInfo.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "base/DirText.h"
#include "base/PathSyntax.h"
#include "base/StringUtil.h"
#include "base/FileSizeText.h"

namespace vardeno {

namespace {
// The frame rate as "0.00": at least one integer digit, two decimals rounded half away from zero.
std::string TwoDecimals(double value, char decimalMark) {
  if (!std::isfinite(value)) value = 0;
  const double hundredths = std::round(std::fabs(value) * 100.0);
  const auto whole = static_cast<unsigned long long>(hundredths / 100.0);
  const auto fraction = static_cast<unsigned>(hundredths - static_cast<double>(whole) * 100.0);
  char decimals[4];
  std::snprintf(decimals, sizeof decimals, "%02u", fraction);
  return std::string(value < 0 && hundredths > 0 ? "-" : "") + std::to_string(whole) + decimalMark + decimals;
}
}  // namespace

FileInfoView MakeFileInfoView(const MediaProbe& probe, char decimalMark) {
  FileInfoView view;
  const std::string& path = probe.FileName;
  const size_t slash = LastPathSeparator(path);
  view.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string doubled(2, kPathSeparator);
  view.directory = slash == std::string::npos ? "" : ReplaceAll(path.substr(0, slash + 1), doubled, kPathSeparatorText);
  if (view.directory.size() > PathRootLength(view.directory) && IsPathSeparator(view.directory.back()))
    view.directory.pop_back();
  view.sizeText = FormatFileSize(probe.FileSize);
  view.durationText = probe.DurationText;
  view.fpsText = TwoDecimals(probe.FrameRate, decimalMark);
  for (const StreamLine& stream : probe.Streams) {
    if (!stream.Present) break;
    // A modern stream id holds a colon of its own ("Stream #0:1"): the key ends at the first
    // colon that is not followed by a digit.
    size_t colon = stream.Text.find(':');
    while (colon != std::string::npos && colon + 1 < stream.Text.size() &&
           std::isdigit(static_cast<unsigned char>(stream.Text[colon + 1])))
      colon = stream.Text.find(':', colon + 1);
    if (colon == std::string::npos)
      view.streams.push_back({"", Trim(stream.Text)});
    else
      view.streams.push_back({Trim(stream.Text.substr(0, colon)), Trim(stream.Text.substr(colon + 1))});
  }
  return view;
}

std::string FileInfoPath(const FileInfoView& view) {
  const std::string dir = NormalizeDir(view.directory);
  return dir + kPathSeparator + view.fileName;
}

std::string FileInfoText(const FileInfoView& view, const std::string& lineEnd) {
  std::string text = "File: " + FileInfoPath(view) + lineEnd;
  text += "File size: " + view.sizeText + lineEnd;
  text += "Duration: " + view.durationText + lineEnd;
  text += "FPS: " + view.fpsText + lineEnd;
  text += "Audio & Video streams:" + lineEnd;
  if (view.streams.empty()) text += "   - " + lineEnd;
  for (const StreamRow& row : view.streams) text += "  " + row.key + " - " + row.value + lineEnd;
  return text;
}

}  // namespace vardeno
