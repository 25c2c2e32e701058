// Reading one line of the encoder's console output while it converts: is it noise to hide,
// is it a status (progress) line, and which frame number, speed and time does it carry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "encoder/EncoderGeneration.h"

namespace vardeno {

// True for a line the output pane never shows: an empty or blank line, one of the encoder's
// banner lines, or one of its known harmless warnings. "Begins with" rules ignore the case of
// ASCII letters; "contains" rules are exact. A modern encoder's extra banner lines ("  built
// with ...", every "  libxxx  NN. NN.NNN / ..." version line, its "Press [q] to stop, [?] for
// help" prompt) are noise only for the modern generation. A modern encoder's "  configuration:"
// line is written exactly like the classic one, so the classic rule removes it in both.
bool IsNoiseLine(std::string_view line, EncoderGeneration generation);

// True for "Multiple frames in a packet from stream..." (any case): a noise line that also ends
// the progress handler's work for the call in which it is met.
bool IsMultipleFramesLine(std::string_view line);

// True when the line contains both "time=" and "size=".
bool IsProgressLine(std::string_view line);

// What one progress line tells; a field the line does not give in readable form is empty.
struct ProgressFields {
  std::optional<std::int32_t> frameNumber;
  std::optional<std::string> speedText;
  std::optional<std::int64_t> encodedTime;  // whole seconds, halves rounded to even
};

// Reads a progress line: the six characters "frame=" are skipped, the whole number before
// "fps=" is the frame number, the word after "fps=" (only when a blank follows it) the speed,
// the value after "time=" the encoded time.
ProgressFields ReadProgressFields(std::string_view line);

// The encoded time of a "time=" value: plain seconds ("10.00", "12,5", "-0.5") or a modern
// encoder's hours:minutes:seconds ("00:01:02.50", "-00:00:00.05"); empty for anything else
// ("N/A") and for values beyond the 64-bit range.
std::optional<std::int64_t> ParseEncodedTime(std::string_view text);

}  // namespace vardeno
