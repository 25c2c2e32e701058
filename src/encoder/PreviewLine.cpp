#include "encoder/PreviewLine.h"

#include "base/StringUtil.h"
#include "encoder/GenerationAdapter.h"
#include "encoder/PictureChain.h"

namespace vardeno {

namespace {
std::string UnlessRefused(const std::string& piece, bool& anyRefused) {
  if (piece != kRefusedPiece) return piece;
  anyRefused = true;
  return {};
}
}  // namespace

std::string JoinPreviewLine(const ArgumentPieces& p, const PictureFilter& picture) {
  // The graph in double quotes, as the runner's argument text holds one argument.
  const std::string filter = picture.option.empty() ? "" : " " + picture.option + " \"" + picture.graph + "\"";
  const std::string joined = "-y -i <input_file> " + p.videoCodec + " " + p.videoParams + " " + p.audioCodec +
                             " " + p.audioParams + " " + p.advanced + filter + " " + p.additional + " <output_file>";
  return ReplaceAll(joined, "   ", " ");
}

PreviewLine BuildPreviewLine(const EncoderSettings& settings, const ResolutionList& resolutions,
                             EncoderGeneration generation, UiLanguage lang, WarningSink& warnings) {
  PreviewLine preview;
  ArgumentPieces pieces;
  pieces.videoCodec = Trim(GetVideoCodecStr(settings));
  pieces.videoParams = UnlessRefused(Trim(GetVideoParamsStr(settings, lang, warnings)), preview.anyRefused);
  pieces.audioCodec = Trim(GetAudioCodecStr(settings));
  pieces.audioParams = UnlessRefused(Trim(GetAudioParamsStr(settings, lang, warnings)), preview.anyRefused);
  pieces.advanced = UnlessRefused(Trim(GetAdvancedParamsStr(settings, resolutions)), preview.anyRefused);
  pieces.additional = Trim(GetAdditionalParamsStr(settings));
  const bool burnSubtitles = BurnsSubtitles(settings, generation);
  PictureFilter picture;
  if (burnSubtitles) {
    // Each file has its own subtitles; the line shows where they come from.
    SubtitleSource source{SubtitleSource::Kind::TextFile, kSubtitleFilePlaceholder, 0, false};
    if (settings.Subtitles == static_cast<int>(SubtitleMode::OwnTrack))
      source = {SubtitleSource::Kind::TextTrack, "<input_file>", settings.SubtitleTrack, false};
    picture = BuildPictureFilter(settings, resolutions, generation, source);
  }
  preview.line = JoinPreviewLine(AdaptPieces(pieces, generation, burnSubtitles), picture);
  return preview;
}

}  // namespace vardeno
