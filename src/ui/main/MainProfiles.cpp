// The profile row and the profile commands of the main window.
#include "ui/main/MainProfiles.h"

#include <QAction>

#include "app/IniFile.h"
#include "app/ProgramState.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/main/ControlsUpdating.h"
#include "ui/main/MainActions.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/main/MainTexts.h"
#include "ui/main/MiddlePanel.h"
#include "ui/main/SettingsPanels.h"

namespace vardeno {

namespace {
int ResolutionCount(const ProgramState& state) { return static_cast<int>(state.Resolutions.Entries.size()); }
}  // namespace

MainProfiles::MainProfiles(ProgramState& state, const MainActions& actions, MiddlePanel& middle,
                           SettingsPanels& settings, QWidget* window, std::function<void()> initControls)
    : state_(state), middle_(middle), settings_(settings), window_(window),
      initControls_(std::move(initControls)) {
  connect(actions.actLoadProfile, &QAction::triggered, this, &MainProfiles::LoadChosen);
  connect(actions.actSaveProfile, &QAction::triggered, this, &MainProfiles::Save);
  connect(actions.actLoadSelectedProfile, &QAction::triggered, this, &MainProfiles::LoadSelected);
  connect(actions.actSetDefault, &QAction::triggered, this, &MainProfiles::SetDefaults);
}

void MainProfiles::ShowSettings(const EncoderSettings& settings) {
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    settings_.WriteSettings(settings);
  }
  initControls_();
}

void MainProfiles::LoadLastSessionProfile() {
  EncoderSettings settings = settings_.ReadSettings();
  if (LoadLastSession(state_.Params, settings, ResolutionCount(state_))) ShowSettings(settings);
}

void MainProfiles::FillProfileList(int selectPosition) {
  ControlsUpdatingGuard guard(state_.ControlsUpdating);
  middle_.SetProfileEntries(ProfileComboEntries(state_.Profiles, state_.CurrentLanguage), selectPosition);
}

void MainProfiles::LoadSelected() {
  EncoderSettings settings = settings_.ReadSettings();
  const auto result = ExecuteLoadSelectedProfile(middle_.SelectedProfile(), state_.Profiles, state_.Params, settings,
                                                 ResolutionCount(state_));
  if (result == SelectedProfileResult::Nothing) return;
  if (result == SelectedProfileResult::Defaults) {
    SetDefaults();
    return;
  }
  ShowSettings(settings);
}

void MainProfiles::LoadChosen() {
  EncoderSettings settings = settings_.ReadSettings();
  if (ExecuteLoadProfile(*this, state_.Params, settings, ResolutionCount(state_))) ShowSettings(settings);
}

void MainProfiles::Save() {
  try {
    const ProfileSaveResult result =
        ExecuteSaveProfile(*this, state_.Params, settings_.ReadSettings(), state_.Profiles);
    if (result.ListRebuilt) FillProfileList(result.SelectPosition);
  } catch (const IniWriteError& error) {
    ShowSystemErrorBox(window_, error.what());
  }
}

void MainProfiles::SetDefaults() {
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    settings_.SetDefaultParams();
    middle_.SelectDefaultsProfile();
  }
  initControls_();
}

std::optional<std::string> MainProfiles::ChooseProfileToOpen(const std::string& startDir) {
  const QString name =
      AskOpenFileName(window_, ToQ(startDir), ProfileFilter(state_.CurrentLanguage), QStringLiteral("ini"));
  if (name.isEmpty()) return std::nullopt;
  return ToStd(name);
}

std::optional<std::string> MainProfiles::ChooseProfileToSave(const std::string& startDir) {
  const QString name =
      AskSaveFileName(window_, ToQ(startDir), ProfileFilter(state_.CurrentLanguage), QStringLiteral("ini"));
  if (name.isEmpty()) return std::nullopt;
  return ToStd(name);
}

}  // namespace vardeno
