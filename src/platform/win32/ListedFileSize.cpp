// File sizes for the list on Windows: one attribute query per file, which needs no handle.
#include "platform/ListedFileSize.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace vardeno {

std::uint64_t ListedFileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return 0;
  if ((data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

struct ListedFileSizes::State {};

ListedFileSizes::ListedFileSizes() = default;
ListedFileSizes::~ListedFileSizes() = default;

std::uint64_t ListedFileSizes::Of(const std::string& fullPath, const std::string&, const std::string&) {
  return ListedFileSize(fullPath);
}

}  // namespace vardeno
