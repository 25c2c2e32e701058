// The run's progress on Windows: the main window's task bar button (ITaskbarList3) fills as the
// run goes and turns red once a file has failed; at the end the button flashes when files failed
// and the user is elsewhere. Where the task bar's interface is missing, nothing is shown.
#include <windows.h>
#include <shobjidl.h>

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "ui/desktop/DesktopProgress.h"

namespace vardeno {

namespace {
class TaskbarProgress : public DesktopProgress {
 public:
  explicit TaskbarProgress(QWidget* window) : window_(window) {
    // The windows' thread has COM already: Qt initialises OLE on it.
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&taskbar_)))) {
      taskbar_ = nullptr;
    } else if (FAILED(taskbar_->HrInit())) {
      taskbar_->Release();
      taskbar_ = nullptr;
    }
  }
  ~TaskbarProgress() override {
    if (taskbar_) taskbar_->Release();
  }
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;

  void Show(double fraction, bool failed) override {
    const HWND button = Button();
    if (!button) return;
    taskbar_->SetProgressState(button, failed ? TBPF_ERROR : TBPF_NORMAL);
    taskbar_->SetProgressValue(button, ULONGLONG(fraction * 1000 + 0.5), 1000);
  }
  void Clear(bool failed) override {
    if (const HWND button = Button()) taskbar_->SetProgressState(button, TBPF_NOPROGRESS);
    if (failed && window_) QApplication::alert(window_);
  }

 private:
  // The window that has the button; none while the window is hidden in the tray.
  HWND Button() const {
    if (!taskbar_ || !window_ || !window_->isVisible()) return nullptr;
    return reinterpret_cast<HWND>(window_->winId());
  }

  QPointer<QWidget> window_;
  ITaskbarList3* taskbar_ = nullptr;
};
}  // namespace

std::unique_ptr<DesktopProgress> MakeDesktopProgress(QWidget* window) {
  return std::make_unique<TaskbarProgress>(window);
}

}  // namespace vardeno
