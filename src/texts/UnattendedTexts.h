// Texts of a run that goes on without anyone watching: the sleep lock, a stalled encoder, the
// notice at the end. conversion/UnattendedText.h builds the ones that carry numbers.
#pragma once

#include "texts/Language.h"

namespace vardeno {

inline constexpr LangText kMaySleepNotice{"The computer may go to sleep during the conversion.",
                                          "Komputer może przejść w stan uśpienia podczas konwersji."};
// The encoder's silence, followed by its length ("3 min 05 s").
inline constexpr LangText kSilentFor{"The encoder has printed nothing for ", "Koder nic nie wypisał od "};
inline constexpr LangText kRunAbortedNotice{"The conversion was aborted", "Konwersję przerwano"};

}  // namespace vardeno
