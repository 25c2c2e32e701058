#include "app/EncoderMissing.h"

#include "texts/AppTexts.h"

void ShowEncoderMissing(WarningSink& owner, UiLanguage lang) { owner.ShowWarning(kEncoderMissing(lang)); }
