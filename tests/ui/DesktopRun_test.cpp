// A conversion run of the windowed program as the desktop sees it, against python-dbusmock's
// logind and notification service on private buses (tests/desktop/with_mock_desktop.py starts
// them): the sleep lock during the run, the launcher entry's progress, and one notice at the end
// of a run nobody watched, whose click brings the windows back.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QSystemTrayIcon>
#include <QtTest>

#include "MainWindowHarness.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");

// The inhibitors logind lists: what, who, why, mode.
QStringList Inhibitors() {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
      QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors"));
  const QDBusMessage reply = QDBusConnection::systemBus().call(call);
  QStringList listed;
  if (reply.type() != QDBusMessage::ReplyMessage) return {QStringLiteral("error: ") + reply.errorMessage()};
  const QDBusArgument array = reply.arguments().at(0).value<QDBusArgument>();
  array.beginArray();
  while (!array.atEnd()) {
    QString what, who, why, mode;
    uint uid = 0, pid = 0;
    array.beginStructure();
    array >> what >> who >> why >> mode >> uid >> pid;
    array.endStructure();
    listed << QStringList{what, who, why, mode}.join(QLatin1Char('|'));
  }
  array.endArray();
  return listed;
}

// The Notify calls the notification service has had: their ids (1, 2, ...) and bodies.
QStringList NotifyBodies() {
  QDBusInterface mock(kNotifications, QStringLiteral("/org/freedesktop/Notifications"),
                      QStringLiteral("org.freedesktop.DBus.Mock"), QDBusConnection::sessionBus());
  const QDBusMessage reply = mock.call(QStringLiteral("GetMethodCalls"), QStringLiteral("Notify"));
  QStringList bodies;
  const QDBusArgument calls = reply.arguments().value(0).value<QDBusArgument>();
  calls.beginArray();
  while (!calls.atEnd()) {
    qulonglong time = 0;
    QVariantList args;
    calls.beginStructure();
    calls >> time >> args;
    calls.endStructure();
    bodies << args.value(4).toString();
  }
  calls.endArray();
  return bodies;
}

// Each file's encoder run: the second one fails.
class CountingEncoder : public InlineEncoder {
 public:
  std::uint32_t Run(const std::string& path, const std::string& args, EncoderOutputLines& lines,
                    const OutputLineHandler& handler, const IdleHandler& idle) override {
    InlineEncoder::Run(path, args, lines, handler, idle);
    return ++runs == 2 ? 1 : 0;
  }
  int runs = 0;
};
}  // namespace

class DesktopRunTest : public QObject {
  Q_OBJECT
 public slots:
  void LauncherUpdate(const QString& app, const QVariantMap& properties) {
    if (app == QStringLiteral("application://vardeno.desktop")) updates << properties;
  }

 private slots:
  void initTestCase() {
    if (qEnvironmentVariableIsEmpty("VARDENO_MOCK_DESKTOP")) QSKIP("needs tests/desktop/with_mock_desktop.py");
    QVERIFY(QDBusConnection::sessionBus().connect(QString(), QString(),
                                                  QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                                  QStringLiteral("Update"), this,
                                                  SLOT(LauncherUpdate(QString, QVariantMap))));
  }

  void anUnwatchedRunHoldsTheLockShowsItsProgressAndEndsWithOneNotice() {
    MainWindowHarness h;
    auto* encoder = new CountingEncoder;
    h.encoder.reset(encoder);
    MainWindow* main = h.Start();
    main->show();
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
      h.state.Files.AddToList(h.files.Write(name, "x"), UiLanguage::English);
    main->InitControls();
    QStringList lockedDuringRun;
    encoder->duringRun = [&] {
      lockedDuringRun = Inhibitors();
      // The user has gone to another program.
      QApplication::setActiveWindow(nullptr);
    };
    TRIGGER_RUN(h, "actConvert");

    QCOMPARE(lockedDuringRun, QStringList{QStringLiteral("sleep:idle|Vardeno|Converting 3 files|block")});
    QCOMPARE(Inhibitors(), QStringList());
    // The launcher's progress went up while the run went on, and was taken away at its end,
    // asking for attention because a file failed.
    QTRY_VERIFY(!updates.isEmpty() && !updates.last().value(QStringLiteral("progress-visible")).toBool());
    double last = -1;
    for (int i = 0; i + 1 < updates.size(); ++i) {
      QVERIFY(updates[i].value(QStringLiteral("progress-visible")).toBool());
      const double progress = updates[i].value(QStringLiteral("progress")).toDouble();
      QVERIFY2(progress >= last && progress <= 1.0, qPrintable(QString::number(progress)));
      last = progress;
    }
    QVERIFY(last > 0.6);
    QVERIFY(updates.last().value(QStringLiteral("urgent")).toBool());
    QCOMPARE(main->TrayIcon()->toolTip(), QStringLiteral("Vardeno"));

    QTRY_COMPARE(NotifyBodies(), QStringList{QStringLiteral("2 files converted, 1 failed")});
    // Clicking it brings back the main window and the errors window.
    main->hide();
    h.windows.Errors()->hide();
    QDBusInterface mock(kNotifications, QStringLiteral("/org/freedesktop/Notifications"),
                        QStringLiteral("org.freedesktop.DBus.Mock"), QDBusConnection::sessionBus());
    const QDBusMessage emitted =
        mock.call(QStringLiteral("EmitSignal"), kNotifications, QStringLiteral("ActionInvoked"), QStringLiteral("us"),
                  QVariantList{QVariant(1u), QVariant(QStringLiteral("default"))});
    QVERIFY2(emitted.type() == QDBusMessage::ReplyMessage, qPrintable(emitted.errorMessage()));
    QTRY_VERIFY(main->isVisible() && h.windows.Errors()->isVisible());

    // A run the user watched ends without a notice; so does a one-file run.
    encoder->duringRun = [&] { h.windows.Progress()->activateWindow(); };
    TRIGGER_RUN(h, "actConvert");
    h.state.Files.SetChecked(1, false);
    h.state.Files.SetChecked(2, false);
    encoder->duringRun = [&] { QApplication::setActiveWindow(nullptr); };
    TRIGGER_RUN(h, "actConvert");
    QTest::qWait(300);
    QCOMPARE(NotifyBodies().size(), 1);
  }

 private:
  QList<QVariantMap> updates;
};

}  // namespace vardeno

QTEST_MAIN(vardeno::DesktopRunTest)
#include "DesktopRun_test.moc"
