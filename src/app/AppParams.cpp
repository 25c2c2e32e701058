#include "app/AppParams.h"

#include <algorithm>

#include "platform/ExecutablePath.h"
#include "platform/FileSystem.h"
#include "platform/Shortcuts.h"  // RunningExecutablePath

std::string GetProgramDir() {
  const std::string exe = RunningExecutablePath();
  const size_t slash = LastPathSeparator(exe);
  if (slash == std::string::npos) return NormalizeDir(CurrentDirectory());
  return NormalizeDir(exe.substr(0, std::max<size_t>(slash, PathRootLength(exe))));
}

std::string ChooseProgramFilesDir(const std::string& programDir) {
  // A program in a "bin" folder is installed (/usr/bin, /usr/local/bin, ~/.local/bin, a staging
  // copy of those): its folder is shared with other programs, and may be writable only because
  // root runs it, so the user's files never go there.
  const bool installed = FileNameOf(programDir) == "bin";
  if (!programDir.empty() && !installed && IsWritableFolder(programDir)) return programDir;
  return UserProgramFilesDir();
}

void InitAppParams(TAppParams& params, const std::string& filesDir) {
  params = TAppParams{};
  params.SettingsFile = JoinPath(filesDir, "Vardeno.ini");
  params.ResolutionsFile = JoinPath(filesDir, "Vardeno_resolutions.txt");
  params.ProfilesDir = JoinPath(filesDir, "profiles");
  params.LastSessionFile = JoinPath(params.ProfilesDir, "__Last.ini");
}

std::string GetEncoderPath(const TAppParams& params, const std::string& programDir) {
  const std::string& exe = params.EncoderExe;
  if (exe.empty()) return {};
  if (exe.find_first_of(kPathSeparators) != std::string::npos) return IsRegularFile(exe) ? exe : std::string();
  const std::string beside = NormalizeDir(programDir) + kPathSeparator + exe;
  if (IsRegularFile(beside)) return beside;
  return ResolveExecutablePath(exe);
}
