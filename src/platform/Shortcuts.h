// The program's launchers on the user's desktop and in the applications menu (Linux: freedesktop
// ".desktop" files; Windows: shell links on the Desktop and in the Start Menu's Programs folder).
// Nothing here reports a failure to the user; the options window reads the disk again each time it
// becomes active. The comments below describe Linux; platform/win32/Shortcuts.cpp says how Windows
// differs.
#pragma once

#include <string>

namespace vardeno {

// The file name of both launchers ("Vardeno.desktop"; on Windows "Vardeno.lnk").
extern const char* const ShortcutFileName;
// The file name of the launcher in the applications menu: on Linux the id of the launcher the
// package installs (/usr/share/applications/vardeno.desktop), as menus show the user's file in
// place of the system's one of the same id, so the program is listed once whether or not it is
// installed; on Windows "Vardeno.lnk".
extern const char* const MenuLauncherFileName;

enum class ShortcutPlace {
  Desktop,          // XDG_DESKTOP_DIR of $XDG_CONFIG_HOME/user-dirs.dirs, else ~/Desktop
  ApplicationsMenu  // $XDG_DATA_HOME/applications, default ~/.local/share/applications
};

// The program's launcher file name in a place (ShortcutFileName or MenuLauncherFileName).
inline const char* LauncherFileName(ShortcutPlace place) {
  return place == ShortcutPlace::ApplicationsMenu ? MenuLauncherFileName : ShortcutFileName;
}

// The folder of a place, without a trailing "/", from the environment as it is now (HOME,
// XDG_CONFIG_HOME, XDG_DATA_HOME; relative XDG values are ignored, as the XDG rules say).
// Empty when no home folder can be found.
std::string ShortcutFolder(ShortcutPlace place);

// Whether something that is not a folder lies at <folder>/<fileName>. A file of that name that the
// user made counts as the program's own.
bool ShortcutExists(ShortcutPlace place, const std::string& fileName);

// Writes a launcher at <folder>/<fileName> (replacing one that is there) that starts targetPath
// with the files it is given (%F; it offers the file types the program takes, as the installed
// launcher does, so "Open with" stays when it stands in for that one) from targetPath's folder,
// named description, with the program's icon (an icon
// file "vardeno.svg" or "vardeno.png" beside targetPath by its full path, else the icon name
// "vardeno"). The place's folder is created when it is missing (one level; for the menu, a missing
// data home $XDG_DATA_HOME is made first, mode 0700, as the XDG rules ask). The file gets mode 0755; on
// the desktop it is also marked trusted (`gio set <file> metadata::trusted true`, when gio is on
// PATH; its outcome is ignored). True when the file was written.
bool CreateShortcut(const std::string& description, const std::string& targetPath, ShortcutPlace place,
                    const std::string& fileName);

// Removes <folder>/<fileName> when it exists; the outcome is not checked.
void DeleteShortcut(ShortcutPlace place, const std::string& fileName);

// The full path of the running executable (empty if the system cannot tell).
std::string RunningExecutablePath();

}  // namespace vardeno
