// The file extensions the file list accepts, and the test every added path goes through.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vardeno {

// Upper case, without the dot. The order carries no meaning.
inline constexpr std::array<std::string_view, 37> SupportedExtensions{
    "AVI", "DIVX", "XVID", "MPG",  "MPEG", "MPE", "WMV", "ASF", "MP4", "M4V", "MOV", "QT", "3GP",
    "3GPP", "3G2", "3GP2", "MKV",  "FLV",  "SWF", "VOB", "DAT", "OGM", "AMV", "WAV", "MP3", "AC3",
    "MPC", "MPA",  "MP2",  "WMA",  "FLAC", "SHN", "APE", "OGG", "M4A", "WV",  "AMR"};

// The extension of the path's file name with its dot: the text from the last "." after the last
// "/"; empty when the name has none.
std::string FileExtension(std::string_view path);

// True when the path's extension, case ignored, is one of SupportedExtensions ("movie.AvI" is
// accepted; a path without an extension is not).
bool IsSupportedExtension(std::string_view path);

// True when the path names a list file: its extension is ".lst", case ignored.
bool IsListFileName(std::string_view path);

}  // namespace vardeno
