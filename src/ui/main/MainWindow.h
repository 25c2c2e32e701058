// The main window: the file list, the output choices, the encoder settings panels, every command
// of the program as an action, the menus and the tray icon. The window builds itself and wires its
// parts; the list's commands, the profiles, the conversion runs and the settings file are objects
// it owns (MainListActions, MainProfiles, MainRun, MainSettingsFile). Its start and close run in a
// fixed order (FormCreate, FormClose); a conversion runs on a thread of its own (MainRun's
// RunWorker) while the window goes on handling events.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/AppParams.h"
#include "base/WarningSink.h"
#include "conversion/AfterRun.h"
#include "encoder/EncoderSettings.h"
#include "ui/main/MainActions.h"
#include "ui/main/MainMenus.h"
class QTimer;
class QFileDialog;
class QSystemTrayIcon;

namespace vardeno {

struct AppWindows;
struct ProgramState;
class FileListView;
class MainToolBar;
class MainTray;
class MiddlePanel;
class SettingsPanels;
class FramePreviewWindow;
class EncoderAccess;
class PowerControl;
class MainListActions;
class MainProfiles;
class MainRun;
class MainSettingsFile;

class MainWindow : public QMainWindow, public AfterRunHost, public WarningSink {
  Q_OBJECT
 public:
  // Runs FormCreate: arguments are the program's command-line arguments without its name.
  MainWindow(ProgramState& state, AppWindows& windows, const QStringList& arguments);
  ~MainWindow() override;

  // The window's texts in the language of AppParams.Language (MainTexts.cpp).
  void SetLang();
  // Everything off during a conversion; on again afterwards, then the enable rules.
  void DisableAll();
  void EnableAll();
  // The enable rules of the whole window. During a run every action stays disabled.
  void InitControls();
  // The encoder settings as the controls hold them now.
  EncoderSettings ReadEncoderSettings() const;
  // The file list's selected row, if any.
  std::optional<std::size_t> SelectedRow() const;
  // Opens the frame preview of the selected row (MainPreview.cpp); it follows the selection and
  // the settings while it is shown.
  void ShowFramePreview();
  FramePreviewWindow* FramePreview() const { return preview_; }

  // The tray is shown and can bring the window back; without one the window minimizes instead.
  bool TrayAvailable() const;
  QSystemTrayIcon* TrayIcon() const;
  // Files handed over by another start of the program: added as command-line files are, and the
  // window comes to the front.
  void AddHandedFiles(const QStringList& files);
  // True once FormClose has run (the program is ending).
  bool IsClosed() const { return closed_; }

  // AfterRunHost: closes the window as the user would.
  void CloseMainWindow() override;
  // WarningSink: the modal warning box owned by this window.
  void ShowWarning(const std::string& text) override;

  const MainActions& Actions() const { return actions_; }

 signals:
  // FormClose has run; the program entry ends the event loop.
  void closed();
  // A conversion run or script run started by actConvert or actSaveBAT has ended.
  void runEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Files dropped anywhere on the window go to the list, as files dropped onto the list do.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildLayout();
  void FitBottomPanel();
  void ConnectActions();
  void FormCreate(const QStringList& arguments);
  void FormClose();
  void AddArguments(const QStringList& arguments);

  // Makes the objects that own the list's commands, the profiles, the runs and the settings file.
  void CreateParts();
  // Runs work once the call that asked for it has returned to the event loop (a queued call on
  // this thread), unless the window has closed by then.
  void Later(std::function<void()> work);

  // Windows, folders and pages (MainWindowActions.cpp).
  void actEscExecute();
  void actMinimizeToTrayExecute();
  void actShowHideMainWindowExecute();
  void actShowHideBottomPanelExecute();
  void actBrowseOutDirExecute();
  void actExploreOutDirExecute();
  void actGoToHomePageExecute();
  void OutputDirRules();
  bool MainWindowShown() const;

  ProgramState& state_;
  AppWindows& windows_;
  MainActions actions_;
  MainMenus menus_;
  MainToolBar* tbMain_ = nullptr;
  FileListView* lv_ = nullptr;
  MiddlePanel* pnMid_ = nullptr;
  SettingsPanels* pnBottom_ = nullptr;
  FramePreviewWindow* preview_ = nullptr;  // made when first opened
  QTimer* previewTimer_ = nullptr;         // gathers quick setting changes into one refresh
  void RefreshFramePreviewSoon();
  MainTray* tray_ = nullptr;

  bool closed_ = false;
  std::unique_ptr<EncoderAccess> ownEncoder_;  // used when the program entry set none
  std::unique_ptr<PowerControl> ownPower_;
  // Declared after what they use, so they go first: a run still going on ends before the encoder
  // and the power control it was given.
  std::unique_ptr<MainListActions> listActions_;
  std::unique_ptr<MainProfiles> profiles_;
  std::unique_ptr<MainSettingsFile> settingsFile_;
  std::unique_ptr<MainRun> run_;
};

}  // namespace vardeno
