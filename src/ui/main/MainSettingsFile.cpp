// The main window's side of the settings file: its controls copied into MainWindowSettings before
// saving, and back after loading.
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <filesystem>

#include "app/IniFile.h"
#include "app/MainWindowSettings.h"
#include "app/ProgramState.h"
#include "app/Profiles.h"
#include "app/SettingsFile.h"
#include "ui/main/ControlsUpdating.h"
#include "ui/main/FileListView.h"
#include "ui/MessageBoxes.h"
#include "ui/main/MiddlePanel.h"
#include "ui/QtText.h"
#include "ui/main/SettingsPanels.h"
#include "ui/main/MainWindow.h"

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

MainWindowSettings MainWindow::CaptureWindowSettings() const {
  MainWindowSettings s;
  s.Maximized = isMaximized();
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  const QPoint place = isMaximized() || isMinimized() ? normal.topLeft() : pos();
  s.Left = place.x();
  s.Top = place.y();
  s.Width = normal.width();
  s.Height = normal.height();
  s.BottomPanelVisible = !pnBottom_->isHidden();
  s.OutputExists = pnMid_->OutputExists();
  s.AfterConversion = pnMid_->AfterConversion();
  s.FilesAtOnce = pnMid_->FilesAtOnce();
  s.OutDirIsInDir = pnMid_->OutDirIsInDir();
  s.OutDir = ToStd(pnMid_->OutDir());
  s.ColumnWidths = lv_->ColumnWidths();
  s.GridLines = lv_->GridLines();
  // The folder of the file added last, else the one the settings file gave.
  s.LastDir = state_.Files.LastAddedDirectory().empty() ? lastDir_ : state_.Files.LastAddedDirectory();
  return s;
}

void MainWindow::PlaceAtFirstStart(const MainWindowSettings& designed) {
  const QRect area = AvailableScreenArea(this);
  const QSize size = QSize(designed.Width, designed.Height)
                         .boundedTo(area.size() - QSize(kFrameAllowance, kTitleBarAllowance))
                         .expandedTo(QSize(kMinMainWindowWidth, kMinMainWindowHeight));
  resize(size);
  move(area.x() + std::max(0, (area.width() - size.width()) / 2),
       area.y() + std::max(0, (area.height() - size.height() - kTitleBarAllowance) / 2));
}

void MainWindow::ApplyWindowSettings(const MainWindowSettings& s) {
  // The file's place is kept as read (within the rules of the file); a window that would lie
  // wholly outside the screen, or be larger than it, is brought back within reach.
  const QRect area = AvailableScreenArea(this);
  const int width = std::clamp(s.Width, kMinMainWindowWidth, std::max(kMinMainWindowWidth, area.width()));
  const int height = std::clamp(s.Height, kMinMainWindowHeight, std::max(kMinMainWindowHeight, area.height()));
  QRect wanted(s.Left, s.Top, width, height);
  if (!wanted.intersects(area.adjusted(40, 40, -40, -40))) wanted.moveTopLeft(area.topLeft());
  resize(wanted.size());
  move(wanted.topLeft());
  if (s.Maximized) setWindowState(windowState() | Qt::WindowMaximized);

  pnMid_->SetOutputExists(s.OutputExists);
  pnMid_->SetAfterConversion(s.AfterConversion);
  pnMid_->SelectFilesAtOnce(s.FilesAtOnce);
  pnMid_->SetOutDirIsInDir(s.OutDirIsInDir);
  pnMid_->SetOutDir(ToQ(s.OutDir));
  std::array<int, 5> widths = s.ColumnWidths;
  for (int& w : widths) w = std::clamp(w, 0, 10000);
  lv_->SetColumnWidths(widths);
  lv_->SetGridLines(s.GridLines);
  lastDir_ = s.LastDir;
  if (!s.BottomPanelVisible && !pnBottom_->isHidden()) actShowHideBottomPanelExecute();
}

void MainWindow::LoadSettingsFile() {
  MainWindowSettings window = CaptureWindowSettings();
  window.LastDir = lastDir_;
  EncoderSettings encoder = pnBottom_->ReadSettings();
  const QRect screen = AvailableScreenArea(this);
  if (!LoadSettingsFromIni(state_.Params, window, encoder, ScreenSize{screen.width(), screen.height()})) return;
  {
    ControlsUpdatingGuard guard(state_.ControlsUpdating);
    pnBottom_->WriteSettings(encoder);
  }
  ApplyWindowSettings(window);
}

void MainWindow::SaveSettingsFile() {
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
  attempt([&] { SaveSettingsToIni(state_.Params, CaptureWindowSettings(), ReadEncoderSettings()); });
  attempt([&] { SaveProfile(state_.Params.LastSessionFile, ReadEncoderSettings()); });
  if (!files.empty()) ShowSystemErrorBox(this, systemMessage + "\r\n" + files);
}

}  // namespace vardeno
