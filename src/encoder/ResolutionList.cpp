#include "encoder/ResolutionList.h"

#include <filesystem>
#include <fstream>

#include "base/FsPath.h"
#include "base/StringUtil.h"
#include "texts/EncoderTexts.h"

namespace vardeno {

namespace {
constexpr std::streamsize kMaxResolutionFileBytes = 1 << 20;
}

std::string ResolutionList::EntryText(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= Entries.size()) return {};
  return Entries[static_cast<size_t>(index)];
}

void ResolutionList::SetLanguage(UiLanguage lang) {
  if (Entries.size() > kResolutionCustom) Entries[kResolutionCustom] = kCustomResolutionText(lang);
}

const std::vector<std::string>& BuiltInResolutions() {
  static const std::vector<std::string> sizes = {
      "320 x 240 - QVGA", "640 x 480 - VGA",    "720 x 480",          "720 x 576",
      "128 x 96 - SQCIF", "176 x 144 - QCIF",   "352 x 288 - CIF",    "704 x 576 - 4CIF",
      "160 x 120 - QQVGA", "800 x 600 - SVGA",  "1024 x 768 - XGA",   "1600 x 1200 - UXGA",
      "320 x 200 - CGA",  "640 x 350 - EGA",    "852 x 480 - HD480",  "1280 x 720 - HD720",
      "1920 x 1080 - HD1080"};
  return sizes;
}

ResolutionList MakeResolutionList(const std::vector<std::string>& sizes, UiLanguage lang) {
  ResolutionList list;
  list.Entries.reserve(sizes.size() + 2);
  list.Entries.push_back("Auto");
  list.Entries.push_back(kCustomResolutionText(lang));
  list.Entries.insert(list.Entries.end(), sizes.begin(), sizes.end());
  return list;
}

std::vector<std::string> LoadResolutionSizes(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(FsPath(path), error)) return BuiltInResolutions();
  std::ifstream in(FsPath(path), std::ios::binary);
  if (!in) return BuiltInResolutions();
  std::string bytes(kMaxResolutionFileBytes, '\0');
  in.read(bytes.data(), kMaxResolutionFileBytes);
  if (in.bad()) return BuiltInResolutions();
  bytes.resize(static_cast<size_t>(in.gcount()));

  std::vector<std::string> sizes;
  for (const std::string& line : SplitLines(bytes)) {
    std::string entry = Trim(line);
    if (entry.empty() || StartsWith(entry, "//")) continue;
    sizes.push_back(std::move(entry));
  }
  return sizes;
}

}  // namespace vardeno
