#include "probe/SubtitleStreams.h"

#include "base/StringUtil.h"

namespace vardeno {

std::vector<std::string> SubtitleStreamCodecs(const MediaProbe& probe) {
  constexpr std::string_view kMark = ": Subtitle: ";
  std::vector<std::string> codecs;
  for (const StreamLine& stream : probe.Streams) {
    if (!stream.Present) continue;
    const size_t at = stream.Text.find(kMark);
    if (at == std::string::npos) continue;
    const std::string rest = TrimLeft(std::string_view(stream.Text).substr(at + kMark.size()));
    codecs.push_back(rest.substr(0, rest.find_first_of(" ,(")));
  }
  return codecs;
}

}  // namespace vardeno
