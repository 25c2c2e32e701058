#include "ui/main/MainWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "app/AppParams.h"
#include "app/MainWindowSettings.h"
#include "app/ProfileList.h"
#include "app/ProgramState.h"
#include "conversion/SystemEncoder.h"
#include "ui/AppWindows.h"
#include "ui/main/ControlsUpdating.h"
#include "ui/desktop/DesktopRun.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainListActions.h"
#include "ui/main/MainProfiles.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainSettingsFile.h"
#include "ui/main/MainTexts.h"
#include "ui/main/MainToolBar.h"
#include "ui/desktop/MainTray.h"
#include "ui/MessageBoxes.h"
#include "ui/main/MiddlePanel.h"
#include "ui/QtText.h"
#include "ui/main/SettingsPanels.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
// Rows of the file list that the bottom panel leaves visible before its advanced column scrolls.
constexpr int kListRowsKept = 4;

// Used when the program entry gave no power control: the window then never switches off.
class NoPowerControl : public PowerControl {
 public:
  bool ShutDownComputer() override { return false; }
};
}  // namespace

MainWindow::MainWindow(ProgramState& state, AppWindows& windows, const QStringList& arguments)
    : state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormMain"));
  if (!windows_.encoder) {
    ownEncoder_ = std::make_unique<SystemEncoder>();
    windows_.encoder = ownEncoder_.get();
  }
  if (!windows_.power) {
    ownPower_ = std::make_unique<NoPowerControl>();
    windows_.power = ownPower_.get();
  }
  actions_ = CreateMainActions(this);
  menus_ = CreateMainMenus(this, actions_);
  BuildLayout();
  CreateParts();
  ConnectActions();
  FormCreate(arguments);
}

// The parts go in the reverse order of their members: the run first.
MainWindow::~MainWindow() = default;

void MainWindow::CreateParts() {
  const auto later = [this](std::function<void()> work) { Later(std::move(work)); };
  const auto initControls = [this] { InitControls(); };
  listActions_ = std::make_unique<MainListActions>(state_, windows_, actions_, *lv_, this,
                                                   MainListActions::WindowCalls{initControls, later});
  profiles_ = std::make_unique<MainProfiles>(state_, actions_, *pnMid_, *pnBottom_, this, initControls);
  settingsFile_ = std::make_unique<MainSettingsFile>(state_, *this, *pnMid_, *pnBottom_, *lv_, *listActions_,
                                                     [this] { actShowHideBottomPanelExecute(); });
  run_ = std::make_unique<MainRun>(state_, windows_, actions_, *pnMid_, *pnBottom_, *lv_, *this, this, later);
  connect(run_.get(), &MainRun::ended, this, &MainWindow::runEnded);
}

void MainWindow::BuildLayout() {
  tbMain_ = new MainToolBar(actions_, this);
  addToolBar(Qt::TopToolBarArea, tbMain_);
  // The program's own icon once it has one; until then a picture of the style.
  const QIcon icon = windowIcon().isNull() ? style()->standardIcon(QStyle::SP_MediaPlay) : windowIcon();
  tray_ = new MainTray(menus_.popTi, icon, this);

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("pnClient"));
  lv_ = new FileListView(state_, central);
  lv_->setContextMenuPolicy(Qt::CustomContextMenu);
  pnMid_ = new MiddlePanel(actions_, central);
  pnBottom_ = new SettingsPanels(state_, central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(lv_, 1);
  layout->addWidget(pnMid_);
  layout->addWidget(pnBottom_);
  setCentralWidget(central);
  central->installEventFilter(this);
  pnBottom_->installEventFilter(this);
  // The advanced column's groups lie in a scroll area: their layout reports to its own widget.
  if (auto* contents = pnBottom_->findChild<QWidget*>(QStringLiteral("sboxAdvancedContents")))
    contents->installEventFilter(this);
}

// The bottom panel takes at least the height its format/video and audio columns need, and the
// height of all three columns (the advanced one unscrolled) as far as the file list keeps room for
// a few rows; on a smaller window the advanced column scrolls within it.
void MainWindow::FitBottomPanel() {
  const int columns = std::max(pnBottom_->pnLeft()->sizeHint().height(), pnBottom_->pnAudio()->sizeHint().height());
  const int whole = std::max(columns, pnBottom_->pnRight()->sizeHint().height());
  const int listRows = lv_->header()->sizeHint().height() + kListRowsKept * (lv_->fontMetrics().height() + 4);
  const int room = centralWidget()->height() - (pnMid_->isHidden() ? 0 : pnMid_->sizeHint().height()) - listRows;
  const QMargins margins = pnBottom_->layout() ? pnBottom_->layout()->contentsMargins() : QMargins();
  const int height = std::max(columns, std::min(whole, room)) + margins.top() + margins.bottom();
  pnBottom_->setMinimumHeight(height);
  pnBottom_->setMaximumHeight(height);
}

// The client area (the central widget) changed its size, or the panels' contents their needs
// (styles applied at the first show, another language): the bottom panel's share follows.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) FitBottomPanel();
  if (watched != centralWidget() && event->type() == QEvent::LayoutRequest) {
    // The advanced column's size hint follows its groups; layouts keep hints until told.
    if (watched != pnBottom_) pnBottom_->pnRight()->updateGeometry();
    FitBottomPanel();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::FormCreate(const QStringList& arguments) {
  setMinimumSize(kMinMainWindowWidth, kMinMainWindowHeight);
  const std::string programDir = GetProgramDir();
  InitAppParams(state_.Params,
                windows_.programFilesDir.empty() ? ChooseProgramFilesDir(programDir) : windows_.programFilesDir);
  state_.OutputLines.clear();
  setWindowTitle(QStringLiteral("Vardeno " VARDENO_VERSION));
  const MainWindowSettings designed;
  settingsFile_->PlaceAtFirstStart(designed);
  lv_->SetColumnWidths(designed.ColumnWidths);
  lv_->SetGridLines(designed.GridLines);
  state_.ProgramDir = programDir;
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    pnBottom_->PrepareControls();
    // An installed program lies in a folder the user cannot write (/usr/bin): the output folder
    // then starts as the home folder instead, which the user can.
    const QString outDir = QFileInfo(ToQ(programDir)).isWritable() ? ToQ(programDir) : QDir::toNativeSeparators(QDir::homePath());
    pnMid_->Prepare(outDir);
    pnBottom_->SetDefaultParams();
  }
  std::error_code error;
  if (!std::filesystem::exists(state_.Params.SettingsFile, error))
    state_.Params.Language =
        QLocale::system().language() == QLocale::Polish ? UiLanguage::Polish : UiLanguage::English;
  listActions_->SetListFileDir(programDir);
  profiles_->LoadLastSessionProfile();
  setAcceptDrops(true);
  lv_->setAcceptDrops(true);
  settingsFile_->Load();
  state_.CurrentLanguage = state_.Params.Language;
  SetLang();
  InitControls();
  GetProfiles(state_.Params.ProfilesDir, state_.Params.LastSessionFile, state_.Profiles);
  profiles_->FillProfileList(0);
  AddArguments(arguments);
  // The keyboard starts in the list (its first row current when files were given).
  lv_->setFocus(Qt::OtherFocusReason);
}

// Every argument that names an existing file is added, as a file manager passes the files the
// user opened with the program; anything else (options, folders, missing files) is skipped.
void MainWindow::AddArguments(const QStringList& arguments) {
  bool added = false;
  for (const QString& argument : arguments) {
    if (argument.isEmpty() || !QFileInfo(argument).isFile()) continue;
    added = state_.Files.AddToList(ToStd(argument), state_.CurrentLanguage) || added;
  }
  if (added) InitControls();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && !state_.Run.Running) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  event->acceptProposedAction();
  lv_->DropFiles(event->mimeData()->urls());
}

void MainWindow::FormClose() {
  setAcceptDrops(false);
  lv_->setAcceptDrops(false);
  settingsFile_->Save();
  state_.OutputLines.clear();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  // A run going on is aborted (its encoders ended) and has ended before the settings are written.
  run_->AbortAndWait();
  if (closed_) {
    // The run's last words closed the window already (its after-run action).
    event->accept();
    return;
  }
  FormClose();
  closed_ = true;
  run_->Close();
  event->accept();
  for (QWidget* window : std::initializer_list<QWidget*>{windows_.about, windows_.progress, windows_.options,
                                                         windows_.fileInfo, windows_.errors, windows_.cmdLine})
    if (window) window->hide();
  tray_->ti()->hide();
  emit closed();
}

void MainWindow::Later(std::function<void()> work) {
  QMetaObject::invokeMethod(
      this,
      [this, work = std::move(work)] {
        if (!closed_) work();
      },
      Qt::QueuedConnection);
}

void MainWindow::CloseMainWindow() { close(); }

void MainWindow::ShowWarning(const std::string& text) { ShowWarningBox(this, text); }

bool MainWindow::TrayAvailable() const { return tray_->Available(); }
QSystemTrayIcon* MainWindow::TrayIcon() const { return tray_->ti(); }

void MainWindow::AddHandedFiles(const QStringList& files) {
  if (closed_) return;
  AddArguments(files);
  BringToFront(this);
}

EncoderSettings MainWindow::ReadEncoderSettings() const { return pnBottom_->ReadSettings(); }

std::optional<std::size_t> MainWindow::SelectedRow() const { return lv_->SelectedRow(); }

void MainWindow::InitControls() {
  ControlsUpdatingGuard guard(state_.ControlsUpdating);
  listActions_->Rules();
  actions_.actShowHideMainWindow->setText(ToQ(MainWindowToggleCaption(MainWindowShown(), state_.CurrentLanguage)));
  actions_.actShowHideMainWindow->setToolTip(actions_.actShowHideMainWindow->text());
  pnBottom_->ApplyEnableRules();
  OutputDirRules();
  // A pop-up menu may open during a run: nothing may be started then.
  if (state_.Run.Running)
    for (QAction* action : actions_.all) action->setEnabled(false);
}

void MainWindow::OutputDirRules() {
  const bool own = pnMid_->OwnOutDirChosen();
  pnMid_->EnableOutDirEdit(own);
  actions_.actBrowseOutDir->setEnabled(own);
  actions_.actExploreOutDir->setEnabled(actions_.actBrowseOutDir->isEnabled());
}

void MainWindow::DisableAll() {
  tbMain_->setEnabled(false);
  lv_->setEnabled(false);
  pnMid_->setEnabled(false);
  pnBottom_->SetPanelsEnabled(false);
  for (QAction* action : actions_.all) action->setEnabled(false);
}

void MainWindow::EnableAll() {
  tbMain_->setEnabled(true);
  lv_->setEnabled(true);
  pnMid_->setEnabled(true);
  pnBottom_->SetPanelsEnabled(true);
  for (QAction* action : actions_.all) action->setEnabled(true);
  InitControls();
}

}  // namespace vardeno
