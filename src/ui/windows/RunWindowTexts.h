// Texts of the progress window and the errors window, in both languages. The run-time texts
// (statuses, the Abort / Close caption, the errors caption with its count) are the core's.
#pragma once

#include "texts/Language.h"

namespace vardeno {

// The progress window.
inline constexpr LangText kProgressWindowCaption{"Conversion", "Konwersja"};
inline constexpr LangText kEncoderOutputLabel{"Encoder output :", "Wyjście kodera :"};
inline constexpr LangText kStatusLabel{"Status :", "Status :"};
inline constexpr LangText kInputFileLabel{"Input file :", "Plik źródłowy :"};
inline constexpr LangText kOutputFileLabel{"Output file :", "Plik docelowy :"};
inline constexpr LangText kProgressLabel{"Progress :", "Postęp :"};
// Several files at once: the batch's status line ("Files done: 3 / 8   Running: 2   45 %") and the
// running files' list.
inline constexpr LangText kFilesDoneText{"Files done: ", "Gotowe pliki: "};
inline constexpr LangText kFilesRunningText{"   Running: ", "   W toku: "};
inline constexpr LangText kRunningFilesLabel{"Running files :", "Pliki w toku :"};

// The errors window (its caption is the core's kErrorsCaption).
inline constexpr LangText kClearLogCaption{"Clear log", "Wyczyść log"};
inline constexpr LangText kSaveLogCaption{"Save log...", "Zapisz log..."};
inline constexpr LangText kCloseLogCaption{"Close", "Zamknij"};
// Description and pattern, separated by "|".
inline constexpr LangText kSaveLogFilter{"Log file (*.LOG)|*.log", "Pliki LOG|*.log"};
inline constexpr char kSaveLogDefaultSuffix[] = "log";
inline constexpr char kSaveLogProposedName[] = "Vardeno_Errors.log";

}  // namespace vardeno
