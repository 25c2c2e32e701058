// The program's windows: only the main window is made at start; another is made when first asked
// for, once, in the language then in force; all live as long as the main window (deleting it takes
// every other window with it, shown or hidden, so none is left open or leaked when the program ends).
#include <QAction>
#include <QPointer>
#include <QRadioButton>
#include <QtTest>

#include "app/ProgramState.h"
#include "ui/AppWindows.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/LanguageSwitch.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

class AppWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void otherWindowsAreMadeWhenFirstAskedFor() {
    ProgramState state;
    AppWindows windows;
    CreateAppWindows(state, windows, {});
    const QList<QWidget*> made{windows.about,    windows.progress, windows.options,
                               windows.fileInfo, windows.errors,   windows.cmdLine};
    for (QWidget* window : made) QVERIFY(!window);

    // A window made after a language switch speaks the new language like the others.
    SwitchLanguage(state, windows, UiLanguage::Polish);
    auto* showOptions = windows.main->findChild<QAction*>(QStringLiteral("actShowOptions"));
    QVERIFY(showOptions);
    showOptions->trigger();
    OptionsWindow* options = windows.options;
    QVERIFY(options);
    QVERIFY(options->isVisible());
    QVERIFY(options->findChild<QRadioButton*>(QStringLiteral("rbLangPolish"))->isChecked());
    QVERIFY(!windows.about);  // the others wait for their turn
    options->hide();
    showOptions->trigger();
    QCOMPARE(windows.Options(), options);  // made once, then shown again
    delete windows.main;
  }

  void everyWindowGoesWithTheMainWindow() {
    ProgramState state;
    AppWindows windows;
    CreateAppWindows(state, windows, {});
    const QList<QPointer<QWidget>> others{windows.About(),    windows.Progress(), windows.Options(),
                                          windows.FileInfo(), windows.Errors(),   windows.CmdLine()};
    for (const QPointer<QWidget>& window : others) QVERIFY(window);
    windows.Errors()->show();  // one of them open, as after a run with errors
    delete windows.main;
    for (int i = 0; i < others.size(); ++i) QVERIFY2(others[i].isNull(), qPrintable(QString::number(i)));
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::AppWindowsTest)
#include "AppWindows_test.moc"
