// The main window's size on a 1366 x 768 screen (see the test's environment in CMakeLists.txt): at
// the first start, in either language, every control of the three settings panels shows whole and
// without a scroll bar, the window leaves room for a task bar and its title, and the file list's
// directory column takes the width beyond the designed one. A size stored in the settings file
// wins, and a window made small scrolls the advanced column instead of overlapping controls.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include "MainWindowHarness.h"
#include "app/MainWindowSettings.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
constexpr int kTaskBar = 48;
constexpr int kTitleBar = 30;

QString Describe(const QWidget* widget) {
  QString text;
  QDebug(&text) << widget->objectName() << widget->geometry() << "hint" << widget->sizeHint();
  return text;
}

// Controls of a panel the user sees: named, shown, not a scroll bar or a pop-up of their own.
QList<QWidget*> Controls(QWidget* panel, QWidget* window) {
  QList<QWidget*> controls;
  for (QWidget* widget : panel->findChildren<QWidget*>()) {
    if (widget->objectName().isEmpty() || widget->isWindow() || !widget->isVisibleTo(window)) continue;
    if (qobject_cast<QScrollBar*>(widget) || widget->objectName().startsWith(QLatin1String("qt_"))) continue;
    controls << widget;
  }
  return controls;
}

QRect RectIn(const QWidget* widget, const QWidget* ancestor) {
  return QRect(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
}

// Texts are not cut: a list, label, check box or radio button is as wide as its text asks.
bool ShowsWholeText(const QWidget* widget) {
  const auto* label = qobject_cast<const QLabel*>(widget);
  if (label && label->wordWrap()) return true;
  if (!label && !qobject_cast<const QComboBox*>(widget) && !qobject_cast<const QCheckBox*>(widget) &&
      !qobject_cast<const QRadioButton*>(widget))
    return true;
  return widget->width() >= widget->sizeHint().width();
}

// A caption of a window is cut when its control is narrower than the text asks or reaches past
// the window's edge. Captions are the texts of buttons, check boxes, radio buttons, tool buttons,
// single-line labels and group boxes; empty ones (filled during a run) are skipped.
QStringList CutCaptions(QWidget* window) {
  QStringList cut;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window) || widget->window() != window) continue;
    int needed = 0;
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      text = button->text();
      needed = button->sizeHint().width();
    } else if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
      text = label->text();
      needed = label->sizeHint().width();
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
      text = box->title();
      needed = box->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&')));
    }
    if (text.isEmpty()) continue;
    const QRect shown(widget->mapTo(window, QPoint(0, 0)), widget->size());
    if (widget->width() < needed || !window->rect().contains(shown))
      cut << QStringLiteral("%1 \"%2\" %3 wide, needs %4").arg(widget->objectName(), text).arg(widget->width()).arg(needed);
  }
  return cut;
}
}  // namespace

class MainWindowSizeTest : public QObject {
  Q_OBJECT
 private slots:
  void firstStartShowsEverySettingWhole_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QStringLiteral("EN");
    QTest::newRow("Polish") << QStringLiteral("PL");
  }

  void firstStartShowsEverySettingWhole() {
    QFETCH(QString, language);
    MainWindowHarness h;
    // Only the language is stored: the size is the first start's.
    h.files.Write("Vardeno.ini", "[MAIN]\r\nLanguage=" + language.toStdString() + "\r\n");
    MainWindow* main = h.Start();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QVERIFY2(main->width() <= 1366 && main->height() + kTitleBar + kTaskBar <= 768,
             qPrintable(QStringLiteral("%1 x %2").arg(main->width()).arg(main->height())));

    auto* advanced = h.Find<QScrollArea>("sboxAdvanced");
    // Once the layouts have settled (they run from posted events after the first show).
    QTRY_VERIFY(!advanced->verticalScrollBar()->isVisible());
    QVERIFY(!advanced->horizontalScrollBar()->isVisible());
    for (const char* name : {"pnLeft", "pnAudio", "pnRight"}) {
      QWidget* panel = h.Find<QWidget>(name);
      const QList<QWidget*> controls = Controls(panel, main);
      QVERIFY(controls.size() > 3);
      for (QWidget* control : controls) {
        QVERIFY2(main->rect().contains(RectIn(control, main)), qPrintable(Describe(control)));
        if (advanced->widget()->isAncestorOf(control))
          QVERIFY2(advanced->viewport()->rect().contains(RectIn(control, advanced->viewport())),
                   qPrintable(Describe(control)));
        QVERIFY2(ShowsWholeText(control), qPrintable(Describe(control)));
      }
    }

    // The list's columns fill its width; the directory column took what the designed widths left.
    auto* lv = h.Find<QTreeView>("lv");
    const MainWindowSettings designed;
    const QHeaderView* header = lv->header();
    int columns = 0;
    for (int i = 0; i < 5; ++i) {
      columns += header->sectionSize(i);
      if (i != 2) QCOMPARE(header->sectionSize(i), designed.ColumnWidths[static_cast<std::size_t>(i)]);
    }
    QVERIFY(header->sectionSize(2) > designed.ColumnWidths[2]);
    QCOMPARE(columns, lv->viewport()->width());
    // A window made narrower gives up directory width only.
    const int directory = header->sectionSize(2);
    main->resize(main->width() - 100, main->height());
    QTRY_COMPARE(header->sectionSize(2), directory - 100);
    QCOMPARE(header->sectionSize(1), designed.ColumnWidths[1]);
  }

  void everyCaptionShowsWholeAtTheDefaultSize_data() { firstStartShowsEverySettingWhole_data(); }

  // Every window at its first size, in either language: the tool bar keeps all its buttons in
  // the bar (none in its overflow menu), and no caption is cut.
  void everyCaptionShowsWholeAtTheDefaultSize() {
    QFETCH(QString, language);
    MainWindowHarness h;
    h.files.Write("Vardeno.ini", "[MAIN]\r\nLanguage=" + language.toStdString() + "\r\n");
    MainWindow* main = h.Start();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    auto* bar = h.Find<QToolBar>("tbMain");
    QTRY_VERIFY(bar->width() > 0);
    int buttons = 0;
    for (QToolButton* button : bar->findChildren<QToolButton*>()) {
      if (button->objectName() == QLatin1String("qt_toolbar_ext_button")) {
        QVERIFY2(!button->isVisible(), "the tool bar put buttons in its overflow menu");
        continue;
      }
      ++buttons;
      QVERIFY2(button->isVisible(), qPrintable(Describe(button)));
      // A caption that ends in dots reads as one cut short.
      QVERIFY2(!button->text().endsWith(QLatin1String("...")), qPrintable(button->text()));
    }
    QCOMPARE(buttons, 7);  // add, remove, convert, preview, options, home page, about
    const QList<QWidget*> windows{main, h.windows.About(), h.windows.Progress(), h.windows.Options(),
                                  h.windows.FileInfo(), h.windows.Errors(), h.windows.CmdLine()};
    for (QWidget* window : windows) {
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
      QCoreApplication::processEvents();  // the layouts settle from posted events
      const QStringList cut = CutCaptions(window);
      QVERIFY2(cut.isEmpty(), qPrintable(window->objectName() + QStringLiteral(": ") + cut.join(QStringLiteral("; "))));
      if (window != main) window->hide();
    }
  }

  void storedSizeWinsAndASmallWindowScrolls() {
    MainWindowHarness h;
    h.files.Write("Vardeno.ini", "[MAIN]\r\nLanguage=PL\r\nWidth=640\r\nHeight=420\r\n");
    MainWindow* main = h.Start();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QCOMPARE(main->size(), QSize(640, 420));
    auto* advanced = h.Find<QScrollArea>("sboxAdvanced");
    QVERIFY(advanced->verticalScrollBar()->isVisible());
    // The format/video and audio columns keep the height they need, so nothing overlaps.
    for (const char* name : {"pnLeft", "pnAudio"}) {
      QWidget* panel = h.Find<QWidget>(name);
      QVERIFY2(panel->height() >= panel->minimumSizeHint().height(), qPrintable(Describe(panel)));
    }
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::MainWindowSizeTest)
#include "MainWindowSize_test.moc"
