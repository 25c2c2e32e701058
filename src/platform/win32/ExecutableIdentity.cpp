// File identity on Windows: volume serial number and file index from GetFileInformationByHandle.
#include "platform/win32/ExecutableIdentity.h"

#include <windows.h>

#include "platform/ExecutablePath.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace vardeno {

namespace {
std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

bool HasFolderPart(const std::string& exePath) {
  return exePath.find_first_of("\\/") != std::string::npos || (exePath.size() >= 2 && exePath[1] == ':');
}
}  // namespace

ExecutableIdentity IdentifyExecutable(const std::string& exePath) {
  ExecutableIdentity identity;
  const std::string resolved = ResolveExecutablePath(exePath);
  if (resolved.empty()) {
    // Gone since: only a path with a folder still says which file it was.
    if (HasFolderPart(exePath)) identity.path = FullPath(Widen(exePath));
    return identity;
  }
  identity.path = FullPath(Widen(resolved));
  // No access rights are needed to read a file's identity; sharing everything never disturbs
  // a running program or a writer.
  const UniqueHandle file(CreateFileW(identity.path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (file && GetFileInformationByHandle(file.Get(), &info)) {
    identity.fileKnown = true;
    identity.volumeSerial = info.dwVolumeSerialNumber;
    identity.fileIndex = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  }
  return identity;
}

bool SameExecutable(const ExecutableIdentity& a, const ExecutableIdentity& b) {
  if (a.fileKnown && b.fileKnown && a.volumeSerial == b.volumeSerial && a.fileIndex == b.fileIndex) return true;
  return !a.path.empty() && !b.path.empty() &&
         CompareStringOrdinal(a.path.c_str(), static_cast<int>(a.path.size()), b.path.c_str(),
                              static_cast<int>(b.path.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace vardeno
