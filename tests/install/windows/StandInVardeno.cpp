// A stand-in for Vardeno.exe while the installer is tested without the Qt build: it picks its
// settings folder by the same rule as the real program and writes Vardeno.ini there, then exits.
//
// The rule: the program's own folder holds the settings when it is not an installed copy and a
// file can be created in it; otherwise %APPDATA%\Vardeno does. A copy is installed when
//   - the file "installed.txt" lies beside the executable (the setup program writes it), or
//   - its folder is inside the Program Files folders (FOLDERID_ProgramFiles, ProgramFilesX86), or
//   - its folder is named "bin" (case ignored).
#include <windows.h>
#include <shlobj.h>
#include <knownfolders.h>

#include <string>

namespace {
std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) result = path;
  CoTaskMemFree(path);
  return result;
}

std::wstring Lower(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// True when path is folder or lies below it (whole components, case ignored).
bool IsInside(const std::wstring& path, std::wstring folder) {
  if (folder.empty()) return false;
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  const std::wstring p = Lower(path), f = Lower(folder);
  return p.size() >= f.size() && p.compare(0, f.size(), f) == 0 && (p.size() == f.size() || p[f.size()] == L'\\');
}

bool IsInstalledCopy(const std::wstring& dir) {
  if (GetFileAttributesW((dir + L"\\installed.txt").c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  if (IsInside(dir, KnownFolder(FOLDERID_ProgramFiles)) || IsInside(dir, KnownFolder(FOLDERID_ProgramFilesX86)))
    return true;
  const size_t slash = dir.find_last_of(L'\\');
  return Lower(dir.substr(slash == std::wstring::npos ? 0 : slash + 1)) == L"bin";
}

bool CanCreateFileIn(const std::wstring& dir) {
  const std::wstring probe = dir + L"\\Vardeno-write-test.tmp";
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t exe[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH * 4);
  std::wstring dir(exe, n);
  dir.erase(dir.find_last_of(L'\\'));

  std::wstring settingsDir = dir;
  if (IsInstalledCopy(dir) || !CanCreateFileIn(dir)) {
    settingsDir = KnownFolder(FOLDERID_RoamingAppData) + L"\\Vardeno";
    CreateDirectoryW(settingsDir.c_str(), nullptr);
  }
  HANDLE h = CreateFileW((settingsDir + L"\\Vardeno.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  const char text[] = "[Settings]\r\nLanguage=en\r\n";
  DWORD written = 0;
  const bool ok = WriteFile(h, text, sizeof text - 1, &written, nullptr) && written == sizeof text - 1;
  CloseHandle(h);
  return ok ? 0 : 1;
}
