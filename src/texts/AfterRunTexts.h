// The choices of what happens after a conversion run, in the order of their indexes. The third
// names the platform's own way of switching off ("Close Windows" on Windows).
#pragma once

#include "texts/Language.h"
#include "texts/PlatformTexts.h"  // kAfterConversionShutDown

namespace vardeno {

inline constexpr LangText kAfterConversionDoNothing{"Do nothing", "Nic nie rób"};
inline constexpr LangText kAfterConversionCloseApplication{"Close application", "Zamknij program"};

}  // namespace vardeno
