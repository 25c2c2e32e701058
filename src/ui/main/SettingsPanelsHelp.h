// The encoder's help text behind the "INFO" button: the encoder's own full help, written once
// into the program files folder, then opened like any document.
#pragma once

#include <string>

namespace vardeno {

inline constexpr char kEncoderHelpFileName[] = "ffmpeg_help.txt";

// The path of filesDir/ffmpeg_help.txt. When the file is missing, writes the output of
// "<encoderPath> -h full" there first. Returns "" when there is no file and none can be made:
// no encoder path, an encoder that cannot run or prints nothing, or a folder that cannot be written.
std::string EnsureEncoderHelpFile(const std::string& filesDir, const std::string& encoderPath);

}  // namespace vardeno
