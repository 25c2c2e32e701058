#include "encoder/OutputFormat.h"

namespace vardeno {

const std::array<OutputFormat, kOutputFormatCount>& OutputFormats() {
  static const std::array<OutputFormat, kOutputFormatCount> table = {{
      {"WMV 7 - video & audio", "wmv", "-vcodec wmv1", "-acodec wmav1", true},
      {"WMV 8 - video & audio", "wmv", "-vcodec wmv2", "-acodec wmav2", true},
      {"MP4 (MPEG-4 / AAC) - video & audio", "mp4", "-vcodec mpeg4", "-acodec libfaac", true},
      {"MP4 (H.264 / AAC) - video & audio", "mp4", "-vcodec libx264", "-acodec libfaac", true},
      {"M4V (MPEG-4 / AAC) - video & audio", "m4v", "-vcodec mpeg4", "-acodec libfaac", true},
      {"M4V (H.264 / AAC) - video & audio", "m4v", "-vcodec libx264", "-acodec libfaac", true},
      {"MOV (MPEG-4 / AAC) - video & audio", "mov", "-vcodec mpeg4", "-acodec libfaac", true},
      {"MOV (H.264 / AAC) - video & audio", "mov", "-vcodec libx264", "-acodec libfaac", true},
      {"MP3 - audio", "mp3", "-vn", "-acodec libmp3lame", false},
      {"WMA ver. 1 - audio", "wma", "-vn", "-acodec wmav1", false},
      {"WMA ver. 2 - audio", "wma", "-vn", "-acodec wmav2", false},
      {"M4A (AAC) - audio", "m4a", "-vn", "-acodec libfaac", false},
      {"AAC - audio", "aac", "-vn", "-acodec libfaac", false},
  }};
  return table;
}

bool IsValidOutputFormat(int index) { return index >= 0 && index < kOutputFormatCount; }

bool HasVideo(int index) { return IsValidOutputFormat(index) && OutputFormats()[index].HasVideo; }

}  // namespace vardeno
