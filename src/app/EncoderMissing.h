// The warning shown when a conversion is started and no encoder program can be found.
#pragma once

#include "base/WarningSink.h"
#include "texts/Language.h"

namespace vardeno {

void ShowEncoderMissing(WarningSink& owner, UiLanguage lang);

}  // namespace vardeno
