// Shell links on the Desktop and in the Start Menu's Programs folder, read back through the shell.
// They are written in the user's real known folders, so the test refuses to run (skips) where a
// "Vardeno.lnk" is already there, and removes what it made. Run it in a throwaway profile: under
// Wine a prefix of its own, with winemenubuilder disabled so no menu entries reach the host.
#include "platform/Shortcuts.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/WideText.h"
#include "Win32TempDir.h"

namespace vardeno {

namespace {

std::string KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = Narrow(path);
  CoTaskMemFree(path);
  return folder;
}

struct LinkFields {
  std::wstring target, itemTarget, workingDir, description, arguments, icon;
};

// What the shell reads from a link file.
LinkFields ReadLink(const std::wstring& file) {
  LinkFields fields;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
      SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
    wchar_t buffer[32768];
    int icon = -1;
    if (SUCCEEDED(link->GetPath(buffer, 32768, nullptr, SLGP_RAWPATH))) fields.target = buffer;
    // The item list, which the shell follows first when it opens the link.
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items && SHGetPathFromIDListW(items, buffer)) fields.itemTarget = buffer;
    CoTaskMemFree(items);
    if (SUCCEEDED(link->GetWorkingDirectory(buffer, 32768))) fields.workingDir = buffer;
    if (SUCCEEDED(link->GetDescription(buffer, 32768))) fields.description = buffer;
    if (SUCCEEDED(link->GetArguments(buffer, 32768))) fields.arguments = buffer;
    if (SUCCEEDED(link->GetIconLocation(buffer, 32768, &icon))) fields.icon = buffer + (L"," + std::to_wstring(icon));
  }
  if (persist) persist->Release();
  if (link) link->Release();
  CoUninitialize();
  return fields;
}

bool RunsUnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

class ShortcutsWin32 : public ::testing::TestWithParam<ShortcutPlace> {};

TEST_P(ShortcutsWin32, ALinkIsWrittenReadBackFoundAndRemoved) {
  const ShortcutPlace place = GetParam();
  const std::string folder = KnownFolder(place == ShortcutPlace::Desktop ? FOLDERID_Desktop : FOLDERID_Programs);
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(ShortcutFolder(place), folder);
  EXPECT_STREQ(ShortcutFileName, "Vardeno.lnk");
  if (ShortcutExists(place, ShortcutFileName)) GTEST_SKIP() << "a Vardeno.lnk of the user's is in " << folder;

  // A target whose folder and name need UTF-16 all the way.
  Win32TempDir dir;
  std::filesystem::create_directory(dir.Path() / L"Programy \u017C\u00F3\u0142te \u65E5");
  const auto exe = dir.Write(L"Programy \u017C\u00F3\u0142te \u65E5\\Vardeno \u0119.exe", "MZ");
  const std::string target = Narrow(exe.wstring());

  ASSERT_TRUE(CreateShortcut("Vardeno", target, place, ShortcutFileName));
  const std::wstring linkFile = Widen(folder + "\\Vardeno.lnk");
  EXPECT_TRUE(ShortcutExists(place, ShortcutFileName));
  const LinkFields fields = ReadLink(linkFile);
  DeleteShortcut(place, ShortcutFileName);

  EXPECT_EQ(fields.itemTarget, exe.wstring());
  // Wine 8 gives back the link's path in the ANSI code page ("?" for what it cannot hold); the
  // item list above carries the whole name there too.
  if (!RunsUnderWine()) EXPECT_EQ(fields.target, exe.wstring());
  EXPECT_EQ(fields.workingDir, exe.parent_path().wstring() + L"\\");
  EXPECT_EQ(fields.description, L"Vardeno");
  EXPECT_EQ(fields.arguments, L"");
  EXPECT_EQ(fields.icon, exe.wstring() + L",0");
  EXPECT_FALSE(ShortcutExists(place, ShortcutFileName));
  EXPECT_EQ(GetFileAttributesW(linkFile.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteShortcut(place, ShortcutFileName);  // nothing there: nothing happens
}

INSTANTIATE_TEST_SUITE_P(Places, ShortcutsWin32, ::testing::Values(ShortcutPlace::Desktop, ShortcutPlace::ApplicationsMenu));

TEST(ShortcutsWin32Files, AFolderOfTheLinksNameIsNoShortcut) {
  const ShortcutPlace place = ShortcutPlace::Desktop;
  const std::wstring name = L"Vardeno test folder.lnk";
  const std::wstring path = Widen(ShortcutFolder(place)) + L"\\" + name;
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "something of that name exists";
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  EXPECT_FALSE(ShortcutExists(place, Narrow(name)));
  DeleteShortcut(place, Narrow(name));
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryW(path.c_str());
}

TEST(ShortcutsWin32Files, TheRunningExecutableIsThisTestProgram) {
  const std::string path = RunningExecutablePath();
  ASSERT_FALSE(path.empty());
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(path.substr(path.size() - 4), ".exe");
  EXPECT_EQ(path[1], ':');  // a full path, not a relative one
}

}  // namespace

}  // namespace vardeno
