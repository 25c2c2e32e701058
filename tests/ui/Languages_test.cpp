// The interface language through the seven real windows on a Polish system: the start language,
// a switch that must leave the user's choices selected, and texts produced before a switch.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QtTest>
#include <cstdlib>

#include "MainWindowHarness.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
// The user's locale is Polish. Set before QApplication reads the locale, as a Polish desktop
// session sets it.
bool UsePolishLocale() {
  setenv("LC_ALL", "pl_PL.UTF-8", 1);
  setenv("LANG", "pl_PL.UTF-8", 1);
  return true;
}
const bool kPolishLocale = UsePolishLocale();

// The text a control shows: an action's or button's caption, a menu's or group's title, a
// window's caption.
QString Caption(const QObject* object) {
  if (auto* action = qobject_cast<const QAction*>(object)) return action->text();
  if (auto* menu = qobject_cast<const QMenu*>(object)) return QString(menu->title()).remove(QLatin1Char('&'));  // Alt keys
  if (auto* group = qobject_cast<const QGroupBox*>(object)) return group->title();
  if (auto* label = qobject_cast<const QLabel*>(object)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (auto* window = qobject_cast<const QWidget*>(object)) return window->windowTitle();
  return QStringLiteral("<no control>");
}

QWidget* Window(AppWindows& windows, const QString& name) {
  if (name == "main") return windows.main;
  if (name == "about") return windows.About();
  if (name == "progress") return windows.Progress();
  if (name == "options") return windows.Options();
  if (name == "fileInfo") return windows.FileInfo();
  if (name == "errors") return windows.Errors();
  if (name == "cmdLine") return windows.CmdLine();
  return nullptr;
}

struct WindowText {
  const char* window;
  const char* control;  // nullptr: the window's caption
  const char* english;
  const char* polish;
};

// Texts of each of the seven windows, as the user reads them.
const WindowText kWindowTexts[] = {
    {"main", "mnuFile", "File", "Plik"},
    {"main", "actExit", "Exit", "Zamknij"},
    {"main", "btnConvert", "CONVERT", " KONWERTUJ "},
    {"main", "lblAfterConversion", "After conversion :", "Po konwersji :"},
    {"main", "gbResolution", "Resolution", "Rozdzielczość"},
    {"main", "chAudioDontCopy", "Do not copy audio stream", "Nie kopiuj strumienia audio"},
    {"about", nullptr, "About", "O programie"},
    {"progress", nullptr, "Conversion", "Konwersja"},
    {"progress", "lblProgress", "Progress :", "Postęp :"},
    {"options", nullptr, "Options", "Opcje"},
    {"options", "gbLanguage", "Language", "Język"},
    {"fileInfo", nullptr, "Video file properties", "Właściwości pliku video"},
    {"errors", nullptr, "Errors", "Błędy"},
    {"cmdLine", nullptr, "FFmpeg command-line parameters", "Parametry, które zostaną przekazane do kodera FFmpeg"},
};

// Every window shows its texts in lang, the list's column headers too.
void VerifyWindowsSpeak(MainWindowHarness& h, UiLanguage lang) {
  const bool polish = lang == UiLanguage::Polish;
  for (const WindowText& text : kWindowTexts) {
    QWidget* window = Window(h.windows, QString::fromLatin1(text.window));
    QVERIFY2(window, text.window);
    const QObject* control = text.control ? window->findChild<QObject*>(QString::fromLatin1(text.control)) : window;
    const QString shown = control ? Caption(control) : QStringLiteral("<missing>");
    const QString expected = QString::fromUtf8(polish ? text.polish : text.english);
    QVERIFY2(shown == expected, qPrintable(QStringLiteral("%1 %2: \"%3\", expected \"%4\"")
                                               .arg(text.window, text.control ? text.control : "caption", shown,
                                                    expected)));
  }
  auto* list = h.Find<FileListView>("lv");
  QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(),
           polish ? QStringLiteral("Plik Video") : QStringLiteral("Video File"));
  QCOMPARE(h.windows.Options()->rbLangPolish->isChecked(), polish);
  QCOMPARE(h.windows.Options()->rbLangEnglish->isChecked(), !polish);
}

QString StatusShown(const MainWindowHarness& h, int row) {
  const QAbstractItemModel* model = h.Find<FileListView>("lv")->model();
  return model->data(model->index(row, 4)).toString();
}
}  // namespace

class LanguagesTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QVERIFY(kPolishLocale && QLocale::system().language() == QLocale::Polish); }

  void startLanguageOnAPolishSystem_data() {
    QTest::addColumn<QString>("settingsFile");  // empty: none
    QTest::addColumn<bool>("polish");
    QTest::addColumn<QString>("storedAtClose");
    QTest::newRow("first start") << QString() << true << QStringLiteral("Language=PL");
    QTest::newRow("settings without the key") << QStringLiteral("[MAIN]\r\nGridLines=1\r\n") << false
                                              << QStringLiteral("Language=EN");
  }
  void startLanguageOnAPolishSystem() {
    QFETCH(QString, settingsFile);
    QFETCH(bool, polish);
    QFETCH(QString, storedAtClose);
    MainWindowHarness h;
    if (!settingsFile.isEmpty()) h.files.Write("Vardeno.ini", settingsFile.toStdString());
    MainWindow* main = h.Start();
    VerifyWindowsSpeak(h, polish ? UiLanguage::Polish : UiLanguage::English);
    if (QTest::currentTestFailed()) return;
    // The command-line window sets its caption again each time it shows a line.
    TRIGGER(h, "actShowCmdLine");
    QCOMPARE(h.windows.CmdLine()->windowTitle(),
             polish ? QStringLiteral("Parametry, które zostaną przekazane do kodera FFmpeg")
                    : QStringLiteral("FFmpeg command-line parameters"));
    main->close();
    QVERIFY(main->IsClosed());
    QVERIFY2(h.SettingsText().find(storedAtClose.toStdString()) != std::string::npos, h.SettingsText().c_str());
  }

  void switchKeepsTheChoicesSelectedAndRenamesTheDefaults() {
    MainWindowHarness h;
    std::filesystem::create_directories(h.files / "profiles");
    h.files.Write("profiles/A.ini", "[MAIN]\r\nDisplayName=Zune AVC\r\n");
    h.files.Write("Vardeno.ini", "[MAIN]\r\nLanguage=PL\r\n");
    MainWindow* main = h.Start();
    main->show();
    auto* profiles = h.Find<QComboBox>("cbProfile");
    auto* afterConversion = h.Find<QComboBox>("cbAfterConversion");
    auto* outputExists = h.Find<QComboBox>("cbOutputExists");
    QCOMPARE(profiles->itemText(1), QStringLiteral("Domyślne ustawienia kodera"));
    profiles->setCurrentIndex(2);
    afterConversion->setCurrentIndex(2);
    outputExists->setCurrentIndex(2);
    QCOMPARE(afterConversion->currentText(), QStringLiteral("Wyłącz komputer"));

    QTest::mouseClick(h.windows.Options()->rbLangEnglish, Qt::LeftButton);
    QCOMPARE(h.state.CurrentLanguage, UiLanguage::English);
    VerifyWindowsSpeak(h, UiLanguage::English);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(profiles->count(), 3);
    QCOMPARE(profiles->currentIndex(), 2);
    QCOMPARE(profiles->currentText(), QStringLiteral("Zune AVC"));
    QCOMPARE(profiles->itemText(0), QStringLiteral("The last session settings"));
    QCOMPARE(profiles->itemText(1), QStringLiteral("Encoder default settings"));
    QCOMPARE(afterConversion->count(), 3);
    QCOMPARE(afterConversion->currentIndex(), 2);
    QCOMPARE(afterConversion->currentText(), QStringLiteral("Shut down computer"));
    QCOMPARE(outputExists->currentIndex(), 2);
    QCOMPARE(outputExists->currentText(), QStringLiteral("Skip file"));

    // A profile saved into the profiles folder rebuilds the list, which names entry 1 in its own
    // words until the next switch; the new profile stays selected through the switches.
    SetNextFileDialogAnswer({QString::fromStdString(h.files / "profiles/B.ini")});
    TRIGGER(h, "actSaveProfile");
    QCOMPARE(profiles->count(), 4);
    QCOMPARE(profiles->currentText(), QStringLiteral("B"));
    QCOMPARE(profiles->itemText(1), QStringLiteral("Default encoder settings"));
    QTest::mouseClick(h.windows.Options()->rbLangPolish, Qt::LeftButton);
    QCOMPARE(profiles->currentText(), QStringLiteral("B"));
    QCOMPARE(profiles->itemText(1), QStringLiteral("Domyślne ustawienia kodera"));
    QCOMPARE(afterConversion->currentText(), QStringLiteral("Wyłącz komputer"));
    QTest::mouseClick(h.windows.Options()->rbLangEnglish, Qt::LeftButton);
    QCOMPARE(profiles->currentText(), QStringLiteral("B"));
    QCOMPARE(profiles->itemText(1), QStringLiteral("Encoder default settings"));

    // The choice is stored when the program closes.
    TRIGGER(h, "actExit");
    QVERIFY(main->IsClosed());
    QVERIFY(h.SettingsText().find("Language=EN") != std::string::npos);
  }

  void textsProducedBeforeASwitchKeepTheirLanguage() {
    MainWindowHarness h;
    h.encoder = std::make_unique<InlineEncoder>();
    h.files.Write("Vardeno.ini", "[MAIN]\r\nLanguage=EN\r\n");
    const std::string first = h.files.Write("first.avi", "x");
    MainWindow* main = h.Start({QString::fromStdString(first)});
    main->show();
    QCOMPARE(StatusShown(h, 0), QStringLiteral("Ready"));
    TRIGGER_RUN(h, "actConvert");
    const QString runStatus = StatusShown(h, 0);
    QCOMPARE(runStatus, QStringLiteral("Done"));
    const QString progressStatus = h.windows.Progress()->findChild<QLabel*>("lblStatus")->text();
    QVERIFY(!progressStatus.isEmpty());

    QTest::mouseClick(h.windows.Options()->rbLangPolish, Qt::LeftButton);
    VerifyWindowsSpeak(h, UiLanguage::Polish);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(StatusShown(h, 0), runStatus);
    QCOMPARE(h.windows.Progress()->findChild<QLabel*>("lblStatus")->text(), progressStatus);
    // A row added after the switch gets its status in the new language.
    const std::string second = h.files.Write("second.avi", "y");
    QCOMPARE(h.Find<FileListView>("lv")->DropFiles({QUrl::fromLocalFile(QString::fromStdString(second))}),
             std::size_t(1));
    QCOMPARE(StatusShown(h, 1), QStringLiteral("Gotowy"));
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::LanguagesTest)
#include "Languages_test.moc"
