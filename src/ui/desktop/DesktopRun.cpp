#include "ui/desktop/DesktopRun.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QWidget>
#include <algorithm>

#include "conversion/UnattendedText.h"
#include "ui/AppWindows.h"
#include "ui/desktop/DesktopNotice.h"
#include "ui/desktop/DesktopProgress.h"
#include "ui/QtText.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/main/MainWindow.h"

namespace vardeno {

namespace {
const QString kIdleTip = QStringLiteral("Vardeno");
}

DesktopRun::DesktopRun(AppWindows& windows, QObject* parent)
    : QObject(parent), windows_(windows), progress_(MakeDesktopProgress(windows.main)) {}

DesktopRun::~DesktopRun() = default;

void DesktopRun::SetTrayTip(const QString& tip) {
  QSystemTrayIcon* tray = windows_.main ? windows_.main->TrayIcon() : nullptr;
  if (tray && tray->toolTip() != tip) tray->setToolTip(tip);
}

void DesktopRun::Started(int fileCount) {
  running_ = true;
  shownPermille_ = -1;
  shownFailed_ = false;
  Progress(1, fileCount, 0, 0);
}

void DesktopRun::Progress(int fileNo, int fileCount, int percent, int errorCount) {
  if (!running_ || fileCount <= 0) return;
  fileNo = std::clamp(fileNo, 1, fileCount);
  percent = std::clamp(percent, 0, 100);
  SetTrayTip(QStringLiteral("%1 %2 / %3  %4 %").arg(kIdleTip).arg(fileNo).arg(fileCount).arg(percent));
  // The bus hears of a change of a tenth of a percent of the run at most.
  const int permille = ((fileNo - 1) * 1000 + percent * 10) / fileCount;
  const bool failed = errorCount > 0;
  if (permille == shownPermille_ && failed == shownFailed_) return;
  shownPermille_ = permille;
  shownFailed_ = failed;
  progress_->Show(permille / 1000.0, failed);
}

void DesktopRun::OverallProgress(int done, int fileCount, int percent, int errorCount) {
  if (!running_ || fileCount <= 0) return;
  percent = std::clamp(percent, 0, 100);
  SetTrayTip(QStringLiteral("%1 %2 / %3  %4 %").arg(kIdleTip).arg(std::clamp(done, 0, fileCount)).arg(fileCount).arg(percent));
  const bool failed = errorCount > 0;
  if (percent * 10 == shownPermille_ && failed == shownFailed_) return;
  shownPermille_ = percent * 10;
  shownFailed_ = failed;
  progress_->Show(percent / 100.0, failed);
}

void DesktopRun::Ended(int errorCount) {
  if (!running_) return;
  running_ = false;
  watchedAtEnd_ = QApplication::activeWindow() != nullptr;
  SetTrayTip(kIdleTip);
  progress_->Clear(errorCount > 0);
}

void DesktopRun::NoticeEnd(const RunResult& result, UiLanguage lang) {
  if (result.end != RunEnd::Completed || result.fileCount <= 1 || watchedAtEnd_) return;
  if (!notice_) notice_ = MakeDesktopNotice(windows_.main->TrayIcon());
  const bool failures = result.errorCount > 0 && !result.aborted;
  AppWindows* windows = &windows_;
  notice_->Show(kIdleTip, ToQ(RunEndText(lang, result.fileCount, result.errorCount, result.aborted)),
                [windows, failures] {
                  BringToFront(windows->main);
                  if (failures) BringToFront(windows->Errors());
                });
}

void BringToFront(QWidget* window) {
  if (!window) return;
  if (window->isMinimized())
    window->showNormal();
  else
    window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace vardeno
