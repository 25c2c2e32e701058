// The profile row and the profile actions of the main window.
#include <QComboBox>

#include "app/IniFile.h"
#include "app/ProfileActions.h"
#include "app/ProgramState.h"
#include "ui/main/ControlsUpdating.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/main/MainTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/main/MiddlePanel.h"
#include "ui/QtText.h"
#include "ui/main/SettingsPanels.h"
#include "ui/main/MainWindow.h"

namespace vardeno {

namespace {
int ResolutionCount(const ProgramState& state) { return static_cast<int>(state.Resolutions.Entries.size()); }
}  // namespace

void MainWindow::LoadLastSessionProfile() {
  EncoderSettings settings = pnBottom_->ReadSettings();
  if (!LoadLastSession(state_.Params, settings, ResolutionCount(state_))) return;
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    pnBottom_->WriteSettings(settings);
  }
  InitControls();
}

void MainWindow::FillProfileList(int selectPosition) {
  ControlsUpdatingGuard guard(state_.ControlsUpdating);
  pnMid_->SetProfileEntries(ProfileComboEntries(state_.Profiles, state_.CurrentLanguage), selectPosition);
}

void MainWindow::actLoadSelectedProfileExecute() {
  EncoderSettings settings = pnBottom_->ReadSettings();
  const auto result = ExecuteLoadSelectedProfile(pnMid_->SelectedProfile(), state_.Profiles,
                                                 state_.Params, settings, ResolutionCount(state_));
  if (result == SelectedProfileResult::Nothing) return;
  if (result == SelectedProfileResult::Defaults) {
    actSetDefaultExecute();
    return;
  }
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    pnBottom_->WriteSettings(settings);
  }
  InitControls();
}

void MainWindow::actLoadProfileExecute() {
  EncoderSettings settings = pnBottom_->ReadSettings();
  if (!ExecuteLoadProfile(*this, state_.Params, settings, ResolutionCount(state_))) return;
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    pnBottom_->WriteSettings(settings);
  }
  InitControls();
}

void MainWindow::actSaveProfileExecute() {
  try {
    const ProfileSaveResult result = ExecuteSaveProfile(*this, state_.Params, ReadEncoderSettings(), state_.Profiles);
    if (result.ListRebuilt) FillProfileList(result.SelectPosition);
  } catch (const IniWriteError& error) {
    ShowSystemErrorBox(this, error.what());
  }
}

void MainWindow::actSetDefaultExecute() {
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    pnBottom_->SetDefaultParams();
    pnMid_->SelectDefaultsProfile();
  }
  InitControls();
}

std::optional<std::string> MainWindow::ChooseProfileToOpen(const std::string& startDir) {
  const QString name = AskOpenFileName(this, ToQ(startDir), ProfileFilter(state_.CurrentLanguage), QStringLiteral("ini"));
  if (name.isEmpty()) return std::nullopt;
  return ToStd(name);
}

std::optional<std::string> MainWindow::ChooseProfileToSave(const std::string& startDir) {
  const QString name = AskSaveFileName(this, ToQ(startDir), ProfileFilter(state_.CurrentLanguage), QStringLiteral("ini"));
  if (name.isEmpty()) return std::nullopt;
  return ToStd(name);
}

}  // namespace vardeno
