// Files on disk through the Windows API, every path as UTF-16.
#include "platform/FileSystem.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace vardeno {

namespace {
DWORD AttributesOf(const std::string& path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Widen(path).c_str());
}

// A handle for asking about the file itself (no access to its content needed), links followed.
HANDLE OpenForQuery(const std::string& path) {
  return CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

struct HandleCloser {
  HANDLE handle;
  ~HandleCloser() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};
}  // namespace

bool PathExists(const std::string& path) { return AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsExistingNonFolder(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool IsExecutableFile(const std::string& path) { return IsRegularFile(path); }

// Read-only attributes on folders mean nothing to Windows; only creating a file tells.
bool IsWritableFolder(const std::string& path) {
  if (!IsFolder(path)) return false;
  std::wstring probe = Widen(path);
  if (!probe.empty() && probe.back() != L'\\' && probe.back() != L'/') probe += L'\\';
  probe += L".vardeno-write-test-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::uint64_t GetFileSizeBytes(const std::string& path) {
  const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  HandleCloser closer{file};
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) return 0;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const HANDLE file = OpenForQuery(path);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  HandleCloser closer{file};
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::optional<FileChangeStamp> ChangeStampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  const std::int64_t ticks =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                data.ftLastWriteTime.dwLowDateTime);
  const std::int64_t size =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  return FileChangeStamp{ticks * 100, size};  // FILETIME counts 100 ns steps
}

std::string CurrentDirectory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return {};
  std::wstring buffer(length, L'\0');
  const DWORD written = GetCurrentDirectoryW(length, buffer.data());
  if (written == 0 || written >= length) return {};
  buffer.resize(written);
  return Narrow(buffer);
}

bool ForceDeleteFile(const std::string& path) {
  const std::wstring wide = Widen(path);
  if (DeleteFileW(wide.c_str())) return true;
  // A read-only file: clear the attribute and try once more.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  SetFileAttributesW(wide.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  return DeleteFileW(wide.c_str()) != 0;
}

// Installed: the setup program left its marker "installed.txt" beside the program, or the folder
// lies inside Program Files (a portable copy unpacked there too, as Wine lets anyone write there).
bool IsInstalledProgramFolder(const std::string& folder) {
  const std::wstring wide = Widen(folder) + L"\\";
  if (GetFileAttributesW((wide + L"installed.txt").c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  for (const KNOWNFOLDERID& id : {FOLDERID_ProgramFilesX64, FOLDERID_ProgramFilesX86}) {
    PWSTR programs = nullptr;
    bool inside = false;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &programs))) {
      const std::wstring prefix = std::wstring(programs) + L"\\";
      inside = wide.size() >= prefix.size() &&
               CompareStringOrdinal(wide.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                                    static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
    }
    CoTaskMemFree(programs);
    if (inside) return true;
  }
  return false;
}

std::string UserProgramFilesDir() {
  PWSTR folder = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &folder)))
    result = Narrow(folder) + "\\Vardeno";
  CoTaskMemFree(folder);
  if (result.empty()) {
    const std::optional<std::string> appData = EnvironmentValue("APPDATA");
    result = (appData ? *appData : CurrentDirectory()) + "\\Vardeno";
  }
  return result;
}

std::optional<std::string> EnvironmentValue(const char* name) {
  const std::wstring wideName = Widen(name);
  const DWORD length = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (length == 0) return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt : std::optional<std::string>("");
  std::wstring value(length, L'\0');
  const DWORD written = GetEnvironmentVariableW(wideName.c_str(), value.data(), length);
  value.resize(written);
  return Narrow(value);
}

}  // namespace vardeno
