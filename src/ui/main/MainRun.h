// Conversion runs started from the main window: actConvert converts, actSaveBAT writes a script.
// A run goes on on the runner's thread: whoever pressed the button (a screen reader over the
// accessibility bus too) gets its answer at once and can reach the progress window's Abort
// during the run.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QWidget;

namespace vardeno {

class AfterRunHost;
struct AppWindows;
class FileListView;
struct MainActions;
class MiddlePanel;
struct ProgramState;
struct RunResult;
class RunWorker;
class SettingsPanels;

class MainRun : public QObject {
  Q_OBJECT
 public:
  // Connects actConvert and actSaveBAT. A run takes its settings from middle and settings, hands
  // the after-run action to host, and gives the keyboard back to list when it ends; later runs
  // work once the event loop is back (the script's file dialog). window is the parent of the
  // dialogs; the window owns this object and outlives it.
  MainRun(ProgramState& state, AppWindows& windows, const MainActions& actions, MiddlePanel& middle,
          SettingsPanels& settings, FileListView& list, AfterRunHost& host, QWidget* window,
          std::function<void(std::function<void()>)> later);
  // A run still going on ends before anything it uses goes.
  ~MainRun() override;

  bool Active() const;
  // Aborts a run going on and returns once it has ended and everything it said has been shown.
  void AbortAndWait();
  // The window is closing: no run starts any more.
  void Close() { closed_ = true; }

 signals:
  // A conversion run or script run has ended and everything it said has been shown.
  void ended();

 private:
  void Convert();
  void SaveScript();
  void Start(bool batchMode, const std::string& batchFileName);
  void Finished(const RunResult& result);
  // The conversion runner (AppWindows::runner), made with the progress window on the first run.
  RunWorker& Runner();

  ProgramState& state_;
  AppWindows& windows_;
  MiddlePanel& middle_;
  SettingsPanels& settings_;
  FileListView& list_;
  AfterRunHost& host_;
  QWidget* window_;
  std::function<void(std::function<void()>)> later_;
  RunWorker* runner_ = nullptr;  // owned; AppWindows::runner
  bool runIsBatch_ = false;      // the run going on writes a script
  bool closed_ = false;
};

}  // namespace vardeno
