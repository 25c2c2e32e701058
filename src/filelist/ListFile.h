// List files (".lst"): one full path per line, UTF-8, every line ended by CR LF; reading accepts
// CR LF, LF and CR.
#pragma once

#include <cstddef>
#include <string>

#include "filelist/FileList.h"
#include "texts/Language.h"

namespace vardeno {

// Adds the file of every line of the list file, in order, as AddToList would (lines with an
// unsupported extension and empty lines add nothing); relative lines count from the current
// folder, not from the list file's. A leading UTF-8 byte-order mark is ignored. Returns the number
// of rows added. Throws SystemError when the file cannot be read; nothing is added then.
std::size_t LoadFileList(FileList& list, const std::string& listPath, UiLanguage lang);

// The content of a list file for every row, checked or not, in list order: the row's folder
// without a trailing "/" (or "/."), "/", the name, CR LF. An empty list gives an empty text.
std::string FileListText(const FileList& list);

// Writes FileListText to path, replacing any file there safely (never half-written). Throws
// SystemError when it cannot; the file that was there is then unchanged.
void SaveFileList(const FileList& list, const std::string& path);

}  // namespace vardeno
