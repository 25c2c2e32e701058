#include "encoder/PreviewLine.h"

#include "base/StringUtil.h"
#include "encoder/GenerationAdapter.h"

namespace {
std::string UnlessRefused(const std::string& piece, bool& anyRefused) {
  if (piece != kRefusedPiece) return piece;
  anyRefused = true;
  return {};
}
}  // namespace

std::string JoinPreviewLine(const ArgumentPieces& p) {
  const std::string joined = "-y -i <input_file> " + p.videoCodec + " " + p.videoParams + " " + p.audioCodec +
                             " " + p.audioParams + " " + p.advanced + " " + p.additional + " <output_file>";
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
  preview.line = JoinPreviewLine(AdaptPieces(pieces, generation));
  return preview;
}
