// The main window's actions that concern windows, folders and web pages, and the wiring of every
// action and control to its handler.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>
#include <initializer_list>

#include "app/ProgramState.h"
#include "ui/AppWindows.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/main/MainListActions.h"
#include "ui/main/MainOtherWindows.h"
#include "ui/main/MainTexts.h"
#include "ui/desktop/MainTray.h"
#include "ui/MessageBoxes.h"
#include "ui/main/MiddlePanel.h"
#include "ui/desktop/OpenAddress.h"
#include "ui/QtText.h"
#include "ui/main/SettingsPanels.h"
#include "ui/windows/AboutWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {

// The device maker's Zune pages exist no more; the Internet Archive keeps copies of them.
const char* const kZuneSite = "https://web.archive.org/web/2009/http://www.zune.net";

void OpenZunePage(const char* path) { OpenAddress(QString::fromLatin1(kZuneSite) + QString::fromLatin1(path)); }

bool IsDirectory(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// The program's manual: installed beside the program's data, else beside the executable, else in
// the root of the source tree the program was built in. Empty when there is none.
QString ManualPath() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {exeDir + QStringLiteral("/../share/doc/vardeno/README.md"),
                                   exeDir + QStringLiteral("/README.md"), exeDir + QStringLiteral("/../README.md")}) {
    if (QFileInfo(candidate).isFile()) return QDir::cleanPath(candidate);
  }
  return {};
}

}  // namespace

void MainWindow::ConnectActions() {
  const MainActions& a = actions_;
  auto on = [this](QAction* action, void (MainWindow::*handler)()) {
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  on(a.actEsc, &MainWindow::actEscExecute);
  // The list's commands, the profiles' and the runs' are connected by the parts that own them.
  // A probe of the file information window starts later, so the call that triggered it returns
  // at once.
  on(a.actMinimizeToTray, &MainWindow::actMinimizeToTrayExecute);
  on(a.actExit, &MainWindow::CloseMainWindow);
  on(a.actShowHideMainWindow, &MainWindow::actShowHideMainWindowExecute);
  on(a.actShowHideBottomPanel, &MainWindow::actShowHideBottomPanelExecute);
  on(a.actBrowseOutDir, &MainWindow::actBrowseOutDirExecute);
  on(a.actExploreOutDir, &MainWindow::actExploreOutDirExecute);
  on(a.actGoToHomePage, &MainWindow::actGoToHomePageExecute);
  connect(a.actShowCmdLine, &QAction::triggered, this, [this] { ShowCommandLineWindow(windows_); });
  connect(a.actShowFramePreview, &QAction::triggered, this, &MainWindow::ShowFramePreview);
  connect(a.actShowProgressWindow, &QAction::triggered, this, [this] { ShowProgressWindow(windows_); });
  connect(a.actShowHideFileInfo, &QAction::triggered, this,
          [this] { Later([this] { ToggleFileInfoWindow(windows_); }); });
  connect(a.actShowHideFormErrors, &QAction::triggered, this, [this] { ToggleErrorsWindow(windows_); });
  connect(a.actShowOptions, &QAction::triggered, this, [this] { ShowOptionsWindow(windows_); });
  connect(a.actAbout, &QAction::triggered, this, [this] { ShowAboutWindow(windows_); });
  connect(a.actZune_Home, &QAction::triggered, this, [] { OpenZunePage("/"); });
  connect(a.actZune_Spec_4GB, &QAction::triggered, this, [] { OpenZunePage("/en-us/mp3players/zune4/specs.htm"); });
  connect(a.actZune_Spec_8GB, &QAction::triggered, this, [] { OpenZunePage("/en-us/mp3players/zune8/specs.htm"); });
  connect(a.actZune_Spec_16GB, &QAction::triggered, this, [] { OpenZunePage("/en-us/mp3players/zune16/specs.htm"); });
  connect(a.actZune_Spec_80GB, &QAction::triggered, this, [] { OpenZunePage("/en-us/mp3players/zune80/specs.htm"); });
  connect(a.actZune_Spec_120GB, &QAction::triggered, this, [] { OpenZunePage("/en-us/mp3players/zune120/specs.htm"); });
  connect(a.actZune_Compare, &QAction::triggered, this, [] { OpenZunePage("/en-US/mp3players/default.htm"); });

  // Opening a pop-up menu applies the enable rules first.
  connect(menus_.popLv, &QMenu::aboutToShow, this, &MainWindow::InitControls);
  connect(menus_.popTi, &QMenu::aboutToShow, this, &MainWindow::InitControls);
  connect(lv_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { menus_.popLv->popup(lv_->viewport()->mapToGlobal(at)); });

  connect(lv_, &FileListView::listChanged, this, &MainWindow::InitControls);
  connect(lv_, &FileListView::selectionOrChecksChanged, this, &MainWindow::InitControls);
  // The selection moved: the frame preview and, while it is shown, the file information window
  // follow the selected row.
  connect(lv_, &FileListView::currentRowChanged, this, [this] {
    RefreshFramePreviewSoon();
    listActions_->SelectionMoved();
  });
  connect(pnMid_, &MiddlePanel::outDirChoiceClicked, this, &MainWindow::InitControls);
  connect(pnBottom_, &SettingsPanels::settingChanged, this, [this] {
    if (!state_.ControlsUpdating) InitControls();
  });
  // A session that ends closes the window as the user would.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { close(); });
}

bool MainWindow::MainWindowShown() const { return isVisible() && !isMinimized(); }

void MainWindow::actEscExecute() {
  if (state_.Run.Running) return;
  if (windows_.progress && windows_.progress->isVisible()) {
    windows_.progress->close();
    return;
  }
  if (AskYesNo(this, CloseApplicationQuestion(state_.CurrentLanguage))) close();
}

// Without a tray the hidden window could not be brought back: it is minimized instead.
void MainWindow::actMinimizeToTrayExecute() {
  if (TrayAvailable())
    hide();
  else
    showMinimized();
}

void MainWindow::actShowHideMainWindowExecute() {
  if (MainWindowShown()) {
    for (QWidget* window : std::initializer_list<QWidget*>{windows_.options, windows_.progress, windows_.about})
      if (window) window->hide();
    actMinimizeToTrayExecute();
  } else {
    showNormal();
    raise();
    activateWindow();
    if (state_.Run.Running) windows_.Progress()->show();
  }
  InitControls();
}

// Hiding is plain; showing docks the bottom panel below the middle panel again, so that the
// middle panel stays directly above it.
void MainWindow::actShowHideBottomPanelExecute() {
  if (!pnBottom_->isHidden()) {
    pnBottom_->hide();
    return;
  }
  auto* layout = static_cast<QVBoxLayout*>(centralWidget()->layout());
  layout->removeWidget(pnMid_);
  layout->removeWidget(pnBottom_);
  pnBottom_->show();
  layout->addWidget(pnMid_);
  layout->addWidget(pnBottom_);
}

void MainWindow::actBrowseOutDirExecute() {
  const QString current = pnMid_->OutDir();
  const QString start = IsDirectory(current) ? current : ToQ(state_.ProgramDir);
  const QString chosen = AskDirectory(this, start);
  if (!chosen.isEmpty()) pnMid_->SetOutDir(chosen);
}

void MainWindow::actExploreOutDirExecute() {
  const QString current = pnMid_->OutDir();
  OpenAddress(IsDirectory(current) ? QFileInfo(current).absoluteFilePath() : ToQ(state_.ProgramDir));
}

// The program has no web site of its own: its home page is the manual that comes with it.
void MainWindow::actGoToHomePageExecute() {
  const QString manual = ManualPath();
  if (!manual.isEmpty()) OpenAddress(manual);
}

}  // namespace vardeno
