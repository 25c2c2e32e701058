#include "app/AppParams.h"

#include <algorithm>

#include "platform/ExecutablePath.h"
#include "platform/FileSystem.h"
#include "platform/Shortcuts.h"  // RunningExecutablePath

namespace vardeno {

std::string GetProgramDir() {
  const std::string exe = RunningExecutablePath();
  const size_t slash = LastPathSeparator(exe);
  if (slash == std::string::npos) return NormalizeDir(CurrentDirectory());
  return NormalizeDir(exe.substr(0, std::max<size_t>(slash, PathRootLength(exe))));
}

std::string ChooseProgramFilesDir(const std::string& programDir) {
  if (!programDir.empty() && !IsInstalledProgramFolder(programDir) && IsWritableFolder(programDir)) return programDir;
  return UserProgramFilesDir();
}

void InitAppParams(AppParams& params, const std::string& filesDir) {
  params = AppParams{};
  params.SettingsFile = JoinPath(filesDir, "Vardeno.ini");
  params.ResolutionsFile = JoinPath(filesDir, "Vardeno_resolutions.txt");
  params.ProfilesDir = JoinPath(filesDir, "profiles");
  params.LastSessionFile = JoinPath(params.ProfilesDir, "__Last.ini");
}

std::string GetEncoderPath(const AppParams& params, const std::string& programDir) {
  const std::string& exe = params.EncoderExe;
  if (exe.empty()) return {};
  if (exe.find_first_of(kPathSeparators) != std::string::npos) return IsRegularFile(exe) ? exe : std::string();
  const std::string beside = NormalizeDir(programDir) + kPathSeparator + exe;
  if (IsRegularFile(beside)) return beside;
  return ResolveExecutablePath(exe);
}

}  // namespace vardeno
