// Files dropped onto the main window.
#pragma once

#include <cstddef>
#include <locale>
#include <string>
#include <vector>

#include "filelist/FileList.h"
#include "filelist/NameOrder.h"
#include "texts/Language.h"

namespace vardeno {

// Skips empty names, sorts the rest ignoring case in the order of `collation`, then in that order
// loads each list file (".lst", LoadFileList) at its place and passes every other name to
// AddToList. A folder is one name: it is added only if its name has a supported extension (a
// folder named "*.lst" is not read), and what it holds is never listed. Returns the number of rows
// added. A list file that cannot be read throws SystemError; the rows added before it stay (with
// their numbers) and the names after it are not added.
std::size_t HandleDroppedFiles(FileList& list, std::vector<std::string> names, UiLanguage lang,
                               const std::locale& collation = UserCollationLocale());

}  // namespace vardeno
