// The options window's texts in both languages (UTF-8).
#pragma once

#include "texts/Language.h"
#include "texts/PlatformTexts.h"

namespace vardeno {

namespace OptionsTexts {
inline constexpr LangText Caption{"Options", "Opcje"};
inline constexpr LangText Shortcuts{"Shortcuts", "Skróty"};
inline constexpr LangText ShortcutDesktop{"On the Desktop", "Skrót na Pulpicie"};
inline constexpr LangText ShortcutMenu = kShortcutMenuPlace;
inline constexpr LangText Language{"Language", "Język"};
inline constexpr LangText English{"English", "English"};
inline constexpr LangText Polish{"Polski", "Polski"};
inline constexpr LangText Ok{"OK", "OK"};
}  // namespace OptionsTexts

}  // namespace vardeno
