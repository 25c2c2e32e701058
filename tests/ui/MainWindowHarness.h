// The real windows built into a temporary program files folder, for the main window's tests.
#pragma once

#include <QAction>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>
#include <functional>
#include <memory>

#include "app/ProgramState.h"
#include "conversion/SystemEncoder.h"
#include "support/TempDir.h"
#include "ui/AppWindows.h"
#include "ui/main/MainWindow.h"

namespace vardeno {

// An encoder that converts nothing: each run has duringRun called on the windows' thread (the
// window is then in the middle of a conversion) and reports success once it has returned, or
// exit code 1 when the run ended the encoder first (an abort).
class InlineEncoder : public EncoderAccess {
 public:
  std::function<void()> duringRun;
  EncoderGeneration Generation(const std::string&) override { return EncoderGeneration::Modern; }
  std::optional<bool> HasEncoder(const std::string&, const std::string&) override { return true; }
  MediaProbe Probe(const std::string&, const std::string&, const IdleHandler&) override { return {}; }
  std::uint32_t Run(const std::string&, const std::string&, EncoderOutputLines&, const OutputLineHandler&,
                    const IdleHandler& idle) override {
    terminated_ = false;
    auto returned = std::make_shared<std::atomic<bool>>(false);
    QMetaObject::invokeMethod(
        qApp,
        [this, returned] {
          if (duringRun) duringRun();
          *returned = true;
        },
        Qt::QueuedConnection);
    while (!*returned && !terminated_) {
      if (idle) idle();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return terminated_ ? 1 : 0;
  }
  bool Terminate(const std::string&) override {
    terminated_ = true;
    return true;
  }

 private:
  std::atomic<bool> terminated_{false};
};

class NoPower : public PowerControl {
 public:
  bool ShutDownComputer() override { return false; }
};

struct MainWindowHarness {
  TempDir files;  // the program files folder: settings, profiles
  ProgramState state;
  AppWindows windows;
  NoPower power;
  std::unique_ptr<EncoderAccess> encoder = std::make_unique<SystemEncoder>();

  // Creates the seven windows as the program does, with these command-line arguments.
  MainWindow* Start(const QStringList& arguments = {}) {
    windows.programFilesDir = files.Path().string();
    windows.encoder = encoder.get();
    windows.power = &power;
    CreateAppWindows(state, windows, arguments);
    // A stand-in encoder runs nothing, so no system ffmpeg is needed: the run only looks for a file.
    // Its outputs are no media files either, so no player is checked.
    if (dynamic_cast<InlineEncoder*>(encoder.get())) {
      state.Params.EncoderExe = files.Write("encoder stand-in", "");
      state.Params.Player = PlayerId::None;
    }
    return windows.main;
  }
  ~MainWindowHarness() { delete windows.main; }

  template <typename T = QObject>
  T* Find(const char* name) const {
    return windows.main->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* Action(const char* name) const { return Find<QAction>(name); }
  std::string SettingsText() const;
};

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string MainWindowHarness::SettingsText() const { return ReadText(files / "Vardeno.ini"); }

// Triggers the named action of the main window after checking that the user could: it exists
// and is enabled.
#define TRIGGER(harness, name)                                      \
  do {                                                              \
    QAction* action_ = (harness).Action(name);                      \
    QVERIFY2(action_, name);                                        \
    QVERIFY2(action_->isEnabled(), name " is disabled");            \
    action_->trigger();                                             \
  } while (false)

// Triggers actConvert or actSaveBAT as TRIGGER does and waits until the run it starts (after the
// trigger has returned) has ended.
#define TRIGGER_RUN(harness, name)                                          \
  do {                                                                      \
    QSignalSpy runEnded_((harness).windows.main, &MainWindow::runEnded);     \
    TRIGGER(harness, name);                                                 \
    QCOMPARE(runEnded_.count(), 0);                                         \
    QVERIFY2(runEnded_.wait(20000), name " did not end");                   \
  } while (false)

}  // namespace vardeno
