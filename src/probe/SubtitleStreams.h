// The subtitle tracks a probe found in a file, read from its stream lines.
#pragma once

#include <string>
#include <vector>

#include "probe/MediaProbe.h"

namespace vardeno {

// The codec of every subtitle track, in the file's order: "subrip" from
// "Stream #0:2(eng): Subtitle: subrip (default)". The n-th entry is the track "0:s:n".
std::vector<std::string> SubtitleStreamCodecs(const MediaProbe& probe);

}  // namespace vardeno
