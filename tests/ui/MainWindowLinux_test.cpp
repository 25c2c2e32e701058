// The main window against the Linux system itself: a settings folder on a full disk, a
// termination signal, and a real clip made by the system's ffmpeg through the shell.
#include <QtTest>
#include <csignal>

#include "MainWindowHarness.h"
#include "support/SmallDisk.h"
#include "ui/desktop/MainSignals.h"
#include "ui/MessageBoxes.h"

namespace vardeno {

class MainWindowLinuxTest : public QObject {
  Q_OBJECT
 private slots:
  void closingOntoAFullDiskTellsTheUserAndKeepsTheOldSettingsFile() {
    MainWindowHarness h;
    SmallDisk disk(h.files.Path().string());
    if (!disk.Mounted()) QSKIP(disk.Why().c_str());
    const std::string old = "[MAIN]\r\nOutputFormat=5\r\n";
    h.files.Write("Vardeno.ini", old);
    MainWindow* main = h.Start();
    disk.Fill();
    SetNextMessageBoxAnswer(QMessageBox::Ok);
    main->close();
    QVERIFY(main->IsClosed());
    QCOMPARE(LastMessageBoxText(), "System Error.  Code: 28.\r\nNo space left on device\r\n\r\nUnable to write to " +
                                       (h.files / "Vardeno.ini") + "\r\nUnable to write to " +
                                       (h.files / "profiles/__Last.ini"));
    QCOMPARE(h.SettingsText(), old);
    QVERIFY(!std::filesystem::exists(h.files / "profiles/__Last.ini"));
  }

  void terminationSignalClosesTheWindowCleanly() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    main->show();
    CloseOnTerminationSignals(main);
    QSignalSpy closed(main, &MainWindow::closed);
    std::raise(SIGTERM);
    QTRY_COMPARE(closed.count(), 1);
    QVERIFY(std::filesystem::exists(h.files / "Vardeno.ini"));
  }

  void convertsARealClip() {
    MainWindowHarness h;
    const std::string clip = h.files / "clip one.mp4";
    const std::string command = "ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=duration=1:size=160x120:rate=10 "
                                "-f lavfi -i sine=duration=1 -shortest '" + clip + "'";
    if (std::system(command.c_str()) != 0) QSKIP("ffmpeg cannot make a clip here");
    MainWindow* main = h.Start({QString::fromStdString(clip)});
    main->show();
    TRIGGER_RUN(h, "actConvert");
    QCOMPARE(h.state.Files.Row(0).Status, std::string("Done"));
    QVERIFY(std::filesystem::file_size(h.files / "clip one_NEW.mp4") > 0);
    QVERIFY(h.Action("actConvert")->isEnabled());
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::MainWindowLinuxTest)
#include "MainWindowLinux_test.moc"
