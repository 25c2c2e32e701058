// The start language on a Polish system (this test runs with a Polish locale in its environment):
// Polish without a settings file; once a settings file exists, its "Language" key alone decides.
#include <QtTest>

#include "MainWindowHarness.h"

namespace vardeno {

class MainWindowLocaleTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    if (QLocale::system().language() != QLocale::Polish) QSKIP("the environment gives no Polish locale");
  }

  void firstStartIsPolishAndCloseStoresIt() {
    MainWindowHarness h;
    MainWindow* main = h.Start();
    QCOMPARE(h.state.CurrentLanguage, UiLanguage::Polish);
    QCOMPARE(h.Action("actExit")->text(), QStringLiteral("Zamknij"));
    main->close();
    QVERIFY(h.SettingsText().find("Language=PL") != std::string::npos);
  }

  void settingsFileWithoutLanguageMeansEnglish() {
    MainWindowHarness h;
    h.files.Write("Vardeno.ini", "[MAIN]\r\nGridLines=1\r\n");
    h.Start();
    QCOMPARE(h.state.CurrentLanguage, UiLanguage::English);
    QCOMPARE(h.Action("actExit")->text(), QStringLiteral("Exit"));
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::MainWindowLocaleTest)
#include "MainWindowLocale_test.moc"
