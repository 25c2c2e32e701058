// The command-line preview and the file information window, driven through their entry points
// with a scripted encoder and with the system's ffmpeg.
#include <QDir>
#include <QtTest>

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

#include "app/ProgramState.h"
#include "conversion/SystemEncoder.h"
#include "encoder/EncoderInfo.h"
#include "encoder/PreviewLine.h"
#include "base/FileSizeText.h"
#include "platform/SystemError.h"
#include "probe/Probe.h"
#include "support/TempDir.h"
#include "ui/AppWindows.h"
#include "ui/MessageBoxes.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/main/MainWindow.h"

namespace vardeno {

namespace {

// An encoder of a chosen generation whose probe is the real one (or fails to start), counting probes.
class ScriptedEncoder : public SystemEncoder {
 public:
  explicit ScriptedEncoder(EncoderGeneration generation) : SystemEncoder(generation) {}
  MediaProbe Probe(const std::string& inputPath, const std::string& encoderPath, const IdleHandler& idle) override {
    ++probes;
    if (failToStart) throw SystemError(2, "No such file or directory");
    return SystemEncoder::Probe(inputPath, encoderPath, idle);
  }
  int probes = 0;
  bool failToStart = false;
};

// The program's windows over a fresh state and the given encoder.
struct Program {
  explicit Program(EncoderAccess& encoder) {
    windows.encoder = &encoder;
    CreateAppWindows(state, windows, {});
  }
  ~Program() { delete windows.main; }
  ProgramState state;
  AppWindows windows;
};

// Hands every modal window that opens while it lives to answer, which must close it.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget*)> answer) {
    QObject::connect(&timer_, &QTimer::timeout, [answer] {
      if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
    });
    timer_.start(0);
  }

 private:
  QTimer timer_;
};

template <class T>
T* Child(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(QLatin1String(name));
  if (!child) qFatal("no child %s", name);
  return child;
}

QString LabelText(QWidget* window, const char* name) { return Child<QLabel>(window, name)->text(); }

bool MakeClip(const QString& path) {
  QProcess ffmpeg;
  ffmpeg.start(QStringLiteral("ffmpeg"),
               {"-v", "error", "-f", "lavfi", "-i", "testsrc=duration=1:size=160x120:rate=25", "-f", "lavfi", "-i",
                "sine=duration=1", "-shortest", "-y", path});
  return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

bool HaveFfmpeg() { return !GetEncoderPath(AppParams{}, "").empty(); }

}  // namespace

class InfoWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

  // The tool windows share the main window's shortcuts while the main window is shown; Esc in
  // any of them closes that window only, never reaching the main window's Esc.
  void escClosesEachToolWindowWhileTheMainWindowIsShown() {
    ScriptedEncoder encoder(EncoderGeneration::Classic);
    Program program(encoder);
    program.windows.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(program.windows.main));
    QWidget* const toolWindows[] = {program.windows.CmdLine(), program.windows.FileInfo(), program.windows.Errors()};
    // Should the main window's Esc run, its question is answered at once and seen as asked.
    SetNextMessageBoxAnswer(QMessageBox::No);
    const std::string lastAsked = LastMessageBoxText();
    for (QWidget* window : toolWindows) {
      window->show();
      window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window));
      QWidget* focused = window->focusWidget() ? window->focusWidget() : window;
      QTest::keyClick(focused, Qt::Key_Escape);
      QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
      QCOMPARE(LastMessageBoxText(), lastAsked);
    }
    ShowWarningBox(nullptr, "");  // takes the answer no box used
  }

  void previewShowsTheLinesOfAClassicEncoderAndTheNewestOnly() {
    ScriptedEncoder classic(EncoderGeneration::Classic);
    Program program(classic);
    CommandLineWindow* window = program.windows.CmdLine();
    EncoderSettings settings;
    window->SetSettingsSource([&settings] { return settings; });
    auto* me = Child<QPlainTextEdit>(window, "me");

    window->ShowCommandLine();
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    QVERIFY(me->isReadOnly());
    QCOMPARE(window->windowTitle(), QStringLiteral("FFmpeg command-line parameters"));
    QCOMPARE(me->toPlainText(), QStringLiteral("-y -i <input_file> -vcodec libx264 -b 500k -r 25 -acodec libfaac "
                                               "-ab 96k -ar 44100 -ac 2 <output_file>"));

    settings.OutputFormat = 8;
    window->ShowCommandLine();
    QCOMPARE(me->toPlainText(),
             QStringLiteral("-y -i <input_file> -vn  -acodec libmp3lame -ab 96k -ar 44100 -ac 2 <output_file>"));

    // The caption follows the language in force each time the line is built.
    program.state.CurrentLanguage = UiLanguage::Polish;
    settings.OutputFormat = 1;
    settings.DoNotCopyAudio = true;
    window->ShowCommandLine();
    QCOMPARE(me->toPlainText(), QStringLiteral("-y -i <input_file> -vcodec wmv2 -b 500k -r 25 -an  <output_file>"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Parametry, które zostaną przekazane do kodera FFmpeg"));

    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(me, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
  }

  void previewShowsWhatTheSystemFfmpegGets() {
    if (!HaveFfmpeg()) QSKIP("no ffmpeg on PATH");
    SystemEncoder system;
    Program program(system);
    program.windows.CmdLine()->ShowCommandLine();
    const QString line = Child<QPlainTextEdit>(program.windows.CmdLine(), "me")->toPlainText();
    QVERIFY2(line.contains(QStringLiteral(" -b:v 500k ")) && line.contains(QStringLiteral(" -acodec aac -b:a 96k ")),
             qPrintable(line));
    QVERIFY(!line.contains(QStringLiteral("libfaac")));
    QVERIFY(line.startsWith(QStringLiteral("-y -i <input_file> -vcodec libx264")));
    QVERIFY(line.endsWith(QStringLiteral(" <output_file>")));
  }

  void twoRefusedValuesGiveBothWarningsAndTheLineStillShows() {
    ScriptedEncoder classic(EncoderGeneration::Classic);
    Program program(classic);
    EncoderSettings settings;
    settings.VideoBitrate = "fast";
    settings.AudioSampling = -1;
    program.windows.CmdLine()->SetSettingsSource([&settings] { return settings; });
    QStringList boxes;
    QList<QWidget*> owners;
    ModalAnswerer answerer([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return;
      boxes << box->text();
      owners << box->parentWidget();
      box->done(QMessageBox::Ok);
    });

    program.windows.CmdLine()->ShowCommandLine();

    QCOMPARE(boxes.size(), 2);
    QVERIFY2(boxes[0].startsWith(QStringLiteral("Video bitrate: fast")), qPrintable(boxes[0]));
    QVERIFY2(boxes[1].startsWith(QStringLiteral("Audio sampling frequency: ")), qPrintable(boxes[1]));
    QCOMPARE(owners, (QList<QWidget*>{program.windows.main, program.windows.main}));
    QCOMPARE(Child<QPlainTextEdit>(program.windows.CmdLine(), "me")->toPlainText(),
             QStringLiteral("-y -i <input_file> -vcodec libx264  -acodec libfaac  <output_file>"));
    QVERIFY(program.windows.CmdLine()->isVisible());
  }

  void fileInfoShowsARealClipFollowsTheSelectionAndSavesItsText() {
    if (!HaveFfmpeg()) QSKIP("no ffmpeg on PATH");
    TempDir dir;
    const QString clip = QString::fromStdString(dir / "my clip.mp4");
    QVERIFY(MakeClip(clip));
    ScriptedEncoder modern(EncoderGeneration::Modern);
    Program program(modern);
    FileInfoWindow* window = program.windows.FileInfo();
    std::optional<std::string> selected = clip.toStdString();
    window->SetFileChooser([&selected] { return selected; });

    window->ToggleVisible();
    QVERIFY(window->isVisible());
    QCOMPARE(modern.probes, 1);
    QCOMPARE(LabelText(window, "lblFileName"), QStringLiteral("my clip.mp4"));
    QCOMPARE(LabelText(window, "lblDirectory"), QString::fromStdString(dir.Path().string()));
    QCOMPARE(LabelText(window, "lblFileSize"),
             QString::fromStdString(FormatFileSize(GetFileSizeBytes(clip.toStdString()))));
    QVERIFY(LabelText(window, "lblDuration").startsWith(QStringLiteral("00:00:01")));
    QCOMPARE(LabelText(window, "lblFPS"), QStringLiteral("25.00"));
    auto* val = Child<QTableWidget>(window, "val");
    QCOMPARE(val->rowCount(), 2);
    QVERIFY(val->item(0, 0)->text().startsWith(QStringLiteral("Stream #0:0")));
    QVERIFY(val->item(0, 1)->text().startsWith(QStringLiteral("Video: h264")));
    QVERIFY(val->item(1, 0)->text().startsWith(QStringLiteral("Stream #0:1")));
    QVERIFY(val->item(1, 1)->text().startsWith(QStringLiteral("Audio: aac")));

    // The frame rate carries the locale's decimal mark.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    window->UpdateList();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(LabelText(window, "lblFPS"), QStringLiteral("25,00"));

    // No selection keeps what is shown; a hidden window probes nothing; showing it again re-probes.
    selected.reset();
    window->UpdateList();
    QCOMPARE(LabelText(window, "lblFileName"), QStringLiteral("my clip.mp4"));
    selected = clip.toStdString();
    window->ToggleVisible();
    QVERIFY(!window->isVisible());
    window->UpdateList();
    QCOMPARE(modern.probes, 2);
    window->ToggleVisible();
    QCOMPARE(modern.probes, 3);

    // Saved in Polish: the dialog proposes "<file>_info.txt"; the text's labels stay English.
    program.state.Params.Language = UiLanguage::Polish;
    window->SetLang();
    QCOMPARE(window->windowTitle(), QStringLiteral("Właściwości pliku video"));
    QCOMPARE(val->horizontalHeaderItem(0)->text(), QStringLiteral("Strumień"));
    QString proposed;
    ModalAnswerer answerer([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return;
      proposed = dialog->selectedFiles().value(0);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as its Save button does
    });
    Child<QPushButton>(window, "btnSave")->click();
    const QString saved = clip + QStringLiteral("_info.txt");
    QCOMPARE(QDir::toNativeSeparators(proposed), saved);  // Qt writes "/" in its dialogs everywhere
    const QStringList lines = QString::fromStdString(ReadWholeFile(saved.toStdString())).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 8);  // seven lines, each ended by CR LF
    QCOMPARE(lines[0], QStringLiteral("File: ") + clip);
    QVERIFY(lines[1].startsWith(QStringLiteral("File size: ")));
    QCOMPARE(lines[3], QStringLiteral("FPS: 25.00"));
    QCOMPARE(lines[4], QStringLiteral("Audio & Video streams:"));
    QVERIFY2(lines[5].startsWith(QStringLiteral("  Stream #0:0")) && lines[5].contains(QStringLiteral(" - Video: h264")),
             qPrintable(lines[5]));
    QVERIFY(lines[7].isEmpty());

    QTest::keyClick(val, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
  }

  void fileInfoOfAMissingFileAndANonMediaFileShowsWhatIsKnown() {
    TempDir dir;
    const std::string notMedia = dir.Write("notes.avi", "a list of things to do\n");
    const std::string missing = dir / "gone.mp4";
    ScriptedEncoder modern(EncoderGeneration::Modern);
    Program program(modern);
    FileInfoWindow* window = program.windows.FileInfo();
    std::string selected = missing;
    window->SetFileChooser([&selected] { return std::optional<std::string>(selected); });
    auto* val = Child<QTableWidget>(window, "val");
    const auto showsNothingButItsFile = [&](const char* name, const char* size) {
      QCOMPARE(LabelText(window, "lblFileName"), QString::fromLatin1(name));
      QCOMPARE(LabelText(window, "lblFileSize"), QString::fromLatin1(size));
      QCOMPARE(LabelText(window, "lblDuration"), QString());
      QCOMPARE(LabelText(window, "lblFPS"), QStringLiteral("0.00"));
      QCOMPARE(val->rowCount(), 1);
      QCOMPARE(val->item(0, 0)->text() + val->item(0, 1)->text(), QString());
    };

    window->ToggleVisible();
    showsNothingButItsFile("gone.mp4", " 0 bytes");

    if (HaveFfmpeg()) {
      selected = notMedia;
      window->UpdateList();
      showsNothingButItsFile("notes.avi", "23 bytes");
    }

    // An encoder that cannot be started is reported; the window still shows the file's name and size.
    modern.failToStart = true;
    selected = notMedia;
    SetNextMessageBoxAnswer(QMessageBox::Ok);
    window->UpdateList();
    QVERIFY(QString::fromStdString(LastMessageBoxText()).startsWith(QStringLiteral("System Error.  Code: 2.")));
    showsNothingButItsFile("notes.avi", "23 bytes");
    QVERIFY(window->isVisible());
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::InfoWindowsTest)
#include "InfoWindows_test.moc"
