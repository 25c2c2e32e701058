// The main window's side of the settings file: the window's place and size, its controls and the
// encoder settings copied into the file when the window closes, and back when it opens; and the
// place of the window at a first start, when there is no file.
#pragma once

#include <functional>

class QMainWindow;

namespace vardeno {

struct MainWindowSettings;
struct ProgramState;
class FileListView;
class MainListActions;
class MiddlePanel;
class SettingsPanels;

class MainSettingsFile {
 public:
  // The file's values live in these parts of window; hideBottomPanel hides the settings panels
  // as the user's command does.
  MainSettingsFile(ProgramState& state, QMainWindow& window, MiddlePanel& middle, SettingsPanels& settings,
                   FileListView& list, MainListActions& listActions, std::function<void()> hideBottomPanel);

  // The designed size, as far as the screen's free area allows, centred in that area.
  void PlaceAtFirstStart(const MainWindowSettings& designed);
  // Reads the settings file, when there is one, into the window and its controls.
  void Load();
  // Writes the settings file and the last session's profile; when either cannot be written
  // (the old file then stays whole), tells the user with the system's message before going on.
  void Save();

 private:
  MainWindowSettings Capture() const;
  void Apply(const MainWindowSettings& settings);

  ProgramState& state_;
  QMainWindow& window_;
  MiddlePanel& middle_;
  SettingsPanels& settings_;
  FileListView& list_;
  MainListActions& listActions_;
  std::function<void()> hideBottomPanel_;
};

}  // namespace vardeno
