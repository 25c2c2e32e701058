// "Open with" into the running program: a second start of the real vardeno hands its file to the
// windows of this test, which listen as the running program does, and ends at once.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include "MainWindowHarness.h"
#include "ui/desktop/InstanceChannel.h"

namespace vardeno {

class InstanceChannelTest : public QObject {
  Q_OBJECT
 private slots:
  void aSecondStartHandsItsFileOverAndEndsWithinASecond() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    main->showMinimized();
    // The name the program computes for itself: this user and its folder.
    const QString name = InstanceSocketName(QFileInfo(QStringLiteral(VARDENO_PROGRAM_PATH)).absolutePath());
    QVERIFY(name != InstanceSocketName(QStringLiteral("/opt/another copy")));
    InstanceServer server(name, nullptr);
    QVERIFY(server.Listening());
    connect(&server, &InstanceServer::filesHanded, main, &MainWindow::AddHandedFiles);

    const std::string clip = h.files.Write("handed over.mp4", "x");
    QProcess second;
    second.setWorkingDirectory(QString::fromStdString(h.files.Path().string()));
    QElapsedTimer clock;
    clock.start();
    // A relative name: the running program has another current folder.
    second.start(QStringLiteral(VARDENO_PROGRAM_PATH), {QStringLiteral("handed over.mp4")});
    QVERIFY(second.waitForStarted());
    // Its own event loop runs meanwhile, so the handed files can arrive.
    // A second start that does not hand over stays open with a window of its own.
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
    const qint64 took = clock.elapsed();
    qInfo("the second start ended after %lld ms", static_cast<long long>(took));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    QTRY_COMPARE(h.state.Files.Count(), std::size_t(1));
    QCOMPARE(h.state.Files.Row(0).Name, std::string("handed over.mp4"));
    QVERIFY(h.state.Files.Row(0).Directory.rfind(h.files.Path().string(), 0) == 0);
    QVERIFY(main->isVisible() && !main->isMinimized());
  }

  void aProgramEndedHardLeavesNothingThatKeepsTheNextFromListening() {
    const QString name = InstanceSocketName(QFileInfo(QStringLiteral(VARDENO_PROGRAM_PATH)).absolutePath());
    QProcess first;
    first.start(QStringLiteral(VARDENO_PROGRAM_PATH), {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(HandToRunningInstance(name, {}), 20000);
    first.kill();
    QVERIFY(first.waitForFinished());
    QVERIFY(!HandToRunningInstance(name, {}));

    InstanceServer next(name, nullptr);
    QVERIFY(next.Listening());
    QSignalSpy handed(&next, &InstanceServer::filesHanded);
    QVERIFY(HandToRunningInstance(name, {QStringLiteral("clip.mp4")}));
    QTRY_COMPARE(handed.count(), 1);
    QCOMPARE(handed.at(0).at(0).toStringList(), QStringList{QStringLiteral("clip.mp4")});
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::InstanceChannelTest)
#include "InstanceChannel_test.moc"
