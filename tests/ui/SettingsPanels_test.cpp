// The settings columns of the main window: settings in and out of the controls, the enable rules
// through the controls, the change signal, the language switch and the encoder help file.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/ProgramState.h"
#include "encoder/EnableRules.h"
#include "ui/main/SettingsPanels.h"
#include "ui/main/SettingsPanelsHelp.h"

namespace {

EncoderSettings NonDefaultSettings() {
  EncoderSettings s;
  s.OutputFormat = 6;
  s.VideoBitrate = "777";  // not a preset: typed text
  s.VideoFPS = "29,97";
  s.AudioBitrate = 13;
  s.AudioSampling = 5;
  s.DoNotCopyAudio = true;
  s.Volume = 250;
  s.Resolution = 1;
  s.ResWidth = 1918;
  s.ResHeight = 1078;
  s.CropTop = 1;
  s.CropBottom = 2;
  s.CropLeft = 3;
  s.CropRight = 5000;
  s.SizeLimit = true;
  s.SizeLimitValue = "1 234,5";
  s.SizeLimitUnit = SizeUnit::KB;
  s.TimeLimitDuration = true;
  s.TimeLimitDH = 100;
  s.TimeLimitDM = 60;
  s.TimeLimitDS = 59;
  s.TimeLimitStart = true;
  s.TimeLimitSH = 1;
  s.TimeLimitSM = 2;
  s.TimeLimitSS = 60;
  s.AdditionalParams = {"-threads 2", "", "-map_metadata -1 \"a b\""};
  return s;
}

}  // namespace

class SettingsPanelsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramState> owned;
  ProgramState* statePtr = nullptr;
  SettingsPanels* panels = nullptr;

  template <class W>
  W* Child(const char* name) {
    W* widget = panels->findChild<W*>(name);
    if (!widget) qFatal("no control %s", name);
    return widget;
  }

 private slots:
  void init() {
    owned = std::make_unique<ProgramState>();
    statePtr = owned.get();
    panels = new SettingsPanels(*owned, nullptr);
    panels->PrepareControls();
    panels->SetDefaultParams();
    panels->SetLang();
  }
  void cleanup() { delete panels; }

  void defaultsAreTheCoreDefaultsWithPresetsSelected() {
    panels->WriteSettings(NonDefaultSettings());
    panels->SetDefaultParams();
    QCOMPARE(panels->ReadSettings(), DefaultEncoderSettings());
    QCOMPARE(Child<QComboBox>("cbAviVideoBitrate")->currentIndex(), 9);
    QCOMPARE(Child<QComboBox>("cbAviVideoFPS")->currentIndex(), 4);
    QCOMPARE(Child<QComboBox>("cbResolution")->count(), 19);
    QCOMPARE(Child<QLabel>("lblAudioVolume")->text(), QString("100 %"));
    QVERIFY(!statePtr->ControlsUpdating);
  }

  void everyFieldRoundTrips() {
    const EncoderSettings written = NonDefaultSettings();
    panels->WriteSettings(written);
    QCOMPARE(panels->ReadSettings(), written);
    QCOMPARE(Child<QLabel>("lblAudioVolume")->text(), QString("250 %"));
    QCOMPARE(Child<QComboBox>("cbAviVideoBitrate")->currentText(), QString("777"));
  }

  void outOfRangeValuesReadBackAsTheControlsHoldThem() {
    EncoderSettings s = NonDefaultSettings();
    s.OutputFormat = 99;
    s.AudioBitrate = 17;  // one past the end
    s.AudioSampling = -3;
    s.Resolution = 1000;
    s.Volume = 500;
    s.ResWidth = 0;
    s.CropTop = -7;
    s.TimeLimitDM = 32767;
    panels->WriteSettings(s);
    const EncoderSettings read = panels->ReadSettings();
    QCOMPARE(read.OutputFormat, -1);
    QCOMPARE(read.AudioBitrate, -1);
    QCOMPARE(read.AudioSampling, -1);
    QCOMPARE(read.Resolution, -1);
    QCOMPARE(read.Volume, 300);
    QCOMPARE(read.ResWidth, 2);
    QCOMPARE(read.CropTop, 0);
    QCOMPARE(read.TimeLimitDM, 60);
    QCOMPARE(Child<QLabel>("lblAudioVolume")->text(), QString("300 %"));
    panels->ApplyEnableRules();  // no format selected counts as no picture
    QVERIFY(!Child<QComboBox>("cbResolution")->isEnabled());
  }

  void enableRulesForAnAudioOnlyFormatAndTheSizeLimit() {
    EncoderSettings s = DefaultEncoderSettings();
    s.OutputFormat = 8;  // MP3
    s.DoNotCopyAudio = true;
    s.Resolution = 1;
    panels->WriteSettings(s);
    panels->ApplyEnableRules();
    for (const char* off : {"cbAviVideoBitrate", "cbAviVideoFPS", "lblAviVideoKbps", "chAudioDontCopy",
                            "cbResolution", "edResWidth", "edResHeight", "edCropTop", "edCropRight", "tbAudioVolume",
                            "lblAudioVolume", "edSizeLimit", "cbSizeLimitUnit", "edTimeLimitDH", "edTimeLimitSS"})
      QVERIFY2(!Child<QWidget>(off)->isEnabled(), off);
    for (const char* on : {"cbOutFormat", "cbAudioBitrate", "cbAudioSampling", "lblAudioHz", "chSizeLimit",
                           "meParams", "btnInfo_ffmpeg"})
      QVERIFY2(Child<QWidget>(on)->isEnabled(), on);

    Child<QCheckBox>("chSizeLimit")->click();
    panels->ApplyEnableRules();
    QVERIFY(Child<QWidget>("edSizeLimit")->isEnabled());
    QVERIFY(Child<QWidget>("cbSizeLimitUnit")->isEnabled());

    // Turning the panels off and on again keeps each control's own state.
    panels->SetPanelsEnabled(false);
    QVERIFY(!Child<QWidget>("cbOutFormat")->isEnabled());
    panels->SetPanelsEnabled(true);
    QVERIFY(Child<QWidget>("edSizeLimit")->isEnabled());
    QVERIFY(!Child<QWidget>("cbResolution")->isEnabled());
  }

  void userChangesSignalButProgramChangesDoNot() {
    QSignalSpy spy(panels, &SettingsPanels::settingChanged);
    panels->WriteSettings(NonDefaultSettings());
    panels->SetDefaultParams();
    panels->SetLang();
    QCOMPARE(spy.count(), 0);

    QComboBox* format = Child<QComboBox>("cbOutFormat");
    format->setFocus();
    QTest::keyClick(format, Qt::Key_Down);
    QCOMPARE(format->currentIndex(), 4);
    QCOMPARE(spy.count(), 1);
    Child<QCheckBox>("chTimeLimitStart")->click();
    QCOMPARE(spy.count(), 2);
    Child<QSlider>("tbAudioVolume")->setValue(120);  // not a rule input
    QCOMPARE(spy.count(), 2);
    QCOMPARE(Child<QLabel>("lblAudioVolume")->text(), QString("120 %"));
  }

  void languageSwitchKeepsSelections() {
    EncoderSettings s = NonDefaultSettings();  // "Custom" resolution selected
    panels->WriteSettings(s);
    statePtr->Params.Language = statePtr->CurrentLanguage = UiLanguage::Polish;
    panels->SetLang();
    QCOMPARE(Child<QComboBox>("cbResolution")->currentText(), QString("Własne"));
    QCOMPARE(Child<QLabel>("lblTimeLimitDS")->text(), QString("Sek. :"));
    QCOMPARE(Child<QCheckBox>("chAudioDontCopy")->text(), QString("Nie kopiuj strumienia audio"));
    QCOMPARE(panels->ReadSettings(), s);
    statePtr->Params.Language = statePtr->CurrentLanguage = UiLanguage::English;
    panels->SetLang();
    QCOMPARE(Child<QComboBox>("cbResolution")->currentText(), QString("Custom"));
    QCOMPARE(panels->ReadSettings(), s);
  }

  void labelsNameTheirControls() {
    for (QLabel* label : panels->findChildren<QLabel*>()) {
      if (label->property("statusLine").toBool()) continue;  // a message line names no control
      QVERIFY2(label->buddy(), qPrintable(label->objectName()));
    }
  }

  // The encoder's generation is asked off the window's thread: until its answer is in, the
  // subtitle choice (which the 2009 encoder cannot do) is off and gives no reason; then it
  // follows the encoder that answered.
  void subtitlesWaitForTheEncodersGenerationWithoutHoldingTheWindow() {
    QTemporaryDir dir;
    auto encoder = [&](const char* name, const char* libavcodec) {
      const QString path = dir.filePath(name);
      QFile script(path);
      script.open(QIODevice::WriteOnly);
      // Slow to answer, as a cold disk makes it: the window must not wait for it.
      script.write(QByteArray("#!/bin/sh\nsleep 0.5\necho 'libavcodec     ") + libavcodec + "'\n");
      script.close();
      script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
      return path.toStdString();
    };
    QWidget* box = Child<QWidget>("cbSubtitles");
    const QString hint = box->toolTip();

    statePtr->Params.EncoderExe = encoder("classic", "52.10. 0 / 52.10. 0");
    panels->ApplyEnableRules();
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->toolTip(), hint);
    QTRY_COMPARE(box->toolTip(), QString::fromStdString(SubtitlesUnavailableReason(EncoderGeneration::Classic,
                                                                                    statePtr->CurrentLanguage)));
    QVERIFY(!box->isEnabled());
    QVERIFY(Child<QWidget>("cbOutFormat")->isEnabled());

    statePtr->Params.EncoderExe = encoder("modern", "59. 37.100 / 59. 37.100");
    panels->ApplyEnableRules();
    QVERIFY(!box->isEnabled());
    QTRY_VERIFY(box->isEnabled());
    QCOMPARE(box->toolTip(), hint);
  }

  void helpFileIsWrittenOnceFromTheEncoder() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    QCOMPARE(EnsureEncoderHelpFile(folder, folder + "/no-such-encoder"), std::string());
    QCOMPARE(EnsureEncoderHelpFile(folder, ""), std::string());
    QVERIFY(!QFile::exists(dir.filePath("ffmpeg_help.txt")));

    const QString encoder = dir.filePath("encoder.sh");
    QFile script(encoder);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"usage: $1 $2\"\necho second\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const std::string help = EnsureEncoderHelpFile(folder, encoder.toStdString());
    QCOMPARE(QString::fromStdString(help), dir.filePath("ffmpeg_help.txt"));
    QFile written(dir.filePath("ffmpeg_help.txt"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("usage: -h full\nsecond\n"));
    written.close();

    // An existing file is opened as it is, even when the encoder is gone.
    QVERIFY(QFile::remove(encoder));
    QCOMPARE(EnsureEncoderHelpFile(folder, encoder.toStdString()), help);
  }

  // The player beside the format, and the line under it that names the first thing in the
  // settings the player does not take (all of them in its tool tip), as the settings change.
  void playerWarningFollowsTheSettingsAndThePlayer() {
    auto* player = Child<QComboBox>("cbPlayer");
    auto* warning = Child<QLabel>("lblPlayerWarning");
    QCOMPARE(player->count(), 4);
    QCOMPARE(player->currentIndex(), static_cast<int>(kDefaultPlayer));
    QVERIFY(warning->isHidden());  // the defaults pass

    EncoderSettings vga = DefaultEncoderSettings();
    vga.Resolution = kResolutionCustom;
    vga.ResWidth = 640;
    vga.ResHeight = 480;
    panels->WriteSettings(vga);
    QVERIFY(!warning->isHidden());
    QCOMPARE(warning->text(), QStringLiteral("Not for Zune 4, 8, 16, 80, 120: frame size 640x480 is above 320x240: "
                                             "the Zune software converts it at sync, slowly"));

    player->setCurrentIndex(static_cast<int>(PlayerId::Zune30));
    QCOMPARE(statePtr->Params.Player, PlayerId::Zune30);
    QVERIFY(warning->text().startsWith(QStringLiteral("Not for Zune 30: video codec H.264")));
    QCOMPARE(warning->toolTip().count(QLatin1Char('\n')), 2);  // codec, size, sound
    QVERIFY(warning->toolTip().contains(QStringLiteral("frame size 640x480")));

    player->setCurrentIndex(static_cast<int>(PlayerId::ZuneHD));
    QVERIFY(warning->isHidden());
    Child<QComboBox>("cbAviVideoFPS")->setEditText(QStringLiteral("50"));  // typed by the user
    QCOMPARE(warning->text(), QStringLiteral("Not for Zune HD: frame rate 50 fps is above 30 fps"));
    Child<QComboBox>("cbOutFormat")->setCurrentIndex(1);  // WMV 8
    QVERIFY(warning->text().startsWith(QStringLiteral("Not for Zune HD: video codec WMV 8")));
    QVERIFY(warning->text().endsWith(QStringLiteral("the Zune software converts it at sync, slowly")));

    statePtr->CurrentLanguage = UiLanguage::Polish;
    panels->SetLang();
    QCOMPARE(player->currentIndex(), static_cast<int>(PlayerId::ZuneHD));
    QCOMPARE(player->itemText(3), QStringLiteral("Inny odtwarzacz (bez sprawdzania)"));
    QVERIFY(warning->text().startsWith(QStringLiteral("Nie dla Zune HD: kodek obrazu WMV 8")));

    player->setCurrentIndex(static_cast<int>(PlayerId::None));
    QCOMPARE(statePtr->Params.Player, PlayerId::None);
    QVERIFY(warning->isHidden());
  }
};

QTEST_MAIN(SettingsPanelsTest)
#include "SettingsPanels_test.moc"
