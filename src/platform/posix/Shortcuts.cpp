#include "platform/Shortcuts.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/FileIo.h"
#include "platform/SystemError.h"

extern char** environ;

namespace vardeno {

const char* const ShortcutFileName = "Vardeno.desktop";
const char* const MenuLauncherFileName = "vardeno.desktop";

namespace {
// The file types the program opens, as the installed launcher (data/vardeno.desktop) lists them.
constexpr const char* kLauncherMimeTypes =
    "video/x-msvideo;video/mpeg;video/x-ms-wmv;application/vnd.ms-asf;video/mp4;video/quicktime;video/3gpp;"
    "video/3gpp2;video/x-matroska;video/x-flv;application/vnd.adobe.flash.movie;video/x-ogm+ogg;video/ogg;"
    "video/x-theora+ogg;audio/x-wav;audio/mpeg;audio/ac3;audio/x-musepack;audio/mp2;audio/x-ms-wma;audio/flac;"
    "application/x-shorten;audio/x-ape;audio/ogg;audio/x-vorbis+ogg;audio/x-flac+ogg;audio/x-speex+ogg;audio/mp4;"
    "audio/x-wavpack;audio/AMR;";

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string HomeFolder() {
  std::string home = EnvironmentValue("HOME");
  if (home.empty()) {
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) home = user->pw_dir;
  }
  return WithoutTrailingSlashes(home);
}

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
std::string XdgFolder(const char* variable, const std::string& home, const char* fallback) {
  const std::string value = EnvironmentValue(variable);
  if (!value.empty() && value.front() == '/') return WithoutTrailingSlashes(value);
  return home + fallback;
}

// The value of XDG_DESKTOP_DIR in a user-dirs.dirs text: a line XDG_DESKTOP_DIR="..." whose value
// is "$HOME/..." (or "${HOME}/...") or an absolute path, with shell backslash escapes inside the
// quotes. Empty when there is no usable line; the last usable line wins, as when the shell reads it.
std::string DesktopFromUserDirs(const std::string& text, const std::string& home) {
  std::string found;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::string_view rest(line);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    constexpr std::string_view key = "XDG_DESKTOP_DIR=";
    if (rest.substr(0, key.size()) != key) continue;
    rest.remove_prefix(key.size());
    std::string value;
    if (!rest.empty() && rest.front() == '"') {
      rest.remove_prefix(1);
      bool closed = false;
      for (size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '\\' && i + 1 < rest.size()) {
          value += rest[++i];
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          value += c;
        }
      }
      if (!closed) continue;
    } else {
      const size_t end = rest.find_first_of(" \t\r#");
      value = std::string(rest.substr(0, end));
    }
    for (std::string_view prefix : {std::string_view("${HOME}"), std::string_view("$HOME")}) {
      if (value.compare(0, prefix.size(), prefix) == 0 &&
          (value.size() == prefix.size() || value[prefix.size()] == '/')) {
        value = home + value.substr(prefix.size());
        break;
      }
    }
    // A NUL would cut the path short at the system, naming another folder than the line does.
    if (value.empty() || value.front() != '/' || value.find('\0') != std::string::npos) continue;
    found = WithoutTrailingSlashes(value);
  }
  return found;
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ShortcutPath(ShortcutPlace place, const std::string& fileName) {
  const std::string folder = ShortcutFolder(place);
  if (folder.empty() || fileName.empty()) return {};
  return folder + "/" + fileName;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A value of the "string" kind of a desktop entry: backslash, line breaks, tab and a leading blank
// escaped.
std::string EscapeValue(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case ' ': out += i == 0 ? "\\s" : " "; break;
      default: out += c;
    }
  }
  return out;
}

// One argument of an Exec line: always quoted, with the characters that are special inside the
// quotes escaped, and "%" doubled so it is not taken for a field code.
std::string QuoteExecArgument(const std::string& argument) {
  std::string out = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  return out + "\"";
}

std::string IconFor(const std::string& targetPath) {
  const std::string folder = FolderOf(targetPath);
  for (const char* name : {"vardeno.svg", "vardeno.png"}) {
    const std::string candidate = folder + "/" + name;
    if (IsFile(candidate)) return candidate;
  }
  return "vardeno";
}

// The XDG base folder (the data home) is made with mode 0700, its missing parents too, when
// something is to be written below it, as the XDG base-folder rules ask.
void MakeXdgBaseFolder(const std::string& folder) {
  if (folder.empty() || IsFolder(folder)) return;
  MakeXdgBaseFolder(FolderOf(folder));
  mkdir(folder.c_str(), 0700);
}

// Runs `gio set <path> metadata::trusted true` when gio is on PATH, so desktops that ask for it
// start the launcher without a question. Output is discarded; failure changes nothing.
void MarkTrusted(const std::string& path) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return;
  for (int fd = 0; fd <= 2; ++fd)
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  std::string program = "gio", verb = "set", key = "metadata::trusted", value = "true", file = path;
  char* argv[] = {program.data(), verb.data(), file.data(), key.data(), value.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "gio", &actions, nullptr, argv, environ) == 0) {
    // gio answers at once; one that hangs (a session bus that never replies) is ended after 3 s
    // so the window that asked does not freeze.
    int status = 0;
    for (int waited = 0;; waited += 10) {
      const pid_t done = waitpid(pid, &status, WNOHANG);
      if (done == pid || (done < 0 && errno != EINTR)) break;
      if (waited >= 3000) {
        kill(pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        break;
      }
      usleep(10000);
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}
}  // namespace

std::string ShortcutFolder(ShortcutPlace place) {
  const std::string home = HomeFolder();
  if (home.empty()) return {};
  if (place == ShortcutPlace::ApplicationsMenu)
    return XdgFolder("XDG_DATA_HOME", home, "/.local/share") + "/applications";
  const std::string configFolder = XdgFolder("XDG_CONFIG_HOME", home, "/.config");
  const std::string desktop = DesktopFromUserDirs(ReadTextFile(configFolder + "/user-dirs.dirs"), home);
  return desktop.empty() ? home + "/Desktop" : desktop;
}

bool ShortcutExists(ShortcutPlace place, const std::string& fileName) {
  const std::string path = ShortcutPath(place, fileName);
  struct stat info {};
  return !path.empty() && lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// The launcher's text as CreateShortcut writes it (UTF-8, LF line ends).
static std::string LauncherText(const std::string& description, const std::string& targetPath,
                                const std::string& icon) {
  std::string text = "[Desktop Entry]\n";
  text += "Type=Application\n";
  text += "Version=1.0\n";
  text += "Name=" + EscapeValue(description) + "\n";
  text += "Comment=Convert video and audio files for Zune players\n";
  text += "Comment[pl]=Konwersja plików video i audio dla odtwarzaczy Zune\n";
  text += "Exec=" + EscapeValue(QuoteExecArgument(targetPath)) + " %F\n";
  text += "Path=" + EscapeValue(FolderOf(targetPath)) + "\n";
  text += "Icon=" + EscapeValue(icon) + "\n";
  text += "Terminal=false\n";
  text += "Categories=AudioVideo;\n";
  text += std::string("MimeType=") + kLauncherMimeTypes + "\n";
  return text;
}

bool CreateShortcut(const std::string& description, const std::string& targetPath, ShortcutPlace place,
                    const std::string& fileName) {
  const std::string path = ShortcutPath(place, fileName);
  if (path.empty() || targetPath.empty()) return false;
  const std::string folder = FolderOf(path);
  if (place == ShortcutPlace::ApplicationsMenu) MakeXdgBaseFolder(FolderOf(folder));
  if (!IsFolder(folder) && mkdir(folder.c_str(), 0755) != 0) return false;
  try {
    WriteFileAtomically(path, LauncherText(description, targetPath, IconFor(targetPath)), true);
  } catch (const SystemError&) {
    return false;
  }
  chmod(path.c_str(), 0755);
  if (place == ShortcutPlace::Desktop) MarkTrusted(path);
  return true;
}

void DeleteShortcut(ShortcutPlace place, const std::string& fileName) {
  if (!ShortcutExists(place, fileName)) return;
  unlink(ShortcutPath(place, fileName).c_str());
}

std::string RunningExecutablePath() {
  std::string buffer(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return {};
  buffer.resize(static_cast<size_t>(length));
  return buffer;
}

}  // namespace vardeno
