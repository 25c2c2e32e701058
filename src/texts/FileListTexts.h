// Run-time texts of the file list.
#pragma once

#include "texts/Language.h"

namespace vardeno {

// The status of a row when it is added; it stays in the language of that moment.
inline constexpr LangText kStatusReady{"Ready", "Gotowy"};

}  // namespace vardeno
