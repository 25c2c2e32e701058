// One frame of a video as the source has it and as a conversion with the current settings would
// make it: the real encoder writes each to a temporary PNG (through the same picture chain as the
// conversion) that is read and removed at once. Slow (encoder runs): call it off the window's
// thread. Nothing here is shared between calls, so calls may run side by side.
#pragma once

#include <string>

#include "encoder/ArgumentBuilder.h"
#include "encoder/EncoderGeneration.h"
#include "encoder/PictureChain.h"
#include "texts/Language.h"

namespace vardeno {

struct FramePreviewRequest {
  EncoderSettings settings;
  ResolutionList resolutions;
  std::string encoderPath;  // full path of the encoder
  EncoderGeneration generation = EncoderGeneration::Modern;
  std::string input;
  double seconds = -1;      // the frame's time; below 0: a tenth of the duration
  UiLanguage lang = UiLanguage::English;
};

struct FramePreview {
  enum class Outcome { Frames, NoPicture, Failed };
  Outcome outcome = Outcome::Failed;
  std::string reason;       // NoPicture, Failed: why, for the window
  std::string note;         // Frames: a remark such as that the subtitles asked for are missing
  double duration = 0;      // of the input, seconds (0 when unknown)
  double seconds = 0;       // the frame's time used
  std::string sourcePng;    // the PNG files' bytes
  std::string outputPng;
};

// The argument text that writes the frame at seconds of input to png through picture (none: the
// source's own frame). The seek goes before the input and keeps the input's times, so subtitles
// are those of that moment.
std::string FrameArguments(const std::string& input, double seconds, const PictureFilter& picture,
                           const std::string& png);

// The two frames of request.input; tempDir holds the PNGs for a moment ("" for the system's).
FramePreview MakeFramePreview(const FramePreviewRequest& request, const std::string& tempDir = "");

}  // namespace vardeno
