#include "filelist/FileRowMaker.h"

#include <string_view>
#include <utility>

#include "base/FileSizeText.h"
#include "base/PathSyntax.h"
#include "filelist/PathText.h"
#include "filelist/SupportedExtensions.h"
#include "texts/FileListTexts.h"

namespace vardeno {

FileRowMaker::FileRowMaker(UiLanguage lang, std::optional<std::string> currentDir)
    : status_(kStatusReady(lang)), currentDir_(std::move(currentDir)) {}

const std::string& FileRowMaker::CurrentDir() {
  if (!currentDir_) currentDir_ = CurrentDirectory();
  return *currentDir_;
}

std::optional<FileListRow> FileRowMaker::Make(const std::string& path) {
  if (!IsSupportedExtension(path)) return std::nullopt;
  // A NUL would cut the name short for the system, which would then size (and later convert)
  // another file than the row shows; a line break could not be written to a list file, which
  // holds one path per line.
  if (path.find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos) return std::nullopt;

  FileListRow row;
  const bool absolute = IsAbsolutePath(path);
  const std::string fullPath = MakeAbsolutePath(path, absolute ? std::string() : CurrentDir());
  SplitDirectoryAndName(fullPath, row.Directory, row.Name);
  row.SizeText = FormatFileSize(sizes_.Of(fullPath, row.Directory, row.Name));
  row.Status = status_;
  row.Checked = true;
  return row;
}

}  // namespace vardeno
