// The program's windows live as long as the main window: deleting it takes every other window
// with it, shown or hidden, so none is left open or leaked when the program ends.
#include <QPointer>
#include <QtTest>

#include "app/ProgramState.h"
#include "ui/AppWindows.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

class AppWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void everyWindowGoesWithTheMainWindow() {
    ProgramState state;
    AppWindows windows;
    CreateAppWindows(state, windows, {});
    const QList<QPointer<QWidget>> others{windows.about,    windows.progress, windows.options,
                                          windows.fileInfo, windows.errors,   windows.cmdLine};
    for (const QPointer<QWidget>& window : others) QVERIFY(window);
    windows.errors->show();  // one of them open, as after a run with errors
    delete windows.main;
    for (int i = 0; i < others.size(); ++i) QVERIFY2(others[i].isNull(), qPrintable(QString::number(i)));
  }
};

QTEST_MAIN(AppWindowsTest)
#include "AppWindows_test.moc"
