// What the main window's profile actions do, apart from showing dialogs and copying values in and
// out of the controls: loading the entry chosen in cbProfile, loading and saving a chosen file,
// and the profile steps of the program's start and close.
#pragma once

#include <optional>
#include <string>

#include "app/AppParams.h"
#include "app/ProfileList.h"
#include "encoder/EncoderSettings.h"

namespace vardeno {

// The file dialogs of the profile actions. Both use the filter kProfileFileFilter in the language
// in force and the default extension "ini", and start in startDir.
class ProfileFileDialogs {
 public:
  virtual ~ProfileFileDialogs() = default;
  // An open dialog for one existing file; nothing when cancelled.
  virtual std::optional<std::string> ChooseProfileToOpen(const std::string& startDir) = 0;
  // A save dialog that asks before overwriting an existing file; nothing when cancelled.
  virtual std::optional<std::string> ChooseProfileToSave(const std::string& startDir) = 0;
};

enum class SelectedProfileResult {
  Nothing,   // nothing to load; the settings are unchanged
  Loaded,    // a profile file was applied to the settings
  Defaults,  // the settings are now the defaults; the window selects position 1 as actSetDefault does
};

// actLoadSelectedProfile for the position selected in cbProfile: 0 loads the last-session file,
// 1 sets the default settings, a later position the table's entry there (the table's first entry
// when the position lies past its end). A position below 0 (no selection) does nothing. After
// Loaded or Defaults the window copies settings into its controls and applies its enable rules.
SelectedProfileResult ExecuteLoadSelectedProfile(int position, const ProfileTable& table,
                                                 const AppParams& params, EncoderSettings& settings,
                                                 int resolutionCount);

// actLoadProfile: asks for a file and applies it. True when a file was loaded; cbProfile's
// selection does not change.
bool ExecuteLoadProfile(ProfileFileDialogs& dialogs, const AppParams& params,
                        EncoderSettings& settings, int resolutionCount);

struct ProfileSaveResult {
  bool Saved = false;        // false: the dialog was cancelled
  bool ListRebuilt = false;  // the file went into ProfilesDir: table was rebuilt; refill cbProfile
                             // with ProfileComboEntries and select SelectPosition
  int SelectPosition = -1;
};

// actSaveProfile: asks for a file and saves settings to it. When the file lies in ProfilesDir
// (compared without letter case, or the same folder on disk) the table is rebuilt and the result
// names the position of the saved profile (0 when it is not listed). Throws IniWriteError when
// the file cannot be written; table and file are then unchanged.
ProfileSaveResult ExecuteSaveProfile(ProfileFileDialogs& dialogs, const AppParams& params,
                                     const EncoderSettings& settings, ProfileTable& table);

// At start: creates ProfilesDir when it does not exist (a failure is ignored), then loads the
// last-session profile when it exists. True when it was loaded.
bool LoadLastSession(const AppParams& params, EncoderSettings& settings, int resolutionCount);

// At close: saves settings as the last-session profile. A failure is ignored; false reports it.
bool SaveLastSession(const AppParams& params, const EncoderSettings& settings) noexcept;

}  // namespace vardeno
