// Turns EncoderSettings into the six pieces of the encoder's argument string (classic form).
// Codec pieces have no leading blank; parameter pieces are runs of " -option value".
// GetVideoParamsStr and GetAudioParamsStr refuse unusable values: they show a warning and
// return the sentinel "ERROR".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/WarningSink.h"
#include "encoder/EncoderSettings.h"
#include "encoder/ResolutionList.h"
#include "texts/Language.h"

namespace vardeno {

inline constexpr const char* kRefusedPiece = "ERROR";

// The output extension of the selected format ("wmv" outside the table), with a dot when asked.
std::string GetExt(const EncoderSettings& settings, bool withDot);
// Seconds of the duration limit / start offset, or -1 when that limit is off.
std::int64_t GetTimeLimitD(const EncoderSettings& settings);
std::int64_t GetTimeLimitS(const EncoderSettings& settings);

std::string GetVideoCodecStr(const EncoderSettings& settings);
std::string GetVideoParamsStr(const EncoderSettings& settings, UiLanguage lang, WarningSink& warnings);
std::string GetAudioCodecStr(const EncoderSettings& settings);
std::string GetAudioParamsStr(const EncoderSettings& settings, UiLanguage lang, WarningSink& warnings);
std::string GetAdvancedParamsStr(const EncoderSettings& settings, const ResolutionList& resolutions);
std::string GetAdditionalParamsStr(const EncoderSettings& settings);

struct Resolution {
  std::int32_t width = 2;
  std::int32_t height = 2;
  bool operator==(const Resolution&) const = default;
};
// Width and height out of a resolution entry such as "320 x 240 - QVGA"; 2 for what cannot be read.
Resolution ParseResolution(const std::string& entryText);

// The output size the settings ask for ("-s"), or nullopt when the source's size is kept.
std::optional<Resolution> OutputSize(const EncoderSettings& settings, const ResolutionList& resolutions);

// The size limit in bytes when SizeLimitValue is a number (blanks anywhere ignored,
// "." or "," as decimal mark), rounded half to even; nullopt otherwise.
std::optional<std::int64_t> GetSizeLimitBytes(const EncoderSettings& settings);

// The six pieces, each trimmed, in the order the encoder gets them.
struct ArgumentPieces {
  std::string videoCodec, videoParams, audioCodec, audioParams, advanced, additional;
  bool operator==(const ArgumentPieces&) const = default;
};

// Builds the pieces in order, as a conversion run does: stops at the first refused piece
// (after its warning) and returns nullopt.
std::optional<ArgumentPieces> BuildArgumentPieces(const EncoderSettings& settings,
                                                  const ResolutionList& resolutions, UiLanguage lang,
                                                  WarningSink& warnings);

}  // namespace vardeno
