// The argument line the command-line preview shows, with "<input_file>" and "<output_file>"
// standing where a conversion puts the quoted paths.
#pragma once

#include <string>

#include "encoder/ArgumentBuilder.h"
#include "encoder/EncoderGeneration.h"
#include "encoder/PictureChain.h"

namespace vardeno {

// Where the preview line puts the subtitle file beside the video (each file has its own).
inline constexpr const char* kSubtitleFilePlaceholder = "<subtitle_file>";

struct PreviewLine {
  std::string line;
  bool anyRefused = false;  // a builder refused a value (its warning was shown, its piece left empty)
};

// Calls every builder in order (all warnings appear, unlike a run), empties refused pieces,
// adapts the pieces to the generation and joins them. With subtitles burned in, the picture
// filter shows them as "<subtitle_file>" (a file beside the video) or as "<input_file>"'s track
// (a picture track, known only per file, gets an overlay instead).
PreviewLine BuildPreviewLine(const EncoderSettings& settings, const ResolutionList& resolutions,
                             EncoderGeneration generation, UiLanguage lang, WarningSink& warnings);

// Joins the pieces between the placeholders and turns each run of exactly three blanks into
// one blank, in one left-to-right pass over non-overlapping occurrences.
// A picture filter goes after the advanced piece, its graph in double quotes.
std::string JoinPreviewLine(const ArgumentPieces& pieces, const PictureFilter& picture = {});

}  // namespace vardeno
