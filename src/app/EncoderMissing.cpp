#include "app/EncoderMissing.h"

#include "texts/AppTexts.h"

namespace vardeno {

void ShowEncoderMissing(WarningSink& owner, UiLanguage lang) { owner.ShowWarning(kEncoderMissing(lang)); }

}  // namespace vardeno
