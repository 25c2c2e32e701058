// The program's windows are created in their order and each reaches the others.
#include <QtTest>

#include "app/ProgramState.h"
#include "ui/AppWindows.h"
#include "ui/TFormCmdLine.h"
#include "ui/TFormMain.h"

class AppWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void createsEverWindowOwnedByTheMainWindow() {
    ProgramState state;
    AppWindows windows;
    CreateAppWindows(state, windows, {});
    QVERIFY(windows.main && windows.about && windows.progress && windows.options && windows.fileInfo &&
            windows.errors && windows.cmdLine);
    QCOMPARE(windows.cmdLine->parent(), windows.main);
    delete windows.main;
  }
};

QTEST_MAIN(AppWindowsTest)
#include "AppWindows_test.moc"
