// The options and about windows: the language switch through every window, the launcher boxes
// acting on a temporary home (never the user's), and the about window's encoder lines and links.
#include <QtTest>

#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QRadioButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/ProgramState.h"
#include "platform/Shortcuts.h"
#include "support/TempDir.h"
#include "ui/AppWindows.h"
#include "ui/windows/LanguageSwitch.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/AboutWindowTexts.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/OptionsWindow.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {
// A temporary home with its own XDG folders and a stand-in gio first on PATH, set up before
// QApplication or any window reads the environment.
fs::path PrepareTemporaryHome() {
  std::string pattern = (fs::temp_directory_path() / "vardeno-ui-home-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  const fs::path root = pattern;
  fs::create_directories(root / "home");
  fs::create_directories(root / "bin");
  std::ofstream(root / "bin/gio") << "#!/bin/sh\nexit 0\n";
  fs::permissions(root / "bin/gio", fs::perms::owner_all);
  setenv("HOME", (root / "home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  const char* path = std::getenv("PATH");
  setenv("PATH", ((root / "bin").string() + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
  return root;
}
const fs::path kRoot = PrepareTemporaryHome();

const fs::path kDesktopLauncher = kRoot / "home/Desktop/Vardeno.desktop";
const fs::path kMenuLauncher = kRoot / "data/applications/vardeno.desktop";

void Activate(QWidget& window) {
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(&window, &activate);
}
}  // namespace

class OptionsAboutTest : public QObject {
  Q_OBJECT
 public slots:
  void recordUrl(const QUrl& url) { openedUrls.append(url); }

 private:
  QList<QUrl> openedUrls;

 private slots:
  void cleanup() {
    std::error_code ignored;
    fs::remove_all(kRoot / "home/Desktop", ignored);
    fs::remove_all(kRoot / "data", ignored);
  }
  void cleanupTestCase() {
    std::error_code ignored;
    fs::remove_all(kRoot, ignored);
  }

  void clickingTheCheckedLanguageChangesNothing() {
    ProgramState state;
    AppWindows windows;
    OptionsWindow options(state, windows, nullptr);
    options.show();
    QVERIFY(options.rbLangEnglish->isChecked());
    QCOMPARE(options.windowTitle(), QStringLiteral("Options"));

    options.setWindowTitle(QStringLiteral("not set by the window"));
    QTest::mouseClick(options.rbLangEnglish, Qt::LeftButton);
    QVERIFY(options.rbLangEnglish->isChecked());
    QCOMPARE(options.windowTitle(), QStringLiteral("not set by the window"));
    QCOMPARE(state.Params.Language, UiLanguage::English);

    QTest::mouseClick(options.rbLangPolish, Qt::LeftButton);
    QCOMPARE(options.windowTitle(), QStringLiteral("Opcje"));
    QCOMPARE(options.chShortcutStartMenu->text(), QStringLiteral("W menu aplikacji"));
    QCOMPARE(state.Params.Language, UiLanguage::Polish);
    QCOMPARE(state.CurrentLanguage, UiLanguage::Polish);
  }

  void switchRunsEveryCreatedWindowsRoutineInOrder() {
    ProgramState state;
    AppWindows windows;
    TempDir files;  // the program files folder, whose settings file asks for Polish
    files.Write("Vardeno.ini", "[MAIN]\r\nLanguage=PL\r\n");
    windows.programFilesDir = files.Path().string();
    CreateAppWindows(state, windows, {});
    // Created in Polish: the options window checked Polish, and the about window is Polish.
    QVERIFY(windows.Options()->rbLangPolish->isChecked());
    QCOMPARE(windows.About()->windowTitle(), QStringLiteral("O programie"));
    QVERIFY(windows.Progress() && windows.Errors() && windows.FileInfo() && windows.CmdLine());  // made

    QStringList order;
    for (const LanguageRoutine& routine : LanguageRoutines(windows)) order << routine.window;
    QCOMPARE(order, QStringList({"options", "main", "progress", "about", "errors", "fileInfo", "cmdLine"}));
    AppWindows atOptionsCreation = windows;  // the last three are not created yet then
    atOptionsCreation.fileInfo = nullptr;
    atOptionsCreation.errors = nullptr;
    atOptionsCreation.cmdLine = nullptr;
    order.clear();
    for (const LanguageRoutine& routine : LanguageRoutines(atOptionsCreation)) order << routine.window;
    QCOMPARE(order, QStringList({"options", "main", "progress", "about"}));

    QTest::mouseClick(windows.Options()->rbLangEnglish, Qt::LeftButton);
    QCOMPARE(state.Params.Language, UiLanguage::English);
    QCOMPARE(state.CurrentLanguage, UiLanguage::English);
    QCOMPARE(windows.Options()->windowTitle(), QStringLiteral("Options"));
    QCOMPARE(windows.About()->windowTitle(), QStringLiteral("About"));
    QCOMPARE(windows.About()->lblVersion->text(), QStringLiteral("Version " VARDENO_VERSION));

    SwitchLanguage(state, windows, UiLanguage::Polish);
    QCOMPARE(state.Params.Language, UiLanguage::Polish);
    QCOMPARE(windows.About()->lblDate->text(), QStringLiteral("9 styczeń 2009"));
    QCOMPARE(windows.Options()->gbLanguage->title(), QStringLiteral("Język"));
    delete windows.main;
  }

  void shortcutBoxesWriteAndRemoveLaunchersAtOnce() {
    ProgramState state;
    AppWindows windows;
    OptionsWindow options(state, windows, nullptr);
    options.show();
    QVERIFY(QTest::qWaitForWindowActive(&options));
    QVERIFY(!options.chShortcutDesktop->isChecked());
    QVERIFY(!options.chShortcutStartMenu->isChecked());

    // Both folders are missing: each click makes its folder and the launcher at once.
    QTest::mouseClick(options.chShortcutDesktop, Qt::LeftButton);
    QVERIFY(fs::is_regular_file(kDesktopLauncher));
    QTest::mouseClick(options.chShortcutStartMenu, Qt::LeftButton);
    QVERIFY(fs::is_regular_file(kMenuLauncher));
    std::ifstream in(kMenuLauncher);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QVERIFY(text.find("Exec=\"" + QCoreApplication::applicationFilePath().toStdString() + "\" %F") !=
            std::string::npos);

    QTest::mouseClick(options.chShortcutDesktop, Qt::LeftButton);
    QVERIFY(!fs::exists(kDesktopLauncher));
    QTest::mouseClick(options.chShortcutStartMenu, Qt::LeftButton);
    QVERIFY(!fs::exists(kMenuLauncher));
  }

  void boxesFollowTheDiskAtActivation() {
    ProgramState state;
    AppWindows windows;
    OptionsWindow options(state, windows, nullptr);
    // A launcher the user made counts as the program's own.
    fs::create_directories(kMenuLauncher.parent_path());
    std::ofstream(kMenuLauncher) << "[Desktop Entry]\nName=My own\n";
    options.show();
    QVERIFY(QTest::qWaitForWindowActive(&options));
    QVERIFY(options.chShortcutStartMenu->isChecked());
    QVERIFY(!options.chShortcutDesktop->isChecked());
    QVERIFY(fs::exists(kMenuLauncher));  // showing it changed nothing on disk

    // A launcher that cannot be written (a file where the desktop folder belongs): the box stays
    // checked, nothing is reported, and the next activation sets it back from the disk.
    fs::create_directories(kRoot / "home");
    std::ofstream(kRoot / "home/Desktop") << "not a folder";
    QTest::mouseClick(options.chShortcutDesktop, Qt::LeftButton);
    QVERIFY(options.chShortcutDesktop->isChecked());
    fs::remove(kMenuLauncher);
    Activate(options);
    QVERIFY(!options.chShortcutDesktop->isChecked());
    QVERIFY(!options.chShortcutStartMenu->isChecked());
  }

  void aboutNamesTheEncoderInUseAndOpensItsLinks() {
    ProgramState state;
    AppWindows windows;
    AboutWindow about(state, windows, nullptr);
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));

    about.show();  // the encoder is asked only now
    QVERIFY2(about.Label5->text().startsWith(QStringLiteral("ffmpeg version ")), qPrintable(about.Label5->text()));
    QVERIFY(!about.Label5->text().contains(QStringLiteral("Copyright")));
    QCOMPARE(about.Label6->text(), QString::fromUtf8(AboutTexts::ModernArguments.en));
    state.CurrentLanguage = UiLanguage::Polish;
    about.SetLang();
    QCOMPARE(about.Label6->text(), QString::fromUtf8(AboutTexts::ModernArguments.pl));
    about.hide();

    state.Params.EncoderExe = "/no/such/ffmpeg";
    about.show();
    QCOMPARE(about.Label5->text(), QStringLiteral("Nie znaleziono kodera FFmpeg"));

    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "recordUrl");
    QTest::mouseClick(about.lblWwwFFmpeg, Qt::LeftButton);
    QTest::mouseClick(about.lblCredit, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(openedUrls, QList<QUrl>({QUrl("https://ffmpeg.org/"), QUrl("https://www.qt.io/")}));
  }

  void keysThatOpenAWindowAlsoCloseIt() {
    ProgramState state;
    AppWindows windows;
    OptionsWindow options(state, windows, nullptr);
    AboutWindow about(state, windows, nullptr);
    const QList<std::pair<QWidget*, QKeySequence>> closeKeys = {
        {&options, QKeySequence(Qt::Key_F12)},
        {&options, QKeySequence(Qt::Key_Escape)},
        {&about, QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F1)},
        {&about, QKeySequence(Qt::Key_Escape)}};
    for (const auto& [window, key] : closeKeys) {
      window->show();
      QVERIFY(QTest::qWaitForWindowActive(window));
      QTest::keySequence(window, key);
      QVERIFY2(!window->isVisible(), qPrintable(key.toString()));
    }
  }

  void pointingAddsAndRemovesOnlyTheUnderline() {
    QWidget parent;
    auto* link = new LinkLabel(LinkLabel::Pointing::AddUnderline, &parent);
    QFont bold = link->font();
    bold.setBold(true);
    link->setFont(bold);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(link, &enter);
    QVERIFY(link->font().underline() && link->font().bold());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    QVERIFY(!link->font().underline() && link->font().bold());

    auto* credit = new LinkLabel(LinkLabel::Pointing::UnderlineOnly, &parent);
    credit->setFont(bold);
    QCoreApplication::sendEvent(credit, &enter);
    QVERIFY(credit->font().underline() && !credit->font().bold());
    QCoreApplication::sendEvent(credit, &leave);
    QVERIFY(!credit->font().underline() && !credit->font().bold());
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::OptionsAboutTest)
#include "OptionsAbout_test.moc"
