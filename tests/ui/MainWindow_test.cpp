// The main window built as the program builds it: its start and close, its enable rules, Esc,
// the bottom panel, a settings file with hostile values, and conversions started from it.
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDesktopServices>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QtTest>

#include "MainWindowHarness.h"
#include "texts/PlatformTexts.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
const char* const kListActions[] = {"actConvert", "actSaveBAT", "actRemoveChecked", "actCheckAll",
                                    "actInvertSelection", "actExploreDirectory", "actShowHideFileInfo"};

bool Enabled(const MainWindowHarness& h, const char* name) { return h.Action(name)->isEnabled(); }
}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 public slots:
  void recordUrl(const QUrl& url) { openedUrls << url; }

 private:
  QList<QUrl> openedUrls;

 private slots:
  void startAppliesProfileThenSettingsThenLanguageAndAddsEveryFileArgument() {
    MainWindowHarness h;
    std::filesystem::create_directories(h.files / "profiles");
    std::filesystem::create_directories(h.files / "in");
    h.files.Write("profiles/__Last.ini", "[VIDEO]\r\nOutputFormat=8\r\nVideoBitrate=777\r\n");
    h.files.Write("profiles/b.ini", "[MAIN]\r\nDisplayName=\r\n");
    h.files.Write("profiles/A.ini", "[MAIN]\r\nDisplayName=Zune AVC\r\n");
    h.files.Write("Vardeno.ini", "[MAIN]\r\nLanguage=PL\r\nOutputFormat=5\r\n");
    const std::string clip = h.files.Write("in/one.mp4", "x");
    const std::string clip2 = h.files.Write("in/two.AVI", "y");
    const std::string list = h.files.Write("in/list.lst", clip + "\r\n");
    MainWindow* main = h.Start({QString::fromStdString(clip), QStringLiteral("--help"),
                               QString::fromStdString(h.files / "in"), QString::fromStdString(list),
                               QString::fromStdString(h.files / "missing.mp4"), QString::fromStdString(clip2)});

    // The settings file's output format wins over the last session's; the rest of the last
    // session stays.
    QCOMPARE(main->ReadEncoderSettings().OutputFormat, 5);
    QCOMPARE(main->ReadEncoderSettings().VideoBitrate, std::string("777"));
    QCOMPARE(h.state.CurrentLanguage, UiLanguage::Polish);
    QCOMPARE(h.Action("actConvert")->text(), QStringLiteral("Konwertuj zaznaczone pliki"));
    auto* profiles = h.Find<QComboBox>("cbProfile");
    QCOMPARE(profiles->count(), 4);
    QCOMPARE(profiles->currentIndex(), 0);
    QCOMPARE(profiles->itemText(0), QStringLiteral("Ustawienia z ostatniej sesji programu"));
    QCOMPARE(profiles->itemText(2), QStringLiteral("Zune AVC"));
    QCOMPARE(profiles->itemText(3), QStringLiteral("b"));
    QCOMPARE(h.Find<QComboBox>("cbAfterConversion")->count(), 3);
    QCOMPARE(h.Find<QComboBox>("cbAfterConversion")->itemText(2), QString::fromUtf8(kAfterConversionShutDown.pl));
    // Files only, in argument order; the list file, folder, option and missing file are skipped.
    QCOMPARE(h.state.Files.Count(), std::size_t(2));
    QCOMPARE(h.state.Files.Row(0).Name, std::string("one.mp4"));
    QCOMPARE(h.state.Files.Row(1).Status, std::string("Gotowy"));
    QVERIFY(Enabled(h, "actConvert"));  // the rules ran after the files came in
  }

  void firstStartIsEnglishWithDefaultsAndEntryOneRenamed() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    QCOMPARE(main->minimumSize(), QSize(600, 400));
    QCOMPARE(main->windowTitle(), QStringLiteral("Vardeno " VARDENO_VERSION));  // the project's version
    // The options window's creation runs the language routines once more, after the list is built.
    QCOMPARE(h.Find<QComboBox>("cbProfile")->itemText(1), QStringLiteral("Encoder default settings"));
    QCOMPARE(h.Find<QComboBox>("cbOutputExists")->currentIndex(), 0);
    QCOMPARE(h.Find<QComboBox>("cbAfterConversion")->currentText(), QStringLiteral("Do nothing"));
    QCOMPARE(h.Action("actSaveBAT")->text(), QString::fromUtf8(kSaveScriptCaption.en));
    QVERIFY(std::filesystem::is_directory(h.files / "profiles"));
  }

  void listAndOutputDirectoryRules() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    for (const char* name : kListActions) QVERIFY2(!Enabled(h, name), name);
    QVERIFY(!Enabled(h, "actBrowseOutDir") && !Enabled(h, "actExploreOutDir"));
    QVERIFY(!h.Find<QLineEdit>("edOutDir")->isEnabled());

    h.state.Files.AddToList(h.files.Write("a.mp4", "x"), UiLanguage::English);
    h.state.Files.SetChecked(0, false);
    h.Find<QAbstractItemView>("lv")->clearSelection();  // the first row added was selected
    main->InitControls();
    QVERIFY(Enabled(h, "actCheckAll") && Enabled(h, "actInvertSelection"));
    QVERIFY(!Enabled(h, "actConvert") && !Enabled(h, "actSaveBAT") && !Enabled(h, "actRemoveChecked"));
    QCOMPARE(h.Action("actExploreDirectory")->text(), QStringLiteral("Open directory \"\""));
    TRIGGER(h, "actInvertSelection");
    QVERIFY(Enabled(h, "actConvert") && Enabled(h, "actSaveBAT") && Enabled(h, "actRemoveChecked"));

    auto* lv = h.Find<QAbstractItemView>("lv");
    lv->selectionModel()->select(lv->model()->index(0, 0),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QVERIFY(Enabled(h, "actExploreDirectory") && Enabled(h, "actShowHideFileInfo"));
    QCOMPARE(h.Action("actExploreDirectory")->text(),
             QStringLiteral("Open directory \"%1\"").arg(QString::fromStdString(h.files.Path().string())));

    h.Find<QRadioButton>("rbOutDir")->click();
    QVERIFY(Enabled(h, "actBrowseOutDir") && Enabled(h, "actExploreOutDir"));
    QVERIFY(h.Find<QLineEdit>("edOutDir")->isEnabled());

    TRIGGER(h, "actRemoveChecked");
    QCOMPARE(h.state.Files.Count(), std::size_t(0));
    QVERIFY(!Enabled(h, "actCheckAll"));
  }

  void duringARunEverythingIsDisabledAndEscDoesNothing() {
    MainWindowHarness h;
    auto* encoder = new InlineEncoder;
    h.encoder.reset(encoder);
    MainWindow* main = h.Start();
    main->show();
    h.state.Files.AddToList(h.files.Write("a.mp4", "x"), UiLanguage::English);
    main->InitControls();
    bool ran = false;
    encoder->duringRun = [&] {
      ran = true;
      for (QAction* action : main->Actions().all) QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
      // Opening the tray menu applies the rules: they keep everything off during a run.
      main->InitControls();
      for (QAction* action : main->Actions().all) QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
      QVERIFY(!h.Find<QWidget>("pnMid")->isEnabled() && !h.Find<QWidget>("tbMain")->isEnabled());
      QVERIFY(!h.Find<QWidget>("lv")->isEnabled() && !h.Find<QWidget>("pnLeft")->isEnabled());
      SetNextMessageBoxAnswer(QMessageBox::Yes);
      QTest::keyClick(main, Qt::Key_Escape);
      QVERIFY(main->isVisible() && !main->IsClosed());
    };
    TRIGGER_RUN(h, "actConvert");
    QVERIFY(ran);
    SetNextMessageBoxAnswer(QMessageBox::NoButton);  // drop the unused answer
    LastMessageBoxText();
    QVERIFY(Enabled(h, "actConvert") && Enabled(h, "actEsc") && h.Find<QWidget>("pnMid")->isEnabled());
  }

  // The user closes the window mid-run: asked first; "No" keeps the run going, "Yes" aborts it,
  // waits for it to end, then closes and saves.
  void closingDuringARunAsksThenAbortsClosesAndSaves() {
    MainWindowHarness h;
    auto* encoder = new InlineEncoder;
    h.encoder.reset(encoder);
    MainWindow* main = h.Start();
    main->show();
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
      h.state.Files.AddToList(h.files.Write(name, "x"), UiLanguage::English);
    main->InitControls();
    int runs = 0;
    bool keptGoing = false, endedAfterYes = false;
    std::string asked;
    encoder->duringRun = [&] {
      if (++runs == 1) {
        SetNextMessageBoxAnswer(QMessageBox::No);
        main->close();
        asked = LastMessageBoxText();
        keptGoing = !main->IsClosed() && main->isVisible() && h.state.Run.Running && !h.state.Run.AbortRequested;
        return;
      }
      SetNextMessageBoxAnswer(QMessageBox::Yes);
      main->close();
      endedAfterYes = main->IsClosed() && !h.state.Run.Running && h.state.Run.AbortRequested;
    };
    QSignalSpy closed(main, &MainWindow::closed);
    TRIGGER_RUN(h, "actConvert");
    QCOMPARE(asked, std::string("A conversion is running. Abort it and close the application?"));
    QVERIFY(keptGoing);
    QVERIFY(endedAfterYes);
    QCOMPARE(runs, 2);  // the third row was not started
    QCOMPARE(h.state.Files.Row(0).Status, std::string("Done"));
    QCOMPARE(h.state.Files.Row(1).Status, std::string("Aborted"));
    QCOMPARE(h.state.Files.Row(2).Status, std::string("Ready"));
    QCOMPARE(closed.count(), 1);
    QVERIFY(main->IsClosed() && !main->isVisible());
    QVERIFY(std::filesystem::exists(h.files / "Vardeno.ini"));
    QVERIFY(std::filesystem::exists(h.files / "profiles/__Last.ini"));
  }

  // A session end or a termination signal closes mid-run without a question nobody would answer.
  void closingForTheSessionDuringARunDoesNotAsk() {
    MainWindowHarness h;
    auto* encoder = new InlineEncoder;
    h.encoder.reset(encoder);
    MainWindow* main = h.Start();
    main->show();
    h.state.Files.AddToList(h.files.Write("a.mp4", "x"), UiLanguage::English);
    main->InitControls();
    bool closedAtOnce = false;
    encoder->duringRun = [&] {
      // Were it asked, this "No" would keep the window open.
      SetNextMessageBoxAnswer(QMessageBox::No);
      main->CloseMainWindow();
      closedAtOnce = main->IsClosed();
      SetNextMessageBoxAnswer(QMessageBox::NoButton);  // drop the unused answer
    };
    QSignalSpy closed(main, &MainWindow::closed);
    TRIGGER_RUN(h, "actConvert");
    QVERIFY(closedAtOnce);
    QCOMPARE(closed.count(), 1);
    QCOMPARE(h.state.Files.Row(0).Status, std::string("Aborted"));
  }

  void closeApplicationAfterConversionClosesAsTheUserWould() {
    MainWindowHarness h;
    h.encoder = std::make_unique<InlineEncoder>();
    MainWindow* main = h.Start();
    main->show();
    h.state.Files.AddToList(h.files.Write("a.mp4", "x"), UiLanguage::English);
    main->InitControls();
    h.Find<QComboBox>("cbAfterConversion")->setCurrentIndex(1);
    QSignalSpy closed(main, &MainWindow::closed);
    TRIGGER_RUN(h, "actConvert");
    QCOMPARE(closed.count(), 1);
    QVERIFY(h.SettingsText().find("cbAfterConversion=1") != std::string::npos);
  }

  void escClosesProgressFirstThenAsks() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    main->show();
    h.windows.Progress()->show();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_Escape);
    QVERIFY(!h.windows.Progress()->isVisible());
    QVERIFY(main->isVisible());

    SetNextMessageBoxAnswer(QMessageBox::No);
    QTest::keyClick(main, Qt::Key_Escape);
    QCOMPARE(LastMessageBoxText(), std::string("Close application?"));
    QVERIFY(main->isVisible() && !main->IsClosed());

    SetNextMessageBoxAnswer(QMessageBox::Yes);
    QTest::keyClick(main, Qt::Key_Escape);
    QVERIFY(main->IsClosed());
  }

  void closeWritesTheWindowSettingsAndTheLastSession() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    main->show();
    h.Find<QComboBox>("cbOutputExists")->setCurrentIndex(2);
    h.Find<QComboBox>("cbAfterConversion")->setCurrentIndex(1);
    h.Find<QRadioButton>("rbOutDir")->click();
    h.Find<QLineEdit>("edOutDir")->setText(QStringLiteral("/srv/zune out"));
    TRIGGER(h, "actShowHideBottomPanel");
    TRIGGER(h, "actExit");
    QVERIFY(main->IsClosed());
    const std::string ini = h.SettingsText();
    for (const char* line : {"Language=EN", "cbOutputExists=2", "cbAfterConversion=1", "OutIn=0",
                             "OutDir=/srv/zune out", "BottomPanelVisible=0", "Width=", "GridLines=1"})
      QVERIFY2(ini.find(line) != std::string::npos, line);
    QVERIFY(ReadText(h.files / "profiles/__Last.ini").find("OutputFormat=3") != std::string::npos);
  }

  void hostileSettingsFileLeavesAUsableWindow() {
    MainWindowHarness h;
    h.files.Write("Vardeno.ini",
                  "[MAIN]\r\nLeft=-99999\r\nTop=-5\r\nWidth=100000\r\nHeight=-30\r\nOutputFormat=99\r\n"
                  "cbOutputExists=7\r\ncbAfterConversion=2\r\nlvColumn1=-50\r\nlvColumn2=99999999\r\n"
                  "BottomPanelVisible=banana\r\nLastDir=/no/such/dir\r\nLanguage=pl\r\n");
    MainWindow* main = h.Start();
    const QRect screen = main->screen()->availableGeometry();
    QVERIFY(main->width() >= 600 && main->width() <= std::max(600, screen.width()));
    QVERIFY(main->height() >= 400 && main->height() <= std::max(400, screen.height()));
    QVERIFY(QRect(main->pos(), main->size()).intersects(screen));
    QCOMPARE(main->ReadEncoderSettings().OutputFormat, 12);
    // An unknown output-exists policy renames rather than leaving the encoder to overwrite.
    QCOMPARE(h.Find<QComboBox>("cbOutputExists")->currentIndex(), 0);
    // "Shut down computer" is never carried over from an earlier session.
    QCOMPARE(h.Find<QComboBox>("cbAfterConversion")->currentIndex(), -1);
    QVERIFY(!h.Find<QWidget>("pnBottom")->isHidden());
    QCOMPARE(h.state.CurrentLanguage, UiLanguage::English);
  }

  void bottomPanelComesBackBelowTheMiddlePanel() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    main->show();
    auto* mid = h.Find<QWidget>("pnMid");
    auto* bottom = h.Find<QWidget>("pnBottom");
    TRIGGER(h, "actShowHideBottomPanel");
    QVERIFY(bottom->isHidden());
    TRIGGER(h, "actShowHideBottomPanel");
    QVERIFY(!bottom->isHidden());
    main->centralWidget()->layout()->activate();
    QVERIFY(mid->geometry().bottom() < bottom->geometry().top());
    QVERIFY(h.Find<QWidget>("lv")->geometry().bottom() < mid->geometry().top());
  }

  void minimizeToTrayWithoutATrayMinimizes() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    if (main->TrayAvailable()) QSKIP("this desktop has a tray");
    TRIGGER(h, "actMinimizeToTray");
    QVERIFY(main->isVisible());
    QVERIFY(main->windowState() & Qt::WindowMinimized);
  }

  void filesDroppedOutsideTheListAreAddedByTheDropRules() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    main->show();
    std::filesystem::create_directories(h.files / "drop/folder.avi");
    const std::string listed = h.files.Write("drop/listed.mkv", "x");
    const QList<QUrl> urls{QUrl::fromLocalFile(QString::fromStdString(h.files.Write("drop/b.avi", "x"))),
                           QUrl::fromLocalFile(QString::fromStdString(h.files.Write("drop/c.txt", "x"))),
                           QUrl::fromLocalFile(QString::fromStdString(h.files.Write("drop/K.lst", listed + "\n"))),
                           QUrl::fromLocalFile(QString::fromStdString(h.files / "drop/folder.avi")),
                           QUrl::fromLocalFile(QString::fromStdString(h.files.Write("drop/A.mp3", "x")))};
    QMimeData data;
    data.setUrls(urls);
    QWidget* target = h.Find<QWidget>("pnMid");
    const QPoint at = target->mapTo(main, target->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(main, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(main, &drop);
    QStringList names;
    for (const FileListRow& row : h.state.Files.Rows()) names << QString::fromStdString(row.Name + "#" + row.Number);
    QCOMPARE(names, QStringList({"A.mp3#1", "b.avi#2", "folder.avi#3", "listed.mkv#4"}));
    QVERIFY(Enabled(h, "actConvert"));
  }

  void trayMenuHidesTheWindowsAndBringsThemBack() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    h.windows.Options()->show();
    h.windows.About()->show();
    h.windows.Errors()->show();
    main->InitControls();
    QCOMPARE(h.Action("actShowHideMainWindow")->text(), QStringLiteral("Minimize to tray"));
    TRIGGER(h, "actShowHideMainWindow");
    QVERIFY(!h.windows.Options()->isVisible() && !h.windows.About()->isVisible());
    QVERIFY(h.windows.Errors()->isVisible());  // the error log stays as it is
    QCOMPARE(h.Action("actShowHideMainWindow")->text(), QStringLiteral("Show main window"));
    TRIGGER(h, "actShowHideMainWindow");
    QVERIFY(main->isVisible() && !main->isMinimized());
    QCOMPARE(h.Action("actShowHideMainWindow")->text(), QStringLiteral("Minimize to tray"));
  }

  void fileDialogsStartWhereTheyShouldAndTheirFilesComeAndGo() {
    MainWindowHarness h;
    std::filesystem::create_directories(h.files / "in");
    h.files.Write("Vardeno.ini", "[MAIN]\r\nLastDir=" + (h.files / "in") + "\r\n");
    MainWindow* main = h.Start();
    SetNextFileDialogAnswer({QString::fromStdString(h.files.Write("in/a.mp4", "x")),
                             QString::fromStdString(h.files.Write("in/notes.txt", "x"))});
    TRIGGER(h, "actAddFiles");
    QCOMPARE(LastFileDialogStartDir(), QString::fromStdString(h.files / "in"));
    QCOMPARE(h.state.Files.Count(), std::size_t(1));

    const std::string list = h.files / "saved.lst";
    SetNextFileDialogAnswer({QString::fromStdString(list)});
    TRIGGER(h, "actSaveFileList");
    QCOMPARE(ReadText(list), std::filesystem::path(h.files / "in/a.mp4").make_preferred().string() + "\r\n");
    TRIGGER(h, "actRemoveChecked");
    SetNextFileDialogAnswer({QString::fromStdString(list)});
    TRIGGER(h, "actLoadFileList");
    QCOMPARE(h.state.Files.Count(), std::size_t(1));
    QVERIFY(Enabled(h, "actConvert"));

    SetNextFileDialogAnswer({});  // cancelled: nothing changes
    TRIGGER(h, "actAddFiles");
    QCOMPARE(h.state.Files.Count(), std::size_t(1));
    main->close();
    QVERIFY(h.SettingsText().find("LastDir=" + (h.files / "in")) != std::string::npos);
  }

  void profilesSavedIntoTheFolderAreListedAndSelected() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    auto* profiles = h.Find<QComboBox>("cbProfile");
    h.Find<QComboBox>("cbOutFormat")->setCurrentIndex(8);
    SetNextFileDialogAnswer({QString::fromStdString(h.files / "profiles/mp3 small.ini")});
    TRIGGER(h, "actSaveProfile");
    QCOMPARE(LastFileDialogStartDir(), QString::fromStdString(h.files / "profiles"));
    QCOMPARE(profiles->count(), 3);
    QCOMPARE(profiles->currentText(), QStringLiteral("mp3 small"));

    TRIGGER(h, "actSetDefault");
    QCOMPARE(main->ReadEncoderSettings().OutputFormat, 3);
    QCOMPARE(profiles->currentIndex(), 1);
    profiles->setCurrentIndex(2);
    TRIGGER(h, "actLoadSelectedProfile");
    QCOMPARE(main->ReadEncoderSettings().OutputFormat, 8);
  }

  void pagesAndFoldersOpenWhereTheySay() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    h.Find<QRadioButton>("rbOutDir")->click();
    h.Find<QLineEdit>("edOutDir")->setText(QStringLiteral("/no/such/folder"));
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "recordUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordUrl");
    openedUrls.clear();
    TRIGGER(h, "actZune_Spec_4GB");
    TRIGGER(h, "actExploreOutDir");  // a folder that does not exist: the program's own instead
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(openedUrls,
             QList<QUrl>({QUrl("https://web.archive.org/web/2009/http://www.zune.net/en-us/mp3players/zune4/specs.htm"),
                          QUrl::fromLocalFile(QString::fromStdString(h.state.ProgramDir))}));
    // The two hidden entries cannot be chosen.
    QVERIFY(!h.Action("actZune_Spec_30GB")->isEnabled() && !h.Action("actZune_Compare")->isEnabled());
    main->close();
  }

  void keyboardStartsOnTheFirstRowAndComesBackToTheListAfterARun() {
    MainWindowHarness h;
    h.encoder = std::make_unique<InlineEncoder>();
    const std::string first = h.files.Write("first.mp4", "x");
    MainWindow* main = h.Start({QString::fromStdString(first), QString::fromStdString(h.files.Write("second.mp4", "y"))});
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main));
    auto* lv = h.Find<QAbstractItemView>("lv");
    QCOMPARE(QApplication::focusWidget(), lv);
    QCOMPARE(lv->currentIndex().row(), 0);
    QCOMPARE(main->SelectedRow(), std::optional<std::size_t>(0));
    QVERIFY(Enabled(h, "actShowHideFileInfo"));

    // Files added to a list emptied meanwhile: the first becomes current, and the list takes the
    // keyboard from wherever it was.
    TRIGGER(h, "actRemoveChecked");
    QCOMPARE(lv->currentIndex().row(), -1);
    h.Find<QWidget>("cbOutFormat")->setFocus();
    const QList<QUrl> drop{QUrl::fromLocalFile(QString::fromStdString(first))};
    h.Find<FileListView>("lv")->DropFiles(drop);
    QCOMPARE(lv->currentIndex().row(), 0);
    QCOMPARE(main->SelectedRow(), std::optional<std::size_t>(0));
    QCOMPARE(QApplication::focusWidget(), lv);
    // Rows added to a list that has some leave the current row and the focus alone.
    h.Find<FileListView>("lv")->DropFiles(drop);
    QTest::keyClick(lv, Qt::Key_Down);
    QCOMPARE(lv->currentIndex().row(), 1);
    h.Find<QWidget>("cbOutFormat")->setFocus();
    h.Find<FileListView>("lv")->DropFiles(drop);
    QCOMPARE(lv->currentIndex().row(), 1);
    QCOMPARE(QApplication::focusWidget(), h.Find<QWidget>("cbOutFormat"));

    // A run disables the list, which loses the keyboard; the run gives it back, so Esc closes the
    // progress window and then asks.
    TRIGGER_RUN(h, "actConvert");
    QVERIFY(h.windows.Progress()->isVisible());
    QCOMPARE(main->focusWidget(), lv);
    QApplication::setActiveWindow(main);  // the user back in the main window
    QCOMPARE(QApplication::focusWidget(), lv);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!h.windows.Progress()->isVisible());
    SetNextMessageBoxAnswer(QMessageBox::No);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(LastMessageBoxText(), std::string("Close application?"));
  }

  // What a screen reader does over the accessibility bus: the press returns at once, and the
  // progress window's Abort can be pressed the same way during the run.
  void convertPressedThroughAccessibilityReturnsAtOnceAndAbortIsReachable() {
    MainWindowHarness h;
    auto* encoder = new InlineEncoder;
    h.encoder.reset(encoder);
    MainWindow* main = h.Start({QString::fromStdString(h.files.Write("a.mp4", "x")),
                               QString::fromStdString(h.files.Write("b.mp4", "y"))});
    main->show();
    bool pressReturned = false;
    int runs = 0;
    encoder->duringRun = [&] {
      ++runs;
      QVERIFY(pressReturned);
      QAccessibleInterface* abort = QAccessible::queryAccessibleInterface(h.windows.Progress()->findChild<QWidget*>("btnAbort"));
      QVERIFY(abort && abort->actionInterface());
      abort->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
      QTRY_VERIFY(h.state.Run.AbortRequested);  // the button's click comes from its own timer
    };
    QAccessibleInterface* convert = QAccessible::queryAccessibleInterface(h.Find<QWidget>("btnConvert"));
    QVERIFY(convert && convert->actionInterface());
    QVERIFY(convert->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QSignalSpy ended(main, &MainWindow::runEnded);
    convert->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    pressReturned = true;
    QCOMPARE(runs, 0);
    // A second press while the run goes on asks for nothing more.
    convert->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(ended.wait(20000));
    QCOMPARE(runs, 1);
    QCOMPARE(h.state.Files.Row(1).Status, std::string("Ready"));  // aborted before the second file
    QCoreApplication::processEvents();
    QCOMPARE(ended.count(), 1);
  }


};

}  // namespace vardeno

QTEST_MAIN(vardeno::MainWindowTest)
#include "MainWindow_test.moc"
