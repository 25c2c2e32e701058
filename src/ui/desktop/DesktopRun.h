// A conversion run as the desktop shows it outside the program's windows: the task bar's
// progress, the tray icon's tool tip ("3 / 37  45 %"), and one notice at the end of a run that
// nobody watched. The progress window reports the run to it; everything is cleared at the end.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "conversion/ConversionRun.h"

class QWidget;

namespace vardeno {

class DesktopNotice;
class DesktopProgress;
struct AppWindows;

class DesktopRun : public QObject {
 public:
  DesktopRun(AppWindows& windows, QObject* parent);
  ~DesktopRun() override;

  void Started(int fileCount);
  // fileNo of fileCount is at percent; errorCount files have failed so far.
  void Progress(int fileNo, int fileCount, int percent, int errorCount);
  // Several files at once: done of fileCount have ended and the run is percent complete.
  void OverallProgress(int done, int fileCount, int percent, int errorCount);
  // Called as the run ends, before it may show the errors window.
  void Ended(int errorCount);

  // After a conversion: when a run of more than one file ended while no window of the program
  // was active, one notice of how it ended; clicking it brings the main window (and, after
  // failures, the errors window) to the front.
  void NoticeEnd(const RunResult& result, UiLanguage lang);

 private:
  void SetTrayTip(const QString& tip);

  AppWindows& windows_;
  std::unique_ptr<DesktopProgress> progress_;
  std::unique_ptr<DesktopNotice> notice_;
  bool running_ = false;
  int shownPermille_ = -1;
  bool shownFailed_ = false;
  bool watchedAtEnd_ = true;  // a window of the program was active when the run ended
};

// Shows the window (from the tray or minimized too), raises it and asks to make it active.
void BringToFront(QWidget* window);

}  // namespace vardeno
