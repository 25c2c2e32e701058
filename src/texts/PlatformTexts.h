// The texts that name a facility of the system: on Windows the program's own words (a batch file,
// the Start Menu, closing Windows); elsewhere a wording for what the program does there (a shell
// script, the applications menu, switching the computer off).
#pragma once

#include "texts/Language.h"

namespace vardeno {

#if defined(_WIN32)
inline constexpr LangText kSaveScriptCaption{"Save BAT file...", "Zapisz plik BAT..."};
inline constexpr LangText kScriptFileFilter{"Batch files (*.BAT)|*.bat", "Pliki wsadowe (*.BAT)|*.bat"};
inline constexpr LangText kShortcutMenuPlace{"In the Start Menu", "Skrót w Menu Start"};
inline constexpr LangText kAfterConversionShutDown{"Close Windows", "Zamknij Windows"};
#else
inline constexpr LangText kSaveScriptCaption{"Save script file...", "Zapisz plik skryptu..."};
inline constexpr LangText kScriptFileFilter{"Shell scripts (*.sh)|*.sh", "Skrypty powłoki (*.sh)|*.sh"};
inline constexpr LangText kShortcutMenuPlace{"In the applications menu", "W menu aplikacji"};
inline constexpr LangText kAfterConversionShutDown{"Shut down computer", "Wyłącz komputer"};
#endif

}  // namespace vardeno
