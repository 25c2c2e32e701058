// Texts of the profile list and the profile file dialogs.
#pragma once

#include "texts/Language.h"

namespace vardeno {

// The first two entries of the profile list as the list is built.
inline constexpr LangText kProfileEntryLastSession{"The last session settings",
                                                   "Ustawienia z ostatniej sesji programu"};
inline constexpr LangText kProfileEntryDefaults{"Default encoder settings", "Domyślne ustawienia kodera"};
// Entry 1 as the main window's language routine names it (English words in another order).
inline constexpr LangText kProfileEntryDefaultsRenamed{"Encoder default settings",
                                                       "Domyślne ustawienia kodera"};

// Filter of the profile open and save dialogs: description "|" pattern.
inline constexpr LangText kProfileFileFilter{"Ini files (*.INI)|*.ini", "Pliki ini (*.INI)|*.ini"};

}  // namespace vardeno
