// A fresh folder under the user's temporary folder for one test, removed with all it holds.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"

namespace vardeno {

class Win32TempDir {
 public:
  Win32TempDir() {
    wchar_t base[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    static unsigned counter = 0;
    path_ = std::filesystem::path(std::wstring(base, length)) /
            (L"vardeno-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++));
    std::filesystem::create_directories(path_);
  }
  ~Win32TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  Win32TempDir(const Win32TempDir&) = delete;
  Win32TempDir& operator=(const Win32TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The UTF-8 path of a name inside the folder, as the core takes paths.
  std::string Utf8(const std::wstring& name) const { return Narrow((path_ / name).wstring()); }
  // Writes bytes to a file inside the folder and gives its full path.
  std::filesystem::path Write(const std::wstring& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
    return file;
  }
  // The names of the folder's entries.
  std::vector<std::wstring> Entries() const {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().wstring());
    return names;
  }

 private:
  std::filesystem::path path_;
};

// The whole content of a file, or "<missing>" when it cannot be opened.
inline std::string Win32FileText(const std::filesystem::path& file) {
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return "<missing>";
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(handle, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(handle);
  return text;
}

}  // namespace vardeno
