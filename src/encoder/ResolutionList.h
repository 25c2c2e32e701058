// The entries of the picture-size list: 0 "Auto", 1 "Custom" (text follows the language),
// then the sizes, from the user's resolution list file when it exists, else built in.
#pragma once

#include <string>
#include <vector>

#include "texts/Language.h"

namespace vardeno {

inline constexpr int kResolutionAuto = 0;
inline constexpr int kResolutionCustom = 1;

struct ResolutionList {
  std::vector<std::string> Entries;  // "Auto", "Custom", sizes...

  // The entry text at index, "" when nothing is there (no selection).
  std::string EntryText(int index) const;
  // Gives entry 1 its text in the language.
  void SetLanguage(UiLanguage lang);
};

const std::vector<std::string>& BuiltInResolutions();

// "Auto", "Custom" in the language, then the sizes.
ResolutionList MakeResolutionList(const std::vector<std::string>& sizes, UiLanguage lang = UiLanguage::English);

// Reads the sizes of the resolution list file: every line trimmed, without empty lines and lines
// starting with "//". A missing file gives the built-in sizes. A file that exists but cannot be
// read (a folder, no permission) gives the built-in sizes too; only its first 1 MiB is read.
std::vector<std::string> LoadResolutionSizes(const std::string& path);

}  // namespace vardeno
