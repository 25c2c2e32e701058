// What the encoder program on this machine is: its generation (from the libavcodec version that
// "-version" prints) and the encoders it was built with ("-hide_banner -encoders"). Each is asked
// once per encoder file and kept until that file changes (path, modification time, size).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "encoder/EncoderGeneration.h"

namespace vardeno {

// libavcodec majors below this one are the classic encoder.
inline constexpr int kFirstModernLibavcodecMajor = 53;

// The major version of the first line that starts (after blanks) with "libavcodec":
// "libavcodec     59. 37.100 / 59. 37.100", "libavcodec 52.10. 0", "libavcodec version 51.40.4",
// or a packed number such as "libavcodec 3412992" (major = number / 65536). Empty if none.
std::optional<int> ParseLibavcodecMajor(const std::vector<std::string>& versionOutput);
// Classic below kFirstModernLibavcodecMajor; modern otherwise and when the version is unknown.
EncoderGeneration GenerationFromLibavcodecMajor(std::optional<int> major);

// The encoder names of "-encoders" output (the second word of each line after the " ------"
// rule, e.g. "libx264" from " V....D libx264   libx264 H.264 ..."). Empty if there is no list.
std::vector<std::string> ParseEncoderList(const std::vector<std::string>& encodersOutput);

// The filter names of "-filters" output: the second word of each line whose third word is a
// pad description such as "V->V" (" ... subtitles   V->V   Render text subtitles ...").
std::vector<std::string> ParseFilterList(const std::vector<std::string>& filtersOutput);

// The generation of the encoder at encoderPath (a bare name is looked up in PATH). An encoder
// that cannot be found, started or read counts as modern.
EncoderGeneration GetEncoderGeneration(const std::string& encoderPath);

// The encoders the encoder at encoderPath offers; empty optional when it cannot tell (missing,
// cannot be started, or a build without "-encoders", like the classic one).
std::optional<std::vector<std::string>> GetEncoderList(const std::string& encoderPath);

enum class EncoderAvailability { Available, Missing, Unknown };
// Whether the encoder offers the named encoder ("libx264", "libmp3lame", "aac", "wmav2", ...).
// Unknown when the list cannot be had: a run should then go ahead without a warning.
EncoderAvailability GetEncoderAvailability(const std::string& encoderPath, const std::string& encoderName);

// Whether the encoder has the named filter ("subtitles", "overlay"), asked once per encoder file
// ("-hide_banner -filters") like the encoder list. Unknown when the list cannot be had.
EncoderAvailability GetFilterAvailability(const std::string& encoderPath, const std::string& filterName);

// The encoder names an argument text asks for: the word after "-vcodec", "-acodec", "-c:v",
// "-c:a", "-codec:v", "-codec:a" (and "-c"/"-codec" alone), in order, without "copy" and
// without repeats.
std::vector<std::string> RequestedEncoders(const std::string& argText);

// Forgets what was learnt about every encoder (for tests, and after the user swaps the file in a
// way that keeps its time and size).
void ClearEncoderInfoCache();

}  // namespace vardeno
