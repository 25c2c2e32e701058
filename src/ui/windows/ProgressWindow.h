// The progress window: the paths of the file being converted, the status line, the progress bar
// and the encoder's filtered output. It is the core's ConversionView for a run of the windowed
// program: what concerns the main window or the errors window it hands on to them.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <string>

#include "conversion/ConversionRun.h"
#include "conversion/ParallelRows.h"

class QAction;
class QLabel;
class QProgressBar;
class QTimer;
class QPushButton;

namespace vardeno {

class EncoderOutputPane;
class PathLabel;
struct AppWindows;
struct ProgramState;

class ProgressWindow : public QDialog, public ConversionView, public RunSummaryDisplay {
  Q_OBJECT
 public:
  ProgressWindow(ProgramState& state, AppWindows& windows, QWidget* parent);
  // The window's texts in the language in force (CurrentLanguage).
  void SetLang();

  // actAbort: during a run it asks the run to stop; otherwise it closes the window.
  void actAbortExecute();

  // ConversionView
  void ShowWarning(const std::string& text) override;
  void DisableAll() override;
  void EnableAll() override;
  void ShowSystemError(const std::string& text) override;
  void ShowProgressWindow() override;
  void SetAbortCaption(const std::string& caption) override;
  void SetInputFile(const std::string& path) override;
  void SetOutputFile(const std::string& path) override;
  void SetStatus(const std::string& text, StatusTone tone) override;
  void SetProgress(int percent) override;
  void SetPbColor(RgbColor color) override;
  void ClearEncoderOutput() override;
  void ShowErrorsWindow() override;
  void SetErrorsCaption(const std::string& caption) override;
  void ProcessPendingEvents() override;
  void ShowProgress(const ProgressUpdate& update) override;
  void ShowSilence(std::chrono::seconds silent) override;
  void ShowRunNotice(const std::string& text) override;
  void RowFinished(std::size_t row, const std::string& status, const std::string& outputPath) override;
  // Several files at once: the batch's count and percentage in the status line and the bar, every
  // running file (name, frame, percentage, speed) in a list, and the encoders' finished lines in
  // the output pane, each after its file's name.
  void ShowRunSummary(const RunSummary& summary) override;

 protected:
  // The close box: during a run it aborts the run; the window closes in either case.
  void closeEvent(QCloseEvent* event) override;
  // Esc: hides the window after a run; during a run it does nothing, so a stray key neither
  // stops the conversion nor hides the only way to stop it.
  void reject() override;

 private:
  void BuildControls();
  QWidget* MessageOwner() const;
  // Puts what ShowProgress gathered on screen.
  void FlushDisplay();
  bool DisplayDue() const;
  // The run's notice and the encoder's silence, under the output pane while there are any.
  void ShowNotes();
  // Tells the desktop (task bar, tray) where the run stands.
  void ReportToDesktop(int percent);

  ProgramState& state_;
  AppWindows& windows_;
  bool abortShowsClose_ = false;  // the button reads "Close" (after a run)

  // Progress updates reach the screen at most every kDisplayIntervalMs (and whenever the run
  // does anything else), so an encoder that prints fast is not slowed down by repainting.
  static constexpr int kDisplayIntervalMs = 50;
  QElapsedTimer displayClock_;
  QTimer* flushTimer_ = nullptr;  // puts a gathered update on screen once its interval is up
  bool displayPending_ = false;
  QString pendingStatus_;
  int pendingPercent_ = 0;

  QString runNotice_;
  QString silence_;
  bool runShown_ = false;  // a conversion showed this window and has not ended yet

  QAction* actAbort = nullptr;
  QLabel* lblRunNotes = nullptr;
  QLabel* lblRunningFilesDesc = nullptr;
  QLabel* lblRunningFiles = nullptr;
  bool summaryShown_ = false;  // the run going on converts several files at once
  QLabel* lblEncoderOutput = nullptr;
  EncoderOutputPane* me = nullptr;
  QLabel* lblStatusDesc = nullptr;
  QLabel* lblStatus = nullptr;
  QLabel* lblInputFileDesc = nullptr;
  PathLabel* lblInputFile = nullptr;
  QLabel* lblOutputFileDesc = nullptr;
  PathLabel* lblOutputFile = nullptr;
  QLabel* lblProgress = nullptr;
  QProgressBar* pbFile = nullptr;
  QPushButton* btnAbort = nullptr;
};

}  // namespace vardeno
