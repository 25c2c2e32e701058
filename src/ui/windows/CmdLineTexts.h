// Texts of the command-line preview window, in both languages.
#pragma once

#include "texts/Language.h"

namespace vardeno {

inline constexpr LangText kCmdLineCaption{"FFmpeg command-line parameters",
                                          "Parametry, które zostaną przekazane do kodera FFmpeg"};

}  // namespace vardeno
