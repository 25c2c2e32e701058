// The main window's profile row and profile commands: loading the last session's settings,
// the list of profiles, loading a listed or chosen profile, saving one, and the defaults.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "app/ProfileActions.h"

class QWidget;

namespace vardeno {

struct MainActions;
struct ProgramState;
class MiddlePanel;
class SettingsPanels;

class MainProfiles : public QObject, public ProfileFileDialogs {
  Q_OBJECT
 public:
  // Connects the profile actions. The profiles fill middle's list and settings' controls;
  // initControls runs the window's enable rules after settings changed. window is the parent of the
  // dialogs and message boxes; the window owns this object and outlives it.
  MainProfiles(ProgramState& state, const MainActions& actions, MiddlePanel& middle, SettingsPanels& settings,
               QWidget* window, std::function<void()> initControls);

  // The settings of the last session into the controls, when its file can be read.
  void LoadLastSessionProfile();
  // The profile list anew from the profiles read, the entry at selectPosition selected.
  void FillProfileList(int selectPosition);

  // ProfileFileDialogs
  std::optional<std::string> ChooseProfileToOpen(const std::string& startDir) override;
  std::optional<std::string> ChooseProfileToSave(const std::string& startDir) override;

 private:
  void LoadSelected();
  void LoadChosen();
  void Save();
  void SetDefaults();
  // Writes settings into the controls without their change handlers, then runs the enable rules.
  void ShowSettings(const EncoderSettings& settings);

  ProgramState& state_;
  MiddlePanel& middle_;
  SettingsPanels& settings_;
  QWidget* window_;
  std::function<void()> initControls_;
};

}  // namespace vardeno
