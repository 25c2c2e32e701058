// The picture chain of a conversion, built in this one place for the run, the command-line
// preview, the scripts and the frame preview: crop, then the output size, then subtitles burned
// into the picture. A modern encoder only; the 2009 encoder has its own crop options and no
// filters, and burns in nothing.
#pragma once

#include <optional>
#include <string>

#include "encoder/ArgumentBuilder.h"
#include "encoder/EncoderGeneration.h"
#include "encoder/ResolutionList.h"

namespace vardeno {

// The Subtitles setting.
enum class SubtitleMode { None = 0, FileBeside = 1, OwnTrack = 2 };

// Where a file's subtitles come from, once looked up.
struct SubtitleSource {
  enum class Kind { None, TextFile, TextTrack, PictureTrack };
  Kind kind = Kind::None;
  std::string path;   // the subtitle file, or the video itself for one of its tracks
  int track = 0;      // which of the video's subtitle tracks, 0 the first
  bool ownStyles = false;  // ASS/SSA text: its own fonts and sizes are kept
  bool operator==(const SubtitleSource&) const = default;
};

// Whether subtitles are burned in with these settings and this encoder: asked for, a format with
// a picture, and a modern encoder.
bool BurnsSubtitles(const EncoderSettings& settings, EncoderGeneration generation);

// Subtitle codecs that are pictures (DVD, Blu-ray, DVB, DivX) rather than text.
bool IsPictureSubtitleCodec(const std::string& codec);
// Subtitle codecs that carry their own styles (ASS, SSA).
bool IsStyledSubtitleCodec(const std::string& codec);

// "crop=iw-(L+R):ih-(T+B):L:T", the modern form of the four crop options.
std::string CropFilter(long long top, long long bottom, long long left, long long right);

// The font size given to plain text subtitles (SRT, WebVTT, text tracks). The renderer measures it
// against a 288-line script height, so at 240 output lines it is about 17 pixels: readable on a
// 320x240 player screen, where the renderer's default (16) gives 13.
inline constexpr int kSubtitleFontSize = 20;

// The picture's filter for the encoder: option "-vf" (one input) or "-filter_complex" (a picture
// subtitle track overlaid), and its graph with every path escaped for the graph (not yet for any
// shell). Empty option and graph when the picture passes unchanged.
struct PictureFilter {
  std::string option;
  std::string graph;
  bool operator==(const PictureFilter&) const = default;
};

// The chain for the settings and one file's subtitles. Empty unless BurnsSubtitles: the crop then
// stays the "-vf" that AdaptPieces makes (so output without subtitles is as it always was).
// With subtitles asked for, the crop moves here (AdaptPieces is told so) and the chain is:
//   text:     crop -> scale to the output size -> subtitles
//   pictures: [0:v][0:s:N]overlay -> crop -> scale
//   none found for this file: crop -> scale (empty when neither is set)
// Text is drawn after the scale so the renderer draws its letters at the output's own pixel size:
// drawn on a large source and scaled down they would come out thin and blurred, or tiny. Picture
// subtitles are made for the source frame, so they are laid on it before anything moves it.
// The "-s" of the advanced piece stays; the picture already has that size, so it changes nothing.
PictureFilter BuildPictureFilter(const EncoderSettings& settings, const ResolutionList& resolutions,
                                 EncoderGeneration generation, const SubtitleSource& subtitles);

// The same chain whatever the generation and the Subtitles setting (the frame preview shows the
// crop and the size of a 2009 encoder too): crop, scale, and the given subtitles, if any.
PictureFilter PictureChainFilter(const EncoderSettings& settings, const ResolutionList& resolutions,
                                 const SubtitleSource& subtitles);

}  // namespace vardeno
