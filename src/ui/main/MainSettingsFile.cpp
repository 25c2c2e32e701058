// The main window's side of the settings file: its controls copied into MainWindowSettings before
// saving, and back after loading.
#include "ui/main/MainSettingsFile.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <filesystem>

#include "app/IniFile.h"
#include "app/MainWindowSettings.h"
#include "app/ProgramState.h"
#include "app/Profiles.h"
#include "app/SettingsFile.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/main/ControlsUpdating.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainListActions.h"
#include "ui/main/MiddlePanel.h"
#include "ui/main/SettingsPanels.h"

namespace vardeno {

namespace {
// What a window manager adds around the window's client area: borders, and a title bar above.
constexpr int kFrameAllowance = 16;
constexpr int kTitleBarAllowance = 40;

QRect AvailableScreenArea(const QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}
}  // namespace

MainSettingsFile::MainSettingsFile(ProgramState& state, QMainWindow& window, MiddlePanel& middle,
                                   SettingsPanels& settings, FileListView& list, MainListActions& listActions,
                                   std::function<void()> hideBottomPanel)
    : state_(state), window_(window), middle_(middle), settings_(settings), list_(list), listActions_(listActions),
      hideBottomPanel_(std::move(hideBottomPanel)) {}

MainWindowSettings MainSettingsFile::Capture() const {
  MainWindowSettings s;
  s.Maximized = window_.isMaximized();
  const bool shownNormal = !window_.isMaximized() && !window_.isMinimized();
  const QRect normal = shownNormal ? window_.geometry() : window_.normalGeometry();
  const QPoint place = shownNormal ? window_.pos() : normal.topLeft();
  s.Left = place.x();
  s.Top = place.y();
  s.Width = normal.width();
  s.Height = normal.height();
  s.BottomPanelVisible = !settings_.isHidden();
  s.OutputExists = middle_.OutputExists();
  s.AfterConversion = middle_.AfterConversion();
  s.FilesAtOnce = middle_.FilesAtOnce();
  s.OutDirIsInDir = middle_.OutDirIsInDir();
  s.OutDir = ToStd(middle_.OutDir());
  s.ColumnWidths = list_.ColumnWidths();
  s.GridLines = list_.GridLines();
  // The folder of the file added last, else the one the settings file gave.
  s.LastDir = state_.Files.LastAddedDirectory().empty() ? listActions_.LastDir() : state_.Files.LastAddedDirectory();
  return s;
}

void MainSettingsFile::PlaceAtFirstStart(const MainWindowSettings& designed) {
  const QRect area = AvailableScreenArea(&window_);
  const QSize size = QSize(designed.Width, designed.Height)
                         .boundedTo(area.size() - QSize(kFrameAllowance, kTitleBarAllowance))
                         .expandedTo(QSize(kMinMainWindowWidth, kMinMainWindowHeight));
  window_.resize(size);
  window_.move(area.x() + std::max(0, (area.width() - size.width()) / 2),
               area.y() + std::max(0, (area.height() - size.height() - kTitleBarAllowance) / 2));
}

void MainSettingsFile::Apply(const MainWindowSettings& s) {
  // The file's place is kept as read (within the rules of the file); a window that would lie
  // wholly outside the screen, or be larger than it, is brought back within reach.
  const QRect area = AvailableScreenArea(&window_);
  const int width = std::clamp(s.Width, kMinMainWindowWidth, std::max(kMinMainWindowWidth, area.width()));
  const int height = std::clamp(s.Height, kMinMainWindowHeight, std::max(kMinMainWindowHeight, area.height()));
  QRect wanted(s.Left, s.Top, width, height);
  if (!wanted.intersects(area.adjusted(40, 40, -40, -40))) wanted.moveTopLeft(area.topLeft());
  window_.resize(wanted.size());
  window_.move(wanted.topLeft());
  if (s.Maximized) window_.setWindowState(window_.windowState() | Qt::WindowMaximized);

  middle_.SetOutputExists(s.OutputExists);
  middle_.SetAfterConversion(s.AfterConversion);
  middle_.SelectFilesAtOnce(s.FilesAtOnce);
  middle_.SetOutDirIsInDir(s.OutDirIsInDir);
  middle_.SetOutDir(ToQ(s.OutDir));
  std::array<int, 5> widths = s.ColumnWidths;
  for (int& w : widths) w = std::clamp(w, 0, 10000);
  list_.SetColumnWidths(widths);
  list_.SetGridLines(s.GridLines);
  listActions_.SetLastDir(s.LastDir);
  if (!s.BottomPanelVisible && !settings_.isHidden()) hideBottomPanel_();
}

void MainSettingsFile::Load() {
  MainWindowSettings window = Capture();
  window.LastDir = listActions_.LastDir();
  EncoderSettings encoder = settings_.ReadSettings();
  const QRect screen = AvailableScreenArea(&window_);
  if (!LoadSettingsFromIni(state_.Params, window, encoder, ScreenSize{screen.width(), screen.height()})) return;
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    settings_.WriteSettings(encoder);
  }
  Apply(window);
}

void MainSettingsFile::Save() {
  // Both files are tried; one box names every file that could not be written, after the
  // system's message for the first ("System Error.  Code: 28." for a full disk).
  std::string systemMessage;
  std::string files;
  const auto attempt = [&](const auto& write) {
    try {
      write();
    } catch (const IniWriteError& error) {
      if (systemMessage.empty()) systemMessage = error.Reason();
      files += "\r\n";
      files += error.what();
    }
  };
  attempt([&] { SaveSettingsToIni(state_.Params, Capture(), settings_.ReadSettings()); });
  attempt([&] { SaveProfile(state_.Params.LastSessionFile, settings_.ReadSettings()); });
  if (!files.empty()) ShowSystemErrorBox(&window_, systemMessage + "\r\n" + files);
}

}  // namespace vardeno
