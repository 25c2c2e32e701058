#include "app/AppParams.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>


namespace fs = std::filesystem;

namespace {
bool IsRegularFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool IsExecutableFile(const std::string& path) {
  return IsRegularFile(path) && access(path.c_str(), X_OK) == 0;
}

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  std::string_view rest(path);
  while (true) {
    const size_t colon = rest.find(':');
    const std::string_view dir = rest.substr(0, colon);
    const std::string candidate = std::string(dir.empty() ? std::string_view(".") : dir) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) return {};
    rest.remove_prefix(colon + 1);
  }
}
}  // namespace

std::string GetProgramDir() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return NormalizeDir(fs::current_path(error).string());
  return NormalizeDir(exe.parent_path().string());
}

std::string ChooseProgramFilesDir(const std::string& programDir) {
  // A program in a "bin" folder is installed (/usr/bin, /usr/local/bin, ~/.local/bin, a staging
  // copy of those): its folder is shared with other programs, and may be writable only because
  // root runs it, so the user's files never go there.
  const bool installed = fs::path(programDir).filename() == "bin";
  if (!programDir.empty() && !installed && access(programDir.c_str(), W_OK) == 0) return programDir;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return std::string(xdg) + "/vardeno";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.config/vardeno";
}

void InitAppParams(TAppParams& params, const std::string& filesDir) {
  params = TAppParams{};
  params.SettingsFile = filesDir + "/Vardeno.ini";
  params.ResolutionsFile = filesDir + "/Vardeno_resolutions.txt";
  params.ProfilesDir = filesDir + "/profiles";
  params.LastSessionFile = params.ProfilesDir + "/__Last.ini";
}

std::string GetEncoderPath(const TAppParams& params, const std::string& programDir) {
  const std::string& exe = params.EncoderExe;
  if (exe.empty()) return {};
  if (exe.find('/') != std::string::npos) return IsRegularFile(exe) ? exe : std::string();
  const std::string beside = NormalizeDir(programDir) + "/" + exe;
  if (IsRegularFile(beside)) return beside;
  return FindOnPath(exe);
}
