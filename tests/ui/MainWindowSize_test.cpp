// The main window's size on a 1366 x 768 screen (see the test's environment in CMakeLists.txt): at
// the first start, in either language, every control of the three settings panels shows whole and
// without a scroll bar, the window leaves room for a task bar and its title, and the file list's
// directory column takes the width beyond the designed one. A size stored in the settings file
// wins, and a window made small scrolls the advanced column instead of overlapping controls.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeView>
#include <QtTest>

#include "MainWindowHarness.h"
#include "app/MainWindowSettings.h"

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
    TFormMain* main = h.Start();
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

  void storedSizeWinsAndASmallWindowScrolls() {
    MainWindowHarness h;
    h.files.Write("Vardeno.ini", "[MAIN]\r\nLanguage=PL\r\nWidth=640\r\nHeight=420\r\n");
    TFormMain* main = h.Start();
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

QTEST_MAIN(MainWindowSizeTest)
#include "MainWindowSize_test.moc"
