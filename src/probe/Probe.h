// Probing one input file: the encoder's information mode ("-i <file>") read into a MediaProbe.
// Classic encoder output is read by the classic rules; modern output by the modern ones
// (stream lines "Stream #<n>:<n>", parts split at commas outside brackets).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/EncoderGeneration.h"
#include "platform/FileSystem.h"  // GetFileSizeBytes, for the probe record's size
#include "platform/ProcessRunner.h"
#include "probe/MediaProbe.h"

namespace vardeno {

// Runs the encoder on inputPath and returns what it printed about the file. The record holds only
// FileName and FileSize when the input (or the encoder) does not exist. The generation is found
// with GetEncoderGeneration. Throws SystemError when the encoder cannot be started. An encoder
// that has not ended after 10 s is ended, and the record holds what it printed until then.
MediaProbe ProbeMediaFile(const std::string& inputPath, const std::string& encoderPath, const IdleHandler& idle = {});
MediaProbe ProbeMediaFile(const std::string& inputPath, const std::string& encoderPath, EncoderGeneration generation,
                          const IdleHandler& idle = {});

// Reads the encoder's information lines into probe (fields it finds are overwritten, later lines
// win), then sets FrameCount from Duration and FrameRate.
void ParseProbeOutput(const std::vector<std::string>& lines, EncoderGeneration generation, MediaProbe& probe);

// "HH:MM:SS.cc" (or with ",") in seconds; 0 for a text without ":" such as "N/A"; a text with a
// single ":" gives only its hours.
double ParseTimeText(std::string_view text);

}  // namespace vardeno
