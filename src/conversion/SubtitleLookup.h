// Which subtitles a file of a run burns in: a file beside the video or one of the video's own
// tracks, as the Subtitles setting asks, and what to tell when there are none.
#pragma once

#include <optional>
#include <string>

#include "encoder/PictureChain.h"
#include "probe/MediaProbe.h"
#include "texts/Language.h"

namespace vardeno {

// The subtitle file beside a video, looked for in this order (the first found wins):
//   name.srt, name.ass, name.ssa, name.vtt   (name: the video's name without its extension;
//                                             the extension in any letter case)
//   name.<language>.srt                      (e.g. name.en.srt, name.pl.srt: the first by byte
//                                             order of its name; <language> is letters, digits,
//                                             "-" or "_", at most 16 of them)
// nullopt when there is none (or the folder cannot be read).
std::optional<std::string> FindSubtitleFileBeside(const std::string& videoPath);

struct SubtitleLookup {
  SubtitleSource source;  // kind None when the file has none to burn in
  std::string missing;    // when asked for but not found: why, for the error log
};

// The subtitles of one video for the settings (which ask for them). probe is the video's probe,
// needed for its own tracks: their codec tells a text track from a picture one.
SubtitleLookup LookUpSubtitles(const EncoderSettings& settings, const std::string& videoPath,
                               const MediaProbe& probe, UiLanguage lang);

}  // namespace vardeno
