// Run-time texts of the error log. The words of an entry are the same in both languages.
#pragma once

#include "texts/Language.h"

namespace vardeno {

inline constexpr char kErrorLogNumberPrefix[] = "Error # ";
inline constexpr char kErrorLogNumberRule[] = "----------";
inline constexpr char kErrorLogDateTimePrefix[] = "Date & Time: ";
inline constexpr char kErrorLogDateTimeJoin[] = " / ";
inline constexpr char kErrorLogSeparator[] =
    "---------------------------------------------------------------------";
inline constexpr char kErrorLogExitCodePrefix[] = "ExitCode: ";

// The errors window's caption; after a run with failures it is followed by " (" count ")".
inline constexpr LangText kErrorsCaption{"Errors", "Błędy"};

}  // namespace vardeno
