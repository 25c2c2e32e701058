// Finding the program file on Windows: a path is taken as it is; a bare name is looked up in the
// PATH folders, with the PATHEXT extensions tried in order when the name has none.
#include "platform/ExecutablePath.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/win32/WideText.h"

namespace vardeno {

namespace {
bool IsNonFolderFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A name with a folder or drive part ("x\y", "x/y", "C:y") is a path, not a name to look up.
bool HasFolderPart(const std::wstring& name) {
  if (name.find_first_of(L"\\/") != std::wstring::npos) return true;
  return name.size() >= 2 && name[1] == L':';
}

std::wstring Variable(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

// The entries of a ";"-separated list, each without surrounding quotes; empty entries dropped.
std::vector<std::wstring> ListEntries(std::wstring_view list) {
  std::vector<std::wstring> entries;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(L';', start);
    if (end == std::wstring_view::npos) end = list.size();
    std::wstring entry(list.substr(start, end - start));
    std::erase(entry, L'"');
    if (!entry.empty()) entries.push_back(std::move(entry));
    start = end + 1;
  }
  return entries;
}
}  // namespace

std::string ResolveExecutablePath(const std::string& exePath) {
  if (exePath.empty()) return {};
  const std::wstring name = Widen(exePath);
  if (HasFolderPart(name)) return IsNonFolderFile(name) ? exePath : std::string();

  std::vector<std::wstring> extensions{L""};
  if (name.find(L'.') == std::wstring::npos) {
    const std::wstring pathExt = Variable(L"PATHEXT");
    extensions = ListEntries(pathExt.empty() ? std::wstring_view(L".COM;.EXE;.BAT;.CMD") : pathExt);
  }
  for (std::wstring folder : ListEntries(Variable(L"PATH"))) {
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    for (const std::wstring& extension : extensions) {
      const std::wstring candidate = folder + name + extension;
      if (IsNonFolderFile(candidate)) return Narrow(candidate);
    }
  }
  return {};
}

}  // namespace vardeno
