// Ordering names the way the user's locale sorts them, with letter case ignored.
#pragma once

#include <locale>
#include <string>
#include <vector>

namespace vardeno {

// The locale the user's environment names for collation (LC_ALL, LC_COLLATE or LANG), as a
// locale object (the process locale is not changed); the classic "C" locale when none is named
// or the named one is not installed.
std::locale UserCollationLocale();

// Sorts UTF-8 names ascending in the collation order of `collation`, with letter case ignored in
// every script ("ła" before "ŁB"); names that compare equal keep their order.
void SortNamesIgnoringCase(std::vector<std::string>& names, const std::locale& collation);

}  // namespace vardeno
