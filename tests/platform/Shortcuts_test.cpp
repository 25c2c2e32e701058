// The launchers on the desktop and in the applications menu, in a temporary home with its own XDG
// folders and a stand-in gio on PATH, so no real folder of the user is touched.
#include "platform/Shortcuts.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include "support/Command.h"
#include "support/TempDir.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The launcher the package installs.
const std::string kInstalledLauncher = ReadWholeFile(VARDENO_TEST_DATA_DIR "/../../data/vardeno.desktop");

std::string LineStartingWith(const std::string& text, const std::string& start) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(start, 0) == 0) return line;
  return {};
}

std::string FindValidator() {
  for (const char* path : {"/usr/bin/desktop-file-validate", "/usr/local/bin/desktop-file-validate"})
    if (fs::exists(path)) return path;
  return {};
}

class ShortcutsTest : public ::testing::Test {
 protected:
  ShortcutsTest()
      : validator_(FindValidator()),
        home_("HOME", dir_ / "home"),
        config_("XDG_CONFIG_HOME", std::nullopt),
        data_("XDG_DATA_HOME", std::nullopt),
        path_("PATH", dir_ / "bin") {
    fs::create_directories(dir_ / "home");
    fs::create_directories(dir_ / "bin");
    dir_.Write("bin/gio", "#!/bin/sh\necho \"$@\" >> \"" + (dir_ / "gio.log") + "\"\n");
    fs::permissions(dir_ / "bin/gio", fs::perms::owner_all);
    fs::create_directories(dir_ / "app");
    exe_ = dir_.Write("app/vardeno", "");
  }

  std::string Home() const { return dir_ / "home"; }

  // Errors and warnings of desktop-file-validate (hints do not count); "" when it is not installed.
  std::string ValidatorComplaints(const std::string& file) const {
    if (validator_.empty()) return {};
    const CommandResult result = RunCommand({validator_, file});
    std::string complaints = result.exitCode == 0 ? "" : "exit code " + std::to_string(result.exitCode) + "\n";
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);)
      if (line.find("hint:") == std::string::npos) complaints += line + "\n";
    return complaints;
  }

  TempDir dir_;
  std::string validator_;
  ScopedEnv home_, config_, data_, path_;
  std::string exe_;
};

TEST_F(ShortcutsTest, FoldersFollowTheXdgSettings) {
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::Desktop), Home() + "/Desktop");
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::ApplicationsMenu), Home() + "/.local/share/applications");

  fs::create_directories(Home() + "/.config");
  dir_.Write("home/.config/user-dirs.dirs",
             "# written by xdg-user-dirs-update\nXDG_DOWNLOAD_DIR=\"$HOME/Pobrane\"\n"
             "XDG_DESKTOP_DIR=\"$HOME/Pulpit\"\n");
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::Desktop), Home() + "/Pulpit");

  ScopedEnv config("XDG_CONFIG_HOME", dir_ / "cfg");
  ScopedEnv data("XDG_DATA_HOME", dir_ / "data/");
  fs::create_directories(dir_ / "cfg");
  dir_.Write("cfg/user-dirs.dirs", "XDG_DESKTOP_DIR=\"/srv/desk \\\"top\\\"/\"\n");
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::Desktop), "/srv/desk \"top\"");
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::ApplicationsMenu), (dir_ / "data") + "/applications");

  // A relative value is not a desktop folder; "$HOME/" alone means the home folder itself.
  dir_.Write("cfg/user-dirs.dirs", "XDG_DESKTOP_DIR=\"Desktop\"\n");
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::Desktop), Home() + "/Desktop");
  dir_.Write("cfg/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/\"\n");
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::Desktop), Home());
  // A NUL would cut the path short at the system: such a line names no folder.
  dir_.Write("cfg/user-dirs.dirs", std::string("XDG_DESKTOP_DIR=\"/srv/a\0/etc\"\n", 30));
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::Desktop), Home() + "/Desktop");

  // Relative XDG base folders are ignored.
  ScopedEnv relative("XDG_DATA_HOME", "data");
  EXPECT_EQ(ShortcutFolder(ShortcutPlace::ApplicationsMenu), Home() + "/.local/share/applications");
}

TEST_F(ShortcutsTest, CreateExistsDeleteInBothPlaces) {
  for (ShortcutPlace place : {ShortcutPlace::Desktop, ShortcutPlace::ApplicationsMenu}) {
    SCOPED_TRACE(place == ShortcutPlace::Desktop ? "desktop" : "menu");
    const char* const name = LauncherFileName(place);
    const std::string file = ShortcutFolder(place) + "/" + name;
    EXPECT_FALSE(ShortcutExists(place, name));

    // Both folders are missing here: one level is created.
    ASSERT_TRUE(CreateShortcut("Vardeno", exe_, place, name));
    EXPECT_TRUE(ShortcutExists(place, name));
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);

    const std::string text = ReadWholeFile(file);
    EXPECT_NE(text.find("\nName=Vardeno\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nExec=\"" + exe_ + "\" %F\n"), std::string::npos) << text;
    // The same file types as the installed launcher, which the menu one stands in for.
    EXPECT_EQ(LineStartingWith(text, "MimeType="), LineStartingWith(kInstalledLauncher, "MimeType=")) << text;
    EXPECT_NE(text.find("\nPath=" + (dir_ / "app") + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nIcon=vardeno\n"), std::string::npos) << text;
    EXPECT_EQ(ValidatorComplaints(file), "");

    DeleteShortcut(place, name);
    EXPECT_FALSE(ShortcutExists(place, name));
    EXPECT_FALSE(fs::exists(file));
    DeleteShortcut(place, name);  // nothing there: nothing happens
  }
  // The menu launcher bears the installed launcher's id, so menus list one entry; the desktop
  // one keeps the name users see.
  EXPECT_STREQ(LauncherFileName(ShortcutPlace::ApplicationsMenu), "vardeno.desktop");
  EXPECT_STREQ(LauncherFileName(ShortcutPlace::Desktop), "Vardeno.desktop");
  // Only the desktop launcher is marked trusted.
  EXPECT_EQ(ReadWholeFile(dir_ / "gio.log"),
            "set " + Home() + "/Desktop/Vardeno.desktop metadata::trusted true\n");
}

TEST_F(ShortcutsTest, HandMadeLauncherCountsAsTheProgramsOwn) {
  fs::create_directories(Home() + "/.local/share/applications");
  dir_.Write("home/.local/share/applications/Vardeno.desktop", "[Desktop Entry]\nName=Mine\n");
  EXPECT_TRUE(ShortcutExists(ShortcutPlace::ApplicationsMenu, ShortcutFileName));
  EXPECT_FALSE(ShortcutExists(ShortcutPlace::ApplicationsMenu, "Other.desktop"));
  DeleteShortcut(ShortcutPlace::ApplicationsMenu, ShortcutFileName);
  EXPECT_FALSE(fs::exists(Home() + "/.local/share/applications/Vardeno.desktop"));
}

TEST_F(ShortcutsTest, AwkwardPathsStayValidAndExact) {
  fs::create_directories(dir_ / "app/my $dir \"100%\"");
  const std::string exe = dir_.Write("app/my $dir \"100%\"/vardeno\\x", "");
  dir_.Write("app/my $dir \"100%\"/vardeno.svg", "<svg xmlns='http://www.w3.org/2000/svg'/>");
  ASSERT_TRUE(CreateShortcut("Vardeno", exe, ShortcutPlace::ApplicationsMenu, ShortcutFileName));
  const std::string file = ShortcutFolder(ShortcutPlace::ApplicationsMenu) + "/Vardeno.desktop";
  const std::string text = ReadWholeFile(file);
  // Exec: quoted, with \" \$ \\ inside the quotes, "%" doubled, then every "\" doubled as any
  // string value of the file.
  const std::string folder = dir_ / "app/my $dir \"100%\"";
  EXPECT_NE(text.find("\nExec=\"" + (dir_ / "app/my \\\\$dir \\\\\"100%%\\\\\"/vardeno\\\\\\\\x") + "\" %F\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\nPath=" + folder + "\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nIcon=" + folder + "/vardeno.svg\n"), std::string::npos) << text;
  EXPECT_EQ(ValidatorComplaints(file), "");
}

TEST_F(ShortcutsTest, FolderThatCannotBeMadeFailsWithoutAFile) {
  // A file where the applications folder belongs.
  fs::create_directories(Home() + "/.local/share");
  dir_.Write("home/.local/share/applications", "");
  EXPECT_FALSE(CreateShortcut("Vardeno", exe_, ShortcutPlace::ApplicationsMenu, ShortcutFileName));
  EXPECT_FALSE(ShortcutExists(ShortcutPlace::ApplicationsMenu, ShortcutFileName));

  // A desktop folder whose parent is missing is not made: only one level is.
  ScopedEnv config("XDG_CONFIG_HOME", dir_ / "cfg");
  fs::create_directories(dir_ / "cfg");
  dir_.Write("cfg/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + (dir_ / "no/such") + "\"\n");
  EXPECT_FALSE(CreateShortcut("Vardeno", exe_, ShortcutPlace::Desktop, ShortcutFileName));
  EXPECT_FALSE(fs::exists(dir_ / "no"));
}

TEST_F(ShortcutsTest, RunningExecutableIsThisTest) {
  const std::string exe = RunningExecutablePath();
  ASSERT_FALSE(exe.empty());
  EXPECT_TRUE(fs::equivalent(exe, "/proc/self/exe"));
}
}  // namespace

}  // namespace vardeno
