// The program's shortcuts on Windows: shell links "Vardeno.lnk" written through the shell's link
// object (IShellLinkW, saved with IPersistFile).
//
// How Windows differs from the header's Linux description:
// - The places are the user's known folders: Desktop is FOLDERID_Desktop, the applications menu is
//   FOLDERID_Programs (the Start Menu's "Programs" folder, where the Start Menu lists programs).
//   ShortcutFolder gives the folder without a trailing backslash; it is empty when the shell cannot
//   name the folder. Nothing in the environment redirects them.
// - CreateShortcut writes a link to targetPath with no arguments, the target's folder (with its
//   trailing backslash) as working folder, description as its comment and the target's own first
//   icon. A missing place folder is created (one level). There is no run bit and nothing to trust.
// - Paths cross the system boundary as UTF-16.
#include "platform/Shortcuts.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/WideText.h"

namespace vardeno {

const char* const ShortcutFileName = "Vardeno.lnk";
const char* const MenuLauncherFileName = "Vardeno.lnk";

namespace {

// Holds COM for the calling thread for one call. A thread that already runs COM in another
// apartment model still gets the shell's link object (it works in either), so that case is not
// an error, but then this call must not uninitialise what it did not initialise.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// Releases a COM interface at the end of its scope.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface* operator->() const { return pointer_; }
  void** Out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path) folder = path;
  CoTaskMemFree(path);  // the shell may allocate even when it fails; null is allowed
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::wstring WideShortcutFolder(ShortcutPlace place) {
  return KnownFolder(place == ShortcutPlace::Desktop ? FOLDERID_Desktop : FOLDERID_Programs);
}

std::wstring ShortcutPath(ShortcutPlace place, const std::string& fileName) {
  const std::wstring folder = WideShortcutFolder(place);
  if (folder.empty() || fileName.empty()) return {};
  return folder + L"\\" + Widen(fileName);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder part of a path, with its trailing backslash ("C:\app\" for "C:\app\vardeno.exe");
// empty when the path has none.
std::wstring FolderWithSeparator(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

}  // namespace

std::string ShortcutFolder(ShortcutPlace place) { return Narrow(WideShortcutFolder(place)); }

bool ShortcutExists(ShortcutPlace place, const std::string& fileName) {
  const std::wstring path = ShortcutPath(place, fileName);
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateShortcut(const std::string& description, const std::string& targetPath, ShortcutPlace place,
                    const std::string& fileName) {
  const std::wstring path = ShortcutPath(place, fileName);
  if (path.empty() || targetPath.empty()) return false;
  const std::wstring folder = WideShortcutFolder(place);
  if (!IsFolder(folder) && !CreateDirectoryW(folder.c_str(), nullptr)) return false;

  const ComScope com;
  if (!com.Usable()) return false;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IShellLinkW,
                              link.Out())))
    return false;
  const std::wstring target = Widen(targetPath);
  if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetArguments(L"")) ||
      FAILED(link->SetWorkingDirectory(FolderWithSeparator(target).c_str())) ||
      FAILED(link->SetDescription(Widen(description).c_str())) || FAILED(link->SetIconLocation(target.c_str(), 0)))
    return false;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) return false;
  return SUCCEEDED(file->Save(path.c_str(), TRUE));
}

void DeleteShortcut(ShortcutPlace place, const std::string& fileName) {
  if (!ShortcutExists(place, fileName)) return;
  DeleteFileW(ShortcutPath(place, fileName).c_str());
}

std::string RunningExecutablePath() {
  // Long paths do not fit MAX_PATH: the buffer grows until the whole path fits (the system cuts
  // the path and returns the buffer's size when it does not).
  for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
    std::wstring buffer(size, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) {
      buffer.resize(length);
      return Narrow(buffer);
    }
  }
  return {};
}

}  // namespace vardeno
