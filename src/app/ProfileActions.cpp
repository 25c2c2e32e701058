#include "app/ProfileActions.h"

#include <filesystem>

#include "base/FsPath.h"
#include "app/Profiles.h"
#include "base/PathSyntax.h"
#include "base/StringUtil.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {

bool SameDirectory(const std::string& dir, const std::string& profilesDir) {
  if (EqualsIgnoreCase(dir, profilesDir)) return true;
  std::error_code ec;
  return fs::equivalent(FsPath(dir.empty() ? "." : dir), FsPath(profilesDir), ec);
}

}  // namespace

SelectedProfileResult ExecuteLoadSelectedProfile(int position, const ProfileTable& table,
                                                 const AppParams& params, EncoderSettings& settings,
                                                 int resolutionCount) {
  if (position < 0) return SelectedProfileResult::Nothing;
  if (position == 0) {
    return LoadProfile(params.LastSessionFile, settings, resolutionCount) ? SelectedProfileResult::Loaded
                                                                          : SelectedProfileResult::Nothing;
  }
  if (position == 1) {
    settings = DefaultEncoderSettings();
    return SelectedProfileResult::Defaults;
  }
  if (table.empty()) return SelectedProfileResult::Nothing;
  size_t index = static_cast<size_t>(position - kFirstProfilePosition);
  if (index >= table.size()) index = 0;
  return LoadProfile(JoinPath(params.ProfilesDir, table[index].FileName), settings, resolutionCount)
             ? SelectedProfileResult::Loaded
             : SelectedProfileResult::Nothing;
}

bool ExecuteLoadProfile(ProfileFileDialogs& dialogs, const AppParams& params,
                        EncoderSettings& settings, int resolutionCount) {
  const std::optional<std::string> chosen = dialogs.ChooseProfileToOpen(params.ProfilesDir);
  return chosen && LoadProfile(*chosen, settings, resolutionCount);
}

ProfileSaveResult ExecuteSaveProfile(ProfileFileDialogs& dialogs, const AppParams& params,
                                     const EncoderSettings& settings, ProfileTable& table) {
  ProfileSaveResult result;
  const std::optional<std::string> chosen = dialogs.ChooseProfileToSave(params.ProfilesDir);
  if (!chosen) return result;
  SaveProfile(*chosen, settings);
  result.Saved = true;

  const fs::path chosenPath = FsPath(*chosen);
  if (!SameDirectory(Utf8Path(chosenPath.parent_path()), params.ProfilesDir)) return result;
  GetProfiles(params.ProfilesDir, params.LastSessionFile, table);
  result.ListRebuilt = true;
  result.SelectPosition = 0;
  const std::string chosenName = Utf8Path(chosenPath.filename());
  for (size_t i = 0; i < table.size(); ++i) {
    if (EqualsIgnoreCase(table[i].FileName, chosenName)) {
      result.SelectPosition = static_cast<int>(i) + kFirstProfilePosition;
      break;
    }
  }
  return result;
}

bool LoadLastSession(const AppParams& params, EncoderSettings& settings, int resolutionCount) {
  std::error_code ec;
  if (!fs::is_directory(FsPath(params.ProfilesDir), ec)) fs::create_directories(FsPath(params.ProfilesDir), ec);
  return LoadProfile(params.LastSessionFile, settings, resolutionCount);
}

bool SaveLastSession(const AppParams& params, const EncoderSettings& settings) noexcept {
  try {
    SaveProfile(params.LastSessionFile, settings);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace vardeno
