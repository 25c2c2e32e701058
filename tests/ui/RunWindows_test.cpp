// The progress and errors windows during real conversion runs: the core's ConversionRun with the
// progress window as its view, the real process runner, and either the real ffmpeg or the fake
// encoder (for runs whose timing must not depend on the machine).
#include <QtTest>

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>

#include "app/ProgramState.h"
#include "conversion/SystemEncoder.h"
#include "platform/ArgumentText.h"
#include "platform/ProcessRunner.h"
#include "support/RecordingConversionView.h"
#include "support/TempDir.h"
#include "ui/AppWindows.h"
#include "ui/windows/EncoderOutputPane.h"
#include "ui/RunWorker.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {

// The encoder program as a run uses it, played by the fake encoder: each input gets its own
// script of steps (see tests/support/fake_encoder.cpp), run through the real process runner and
// ended by the real TerminateApp.
class ScriptedEncoder : public EncoderAccess {
 public:
  EncoderGeneration Generation(const std::string&) override { return EncoderGeneration::Modern; }
  std::optional<bool> HasEncoder(const std::string&, const std::string&) override { return true; }
  MediaProbe Probe(const std::string& inputPath, const std::string&, const IdleHandler&) override {
    MediaProbe probe;
    probe.FileName = inputPath;
    probe.Duration = 10;
    probe.FrameCount = 250;
    return probe;
  }
  std::uint32_t Run(const std::string& encoderPath, const std::string& argText, EncoderOutputLines& lines,
                    const OutputLineHandler& handler, const IdleHandler& idle) override {
    std::string steps = "exit=0";
    for (const auto& [name, script] : scripts)
      if (argText.find(name) != std::string::npos) steps = script;
    return RunConsoleProcess(encoderPath, steps, &lines, handler, idle);
  }
  bool Terminate(const std::string& encoderPath) override { return TerminateApp(encoderPath); }

  std::map<std::string, std::string> scripts;  // input file name -> steps
};

// Presses the errors window's Save button and hands the file dialog it opens to answer, which
// must close it.
void OnSaveLogDialog(ErrorLogWindow* errors, const std::function<void(QFileDialog*)>& answer) {
  bool answered = false;
  QTimer::singleShot(0, errors, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    answered = true;
    answer(dialog);
  });
  errors->findChild<QPushButton*>("btnSaveLog")->click();
  QVERIFY(answered);
}

QStringList SaveLogFilters(ErrorLogWindow* errors) {
  QStringList filters;
  OnSaveLogDialog(errors, [&](QFileDialog* dialog) {
    filters = dialog->nameFilters();
    dialog->reject();
  });
  return filters;
}

// A step that writes text (fake encoder escapes allowed), as one argument.
std::string Write(const std::string& text) { return QuoteArgument("w=" + text); }
const std::string kStatusLine = "frame=  125 fps= 25 q=2.0 size=     100kB time=00:00:05.00 bitrate= 163.8kbits/s\\r";

struct RunWindows {
  TempDir dir;
  ProgramState state;
  AppWindows windows;
  SystemEncoder systemEncoder;
  ScriptedEncoder scripted;
  FakePower power;
  FakeAfterRunHost host;
  ConversionRequest request;
  std::unique_ptr<RunWorker> worker;

  explicit RunWindows(bool fakeEncoder) {
    windows.encoder = fakeEncoder ? static_cast<EncoderAccess*>(&scripted) : &systemEncoder;
    windows.power = &power;
    windows.programFilesDir = dir.Path().string();
    CreateAppWindows(state, windows, {});
    worker = std::make_unique<RunWorker>(state, *windows.encoder, *windows.Progress(), *windows.power, host);
    windows.runner = worker.get();
    // The main window's start fills the program's paths; the run works on these instead.
    state.ProgramDir = dir.Path().string();
    state.Params.EncoderExe = fakeEncoder ? VARDENO_FAKE_ENCODER_PATH : "ffmpeg";
    std::filesystem::create_directory(dir / "out");
    request.outputToInputDir = false;
    request.outputDir = dir / "out";
    request.resolutions = MakeResolutionList(BuiltInResolutions());
  }
  ~RunWindows() {
    worker.reset();
    delete windows.main;
  }

  void AddRow(const std::string& name, const std::string& status = "Ready") {
    FileListRow row;
    row.Checked = true;
    row.Directory = dir.Path().string();
    row.Name = name;
    row.Status = status;
    state.Files.AppendRows({row});
  }
  // One run on the runner's thread, the event loop going on until it has ended.
  RunResult Execute(RunWorker::Options options = {}) {
    RunResult result;
    bool ended = false;
    QEventLoop loop;
    QObject::connect(worker.get(), &RunWorker::finished, &loop, [&](const RunResult& r) {
      result = r;
      ended = true;
      loop.quit();
    });
    if (!worker->Start(request, std::move(options))) return result;
    if (!ended) loop.exec();
    return result;
  }
  std::string Status(std::size_t row) const { return state.Files.Row(row).Status; }
  // The main window's tool bar: off while a run goes on, like all its controls.
  QWidget* MainToolBar() const { return windows.main->findChild<QWidget*>(QStringLiteral("tbMain")); }
  template <typename T>
  T* Progress(const char* name) {
    return windows.Progress()->findChild<T*>(QLatin1String(name));
  }
  QString ErrorsPane() { return windows.Errors()->findChild<QPlainTextEdit*>("me")->toPlainText(); }
};

// Calls check on every pass of the event loop until it returns true once.
class EveryEventPass {
 public:
  explicit EveryEventPass(std::function<bool()> check) : check_(std::move(check)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      ++passes;
      if (check_()) timer_.stop();
    });
    timer_.start(0);
  }
  int passes = 0;

 private:
  QTimer timer_;
  std::function<bool()> check_;
};

bool MakeClip(const std::string& path) {
  const std::string command = "ffmpeg -v error -y -f lavfi -i testsrc=duration=1:size=160x120:rate=25 -f lavfi -i "
                              "sine=duration=1 -shortest '" + path + "'";
  return std::system(command.c_str()) == 0;
}

}  // namespace

class RunWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void twoClipsAndABrokenFileShowTheirOutcomesAndTheErrorsWindow() {
    if (std::system("ffmpeg -version > /dev/null 2>&1") != 0) QSKIP("ffmpeg is not installed");
    RunWindows w(false);
    QVERIFY(MakeClip(w.dir / "first.mp4"));
    QVERIFY(MakeClip(w.dir / "second.mp4"));
    w.dir.Write("broken.mp4", "this is not a video\n");
    w.AddRow("first.mp4");
    w.AddRow("second.mp4");
    w.AddRow("broken.mp4");

    const RunResult result = w.Execute();

    QCOMPARE(result.end, RunEnd::Completed);
    QCOMPARE(w.Status(0), std::string("Done"));
    QCOMPARE(w.Status(1), std::string("Done"));
    QVERIFY2(w.Status(2).rfind("Error (", 0) == 0 && w.Status(2) != "Error (0)", w.Status(2).c_str());
    QCOMPARE(w.windows.Errors()->windowTitle(), QStringLiteral("Errors (1)"));
    QVERIFY(w.windows.Errors()->isVisible());
    QVERIFY(w.ErrorsPane().startsWith(QStringLiteral("Error # 1\n")));
    // The failed file's encoder output reached the pane, and from it the log.
    const QString ffmpegSays = QStringLiteral("Invalid data found when processing input");
    QVERIFY(w.Progress<QPlainTextEdit>("me")->toPlainText().contains(ffmpegSays));
    QVERIFY(w.ErrorsPane().contains(ffmpegSays));
    QCOMPARE(w.Progress<QLabel>("lblStatus")->text(), QString::fromStdString(w.Status(2)));
    QCOMPARE(w.Progress<QLabel>("lblInputFile")->text(), QString::fromStdString(w.dir / "broken.mp4"));
    QCOMPARE(w.Progress<QProgressBar>("pbFile")->value(), 100);
    QCOMPARE(w.Progress<QPushButton>("btnAbort")->text(), QStringLiteral("Close"));
    QVERIFY(w.windows.Progress()->isVisible());
    QVERIFY(w.MainToolBar()->isEnabled());
    QCOMPARE(w.host.closeCalls, 0);
  }

  // The middle file's encoder prints one line and then nothing for a minute: the close box,
  // handled while the runner waits on the silent encoder, ends it and the run.
  void closingTheProgressWindowAbortsASilentEncoderInTheMiddleRow() {
    RunWindows w(true);
    w.scripted.scripts = {{"first.mp4", Write(kStatusLine) + " w=\\n exit=0"},
                          {"middle.mp4", "w=started\\r\\n sleep=60000 exit=0"}};
    w.AddRow("first.mp4");
    w.AddRow("middle.mp4");
    w.AddRow("last.mp4");
    w.request.afterConversion = 1;

    bool escIgnored = false;
    bool abortEnabled = false;
    EveryEventPass closeBox([&] {
      if (w.state.Run.FileNo != 2 || !w.Progress<QPlainTextEdit>("me")->toPlainText().contains("started")) return false;
      // The main window is disabled during the run; the progress window is not.
      abortEnabled = w.Progress<QPushButton>("btnAbort")->isEnabled() && !w.MainToolBar()->isEnabled();
      // Esc during a run neither hides the window nor aborts.
      QTest::keyClick(w.windows.Progress(), Qt::Key_Escape);
      escIgnored = w.windows.Progress()->isVisible() && !w.state.Run.AbortRequested;
      w.windows.Progress()->close();
      return true;
    });
    const RunResult result = w.Execute();

    QVERIFY(escIgnored);
    QVERIFY(abortEnabled);
    QVERIFY(result.aborted);
    QCOMPARE(w.Status(0), std::string("Done"));
    QCOMPARE(w.Status(1), std::string("Aborted"));
    QCOMPARE(w.Status(2), std::string("Ready"));
    QVERIFY(!w.windows.Progress()->isVisible());
    // The encoder was ended (exit code 1), not waited for: its exit code would have been 0.
    QVERIFY(w.ErrorsPane().contains(QStringLiteral("ExitCode: 1\n")));
    QCOMPARE(w.windows.Errors()->windowTitle(), QStringLiteral("Errors (1)"));
    QVERIFY(!w.windows.Errors()->isVisible());
    QCOMPARE(w.host.closeCalls, 0);
  }

  // Four files at once, two of them failing in the opposite order of the list: the statuses are
  // those of one after another, the log's entries come in the order the files failed and each
  // names its file, and the pane tells whose line is whose.
  void severalFilesAtOnceShowEveryFileAndNameEachLogEntry() {
    RunWindows w(true);
    w.scripted.scripts = {{"a.mp4", Write(kStatusLine) + " w=\\n exit=0"},
                          {"b.mp4", "w=b-says\\n sleep=700 exit=2"},
                          {"c.mp4", "w=c-started\\n sleep=300 exit=0"},
                          {"d.mp4", "w=d-says\\n exit=3"}};
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4", "d.mp4"}) w.AddRow(name);
    bool runningShown = false;
    EveryEventPass watch([&] {
      const QString running = w.Progress<QLabel>("lblRunningFiles")->text();
      runningShown = w.Progress<QLabel>("lblRunningFiles")->isVisible() && running.contains("b.mp4") &&
                     w.Progress<QLabel>("lblStatus")->text().startsWith("Files done: ");
      return runningShown;
    });
    RunWorker::Options options;
    options.filesAtOnce = 4;
    const RunResult result = w.Execute(options);

    QCOMPARE(result.end, RunEnd::Completed);
    QVERIFY(runningShown);
    QCOMPARE(w.Status(0), std::string("Done"));
    QCOMPARE(w.Status(1), std::string("Error (2)"));
    QCOMPARE(w.Status(2), std::string("Done"));
    QCOMPARE(w.Status(3), std::string("Error (3)"));
    const QStringList log = w.ErrorsPane().split('\n');
    const QString d = QString::fromStdString(w.dir / "d.mp4"), b = QString::fromStdString(w.dir / "b.mp4");
    QVERIFY2(log.indexOf(d) >= 0 && log.indexOf(d) < log.indexOf(b), qPrintable(log.join('|')));
    QCOMPARE(log.at(log.indexOf(d) + 1), QStringLiteral("ExitCode: 3"));
    QCOMPARE(log.at(log.indexOf(b) + 1), QStringLiteral("ExitCode: 2"));
    const QString pane = w.Progress<QPlainTextEdit>("me")->toPlainText();
    QVERIFY2(pane.contains("b.mp4: b-says") && pane.contains("d.mp4: d-says") && pane.contains("c.mp4: c-started"),
             qPrintable(pane));
    QCOMPARE(w.Progress<QLabel>("lblStatus")->text(), QStringLiteral("Files done: 4 / 4   Running: 0   100 %"));
    QVERIFY(!w.Progress<QLabel>("lblRunningFiles")->isVisible());
    QCOMPARE(w.windows.Errors()->windowTitle(), QStringLiteral("Errors (2)"));
    QVERIFY(w.windows.Errors()->isVisible());
  }

  // Abort with four encoders running that would print nothing for a minute: all four are ended
  // (none waited for), their rows end "Aborted", and the row not yet started stays as it was.
  void abortEndsEveryRunningEncoder() {
    RunWindows w(true);
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4", "d.mp4", "e.mp4"}) {
      w.scripted.scripts[name] = "w=started\\r\\n w=waiting\\r\\n sleep=60000 exit=0";
      w.AddRow(name);
    }
    QElapsedTimer sinceAbort;
    EveryEventPass abort([&] {
      if (w.Progress<QPlainTextEdit>("me")->toPlainText().count("started") < 4) return false;
      w.Progress<QPushButton>("btnAbort")->click();
      sinceAbort.start();
      return true;
    });
    RunWorker::Options options;
    options.filesAtOnce = 4;
    const RunResult result = w.Execute(options);

    QVERIFY(sinceAbort.isValid());
    // Ended at once (SIGTERM), not after the minute: a loaded machine still has plenty of room.
    QVERIFY2(sinceAbort.elapsed() < 20000, qPrintable(QString::number(sinceAbort.elapsed())));
    QVERIFY(result.aborted);
    for (std::size_t row = 0; row < 4; ++row) QCOMPARE(w.Status(row), std::string("Aborted"));
    QCOMPARE(w.Status(4), std::string("Ready"));
    QCOMPARE(w.Progress<QPushButton>("btnAbort")->text(), QStringLiteral("Close"));
  }

  // A question mid-run (an output folder that cannot be made) is asked on the windows' thread
  // while the run waits for its answer; the windows go on handling events meanwhile.
  void aQuestionMidRunIsAnsweredWhileTheRunWaits() {
    RunWindows w(true);
    w.AddRow("a.mp4");
    w.dir.Write("a file", "");
    w.request.outputDir = w.dir / "a file/out";
    bool asked = false;
    bool runWaited = false;
    EveryEventPass answer([&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return false;
      asked = box->text().contains(QStringLiteral("a file"));
      runWaited = w.worker->Active() && w.state.Run.Running;
      box->button(QMessageBox::Ok)->click();
      return true;
    });
    const RunResult result = w.Execute();

    QVERIFY(asked);
    QVERIFY(runWaited);
    QCOMPARE(result.end, RunEnd::CannotCreateDir);
    QVERIFY(!w.state.Run.Running);
  }

  // A damaged input can make the encoder print a line per frame: the window goes on handling
  // events, and the pane holds only the last lines, exactly as the list has them.
  void theOutputPaneStaysBoundedWithAnEncoderPrinting100000Lines() {
    RunWindows w(true);
    w.scripted.scripts = {{"damaged.mp4", "rep=100000:[h264\\s@\\s0x1]\\serror\\swhile\\sdecoding\\sMB\\s7\\r\\n " +
                                          Write(kStatusLine) + " exit=1"}};
    w.AddRow("damaged.mp4");
    EveryEventPass counter([] { return false; });

    w.Execute();

    QCOMPARE(w.Status(0), std::string("Error (1)"));
    auto* pane = w.windows.Progress()->findChild<EncoderOutputPane*>("me");
    QCOMPARE(pane->LineCount(), w.state.OutputLines.size());
    QVERIFY(w.state.OutputLines.size() >= 100000);
    QVERIFY(pane->ShownLineCount() <= EncoderOutputPane::kMaxShownLines * 5 / 4);
    QCOMPARE(static_cast<std::size_t>(pane->blockCount()), pane->ShownLineCount());
    const QStringList shown = pane->toPlainText().split(QLatin1Char('\n'));
    const std::size_t offset = w.state.OutputLines.size() - shown.size();
    for (qsizetype i = 0; i < shown.size(); i += 997)
      QCOMPARE(shown[i], QString::fromStdString(w.state.OutputLines[offset + i]));
    QCOMPARE(shown.last(), QString::fromStdString(w.state.OutputLines.back()));
    QVERIFY(pane->FollowsEnd());
    QCOMPARE(pane->verticalScrollBar()->value(), pane->verticalScrollBar()->maximum());
    // Events were handled all along the run, not just before and after it.
    QVERIFY2(counter.passes > 1000, qPrintable(QString::number(counter.passes)));
    QCOMPARE(w.windows.Errors()->windowTitle(), QStringLiteral("Errors (1)"));
  }

  // The pane against the list it stands for, under updates as the handler makes them: appended
  // lines, a rewritten last line, an emptied list, batches larger than the pane holds, several
  // updates gathered before one flush.
  void theOutputPaneShowsTheTailOfItsListAfterEveryFlush() {
    EncoderOutputPane pane;
    std::vector<std::string> list;
    std::mt19937 random(7);
    int next = 0;
    for (int step = 0; step < 400; ++step) {
      const int kind = static_cast<int>(random() % 20);
      std::size_t keep = list.size();
      if (kind < 8 && !list.empty()) keep = list.size() - 1;  // the last line rewritten or deleted
      if (kind == 8) keep = 0;                                  // emptied for the next file
      std::size_t count = random() % 4;
      if (kind == 9) count = 1000 + random() % 6000;
      std::vector<std::string> added;
      for (std::size_t i = 0; i < count; ++i) added.push_back("line " + std::to_string(next++));
      list.resize(keep);
      list.insert(list.end(), added.begin(), added.end());
      pane.Apply(keep, added);
      QCOMPARE(pane.LineCount(), list.size());
      if (random() % 3 != 0) continue;  // gathered, not flushed yet

      pane.Flush();
      QCOMPARE(pane.LineCount(), list.size());
      QVERIFY(pane.ShownLineCount() <= EncoderOutputPane::kMaxShownLines * 5 / 4);
      QVERIFY(pane.ShownLineCount() >= std::min<std::size_t>(list.size(), 1));
      QStringList expected;
      for (std::size_t i = list.size() - pane.ShownLineCount(); i < list.size(); ++i)
        expected << QString::fromStdString(list[i]);
      QCOMPARE(pane.toPlainText(), expected.join(QLatin1Char('\n')));
    }
  }

  void theErrorsWindowSavesItsPaneWithCrLfClearsAndHides() {
    RunWindows w(true);
    ErrorLogWindow* errors = w.windows.Errors();
    auto* pane = errors->findChild<QPlainTextEdit*>("me");
    AddErrorLogEntry(w.state.Errors, "ExitCode: 1\r\nfirst\r\n", 1);
    AddErrorLogEntry(w.state.Errors, "ExitCode: 2\r\n", 2);
    QCOMPARE(errors->PaneLines(), w.state.Errors.Lines());

    // The pane is the log: what the user types is saved too.
    pane->appendPlainText(QStringLiteral("a note"));
    std::vector<std::string> expected = w.state.Errors.Lines();
    expected.push_back("a note");
    errors->ToggleVisible();
    QVERIFY(errors->isVisible());
    QString proposed;
    OnSaveLogDialog(errors, [&](QFileDialog* dialog) {
      proposed = dialog->selectedFiles().value(0).section(QLatin1Char('/'), -1);
      dialog->selectFile(QString::fromStdString(w.dir / "saved"));
      static_cast<QDialog*>(dialog)->accept();  // the Save button
    });
    QCOMPARE(proposed, QStringLiteral("Vardeno_Errors.log"));
    std::string text;
    for (const std::string& line : expected) text += line + "\r\n";
    QCOMPARE(ReadWholeFile(w.dir / "saved.log"), text);

    errors->findChild<QPushButton*>("btnClearLog")->click();
    QVERIFY(pane->toPlainText().isEmpty());
    QVERIFY(w.state.Errors.Lines().empty());
    QTest::keyClick(pane, Qt::Key_Escape);
    QVERIFY(!errors->isVisible());
  }

  void bothWindowsSpeakEitherLanguage() {
    RunWindows w(true);
    w.windows.Progress()->SetAbortCaption("Close");
    w.state.CurrentLanguage = w.state.Params.Language = UiLanguage::Polish;
    w.windows.Progress()->SetLang();
    w.windows.Errors()->SetLang();
    QCOMPARE(w.windows.Progress()->windowTitle(), QStringLiteral("Konwersja"));
    QCOMPARE(w.Progress<QLabel>("lblInputFileDesc")->text(), QStringLiteral("Plik źródłowy :"));
    QCOMPARE(w.Progress<QPushButton>("btnAbort")->text(), QStringLiteral("Zamknij"));
    QCOMPARE(w.windows.Errors()->windowTitle(), QStringLiteral("Błędy"));
    QCOMPARE(w.windows.Errors()->findChild<QPushButton*>("btnClearLog")->text(), QStringLiteral("Wyczyść log"));
    QCOMPARE(SaveLogFilters(w.windows.Errors()), QStringList{QStringLiteral("Pliki LOG (*.log)")});

    w.state.CurrentLanguage = w.state.Params.Language = UiLanguage::English;
    w.state.Run.ErrorCount = 2;  // as a run with two failures leaves it
    w.windows.Progress()->SetLang();
    w.windows.Errors()->SetLang();
    QCOMPARE(w.Progress<QLabel>("lblProgress")->text(), QStringLiteral("Progress :"));
    QCOMPARE(w.Progress<QPushButton>("btnAbort")->text(), QStringLiteral("Close"));
    QCOMPARE(w.windows.Errors()->windowTitle(), QStringLiteral("Errors (2)"));
    QCOMPARE(SaveLogFilters(w.windows.Errors()), QStringList{QStringLiteral("Log file (*.log)")});
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::RunWindowsTest)
#include "RunWindows_test.moc"
