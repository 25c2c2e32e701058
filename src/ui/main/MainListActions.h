// The main window's file list commands (add files, load and save a list, check all, invert the
// checks, remove the checked rows, open a row's folder), their enable rules, and the folders
// their dialogs start in.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QWidget;

namespace vardeno {

struct AppWindows;
struct MainActions;
struct ProgramState;
class FileListView;

class MainListActions : public QObject {
  Q_OBJECT
 public:
  // What the commands ask of the window around them.
  struct WindowCalls {
    std::function<void()> initControls;                // the window's enable rules, after a change
    std::function<void(std::function<void()>)> later;  // work run once the event loop is back
  };
  // Connects the list's actions to the commands. window is the parent of the dialogs and
  // message boxes; the window owns this object and outlives it.
  MainListActions(ProgramState& state, AppWindows& windows, const MainActions& actions, FileListView& list,
                  QWidget* window, WindowCalls calls);

  // The enable rules of the actions that need a selected row, a checked row or any row.
  void Rules();
  // The selected row changed: the file information window, while shown, follows it.
  void SelectionMoved();

  // "LastDir" of the settings file: where Add files starts until a file has been added.
  const std::string& LastDir() const { return lastDir_; }
  void SetLastDir(std::string dir) { lastDir_ = std::move(dir); }
  // The folder the list-file dialogs start in.
  void SetListFileDir(std::string dir) { listFileDir_ = std::move(dir); }

 private:
  void AddFiles();
  void LoadList();
  void SaveList();
  void CheckAll();
  void InvertChecks();
  void RemoveChecked();
  void ExploreDirectory();
  std::string AddFilesStartDir() const;

  ProgramState& state_;
  AppWindows& windows_;
  const MainActions& actions_;
  FileListView& list_;
  QWidget* window_;
  WindowCalls calls_;
  std::string lastDir_;
  std::string listFileDir_;
  bool selectionProbeQueued_ = false;  // the file information window follows the selection soon
};

}  // namespace vardeno
