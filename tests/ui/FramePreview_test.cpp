// The frame preview window with a real ffmpeg (the system's; on Windows the one VARDENO_WIN_FFMPEG
// names): the output picture has the output's size and the crop's effect, changes made while a
// frame is being made give one more run (not a queue), and a file that cannot be read or has no
// picture is explained; the player's screen follows the player.
#include <QtTest>

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include "encoder/ResolutionList.h"
#include "platform/ArgumentText.h"
#include "platform/FileSystem.h"
#include "platform/ProcessRunner.h"
#include "support/TempDir.h"
#include "ui/windows/FramePreviewWindow.h"

namespace vardeno {

namespace {
#ifdef _WIN32
const std::string kFfmpeg = EnvironmentValue("VARDENO_WIN_FFMPEG").value_or("");
#else
const std::string kFfmpeg = "/usr/bin/ffmpeg";
#endif
bool HaveFfmpeg() { return !kFfmpeg.empty() && IsRegularFile(kFfmpeg); }

// Runs the encoder with arguments; its exit code.
std::uint32_t RunFfmpeg(const std::vector<std::string>& arguments) {
  std::string argText;
  for (const std::string& argument : arguments) argText += QuoteArgument(argument) + " ";
  std::vector<std::string> lines;
  return RunConsoleProcess(kFfmpeg, argText, &lines, {});
}

QImage Picture(FramePreviewWindow& window, const char* name) {
  auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
  return label ? label->pixmap().toImage() : QImage();
}

QString Status(FramePreviewWindow& window) {
  return window.findChild<QLabel*>(QStringLiteral("lblPreviewStatus"))->text();
}

bool IsBlack(QRgb pixel) { return qRed(pixel) < 30 && qGreen(pixel) < 30 && qBlue(pixel) < 30; }
}  // namespace

class FramePreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void OutputHasTheOutputSizeAndTheCropsEffect() {
    if (!HaveFfmpeg()) QSKIP("no ffmpeg");
    TempDir dir;
    // A white picture inside a black border of 20 pixels, 2 s long.
    const std::string input = dir / "framed.avi";
    QCOMPARE(RunFfmpeg({"-v", "error", "-f", "lavfi", "-i", "color=c=white:size=280x200:rate=10:duration=2,pad=320:240:20:20:black",
                        "-c:v", "mpeg4", "-q:v", "2", input}),
             0u);
    FramePreviewRequest request;
    request.input = input;
    request.encoderPath = kFfmpeg;
    request.resolutions = MakeResolutionList(BuiltInResolutions());
    request.settings.CropTop = request.settings.CropBottom = request.settings.CropLeft =
        request.settings.CropRight = 20;
    request.settings.Resolution = kResolutionCustom;
    request.settings.ResWidth = 160;
    request.settings.ResHeight = 100;
    int asked = 0;
    PlayerId chosen = PlayerId::Zune;
    FramePreviewWindow window(
        [&]() -> std::optional<FramePreviewRequest> {
          ++asked;
          return request;
        },
        nullptr, [&] { return chosen; });
    QSignalSpy shown(&window, &FramePreviewWindow::previewShown);
    window.ShowPreview();
    // Changes while the first frame is made: one more run, with the last of them.
    window.Refresh();
    window.Refresh();
    window.Refresh();
    QVERIFY(shown.wait(60000));
    if (shown.count() < 2) QVERIFY(shown.wait(60000));
    QVERIFY(!window.Busy());
    QCOMPARE(shown.count(), 2);
    QCOMPARE(asked, 2);

    const QImage output = Picture(window, "imgPreviewOutput");
    QCOMPARE(output.size(), QSize(160, 100));
    // The border is cropped away: the output's corners are picture, the source's are black.
    for (const QPoint corner : {QPoint(1, 1), QPoint(158, 1), QPoint(1, 98), QPoint(158, 98)})
      QVERIFY2(!IsBlack(output.pixel(corner)), qPrintable(QString::number(output.pixel(corner), 16)));
    const QImage source = Picture(window, "imgPreviewSource");
    QVERIFY(IsBlack(source.pixel(2, 2)));
    // On the player's 320x240 screen the 160x100 picture (8:5) leaves black bars above and below.
    const QImage player = Picture(window, "imgPreviewPlayer");
    QCOMPARE(player.size(), QSize(320, 240));
    QVERIFY(IsBlack(player.pixel(160, 5)));
    QVERIFY(!IsBlack(player.pixel(5, 120)));
    QVERIFY(Status(window).isEmpty());

    // The Zune HD's 480x272 screen (16:9) is wider than the 8:5 picture: bars left and right.
    chosen = PlayerId::ZuneHD;
    window.Refresh();
    QVERIFY(shown.wait(60000));
    const QImage wide = Picture(window, "imgPreviewPlayer");
    QCOMPARE(wide.size(), QSize(480, 272));
    QVERIFY(IsBlack(wide.pixel(5, 136)));
    QVERIFY(!IsBlack(wide.pixel(240, 5)));
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("lblPreviewPlayer"))->text().contains(QStringLiteral("480 x 272")));
    // Another player: no screen is known, so none is drawn.
    chosen = PlayerId::None;
    window.Refresh();
    QVERIFY(shown.wait(60000));
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("imgPreviewPlayer"))->isHidden());
    QCOMPARE(Picture(window, "imgPreviewOutput").size(), QSize(160, 100));

    // An output larger than its pane at the window's smallest size: scroll bars reach all of it.
    request.settings.ResWidth = 800;
    request.settings.ResHeight = 600;
    window.Refresh();
    QVERIFY(shown.wait(60000));
    window.resize(window.minimumSizeHint());
    auto* pane = window.findChild<QScrollArea*>(QStringLiteral("sboxPreviewOutput"));
    QTRY_VERIFY(pane->horizontalScrollBar()->maximum() > 0 && pane->verticalScrollBar()->maximum() > 0);
    QCOMPARE(pane->widget()->size().expandedTo(QSize(800, 600)), pane->widget()->size());

    // An audio-only output format: the source frame, and the reason there is no output picture.
    request.settings.OutputFormat = 8;
    window.Refresh();
    QVERIFY(shown.wait(60000));
    QVERIFY(Status(window).contains(QStringLiteral("sound only")));
    QVERIFY(Picture(window, "imgPreviewOutput").isNull());
  }

  void AFileThatCannotBeReadIsExplained() {
    if (!HaveFfmpeg()) QSKIP("no ffmpeg");
    TempDir dir;
    FramePreviewRequest request;
    request.input = dir.Write("notes.avi", "these are no pictures");
    request.encoderPath = kFfmpeg;
    FramePreviewWindow window([&]() -> std::optional<FramePreviewRequest> { return request; }, nullptr);
    QSignalSpy shown(&window, &FramePreviewWindow::previewShown);
    window.ShowPreview();
    QVERIFY(shown.wait(60000));
    QVERIFY2(Status(window).startsWith(QStringLiteral("The encoder cannot read this file: ")),
             qPrintable(Status(window)));
    QVERIFY(Picture(window, "imgPreviewSource").isNull());

    // A song: no picture at all.
    request.input = dir / "song.mp3";
    QCOMPARE(RunFfmpeg({"-v", "error", "-f", "lavfi", "-i", "sine=duration=1", request.input}), 0u);
    window.Refresh();
    QVERIFY(shown.wait(60000));
    QCOMPARE(Status(window), QStringLiteral("This file has no picture (sound only)."));
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::FramePreviewTest)
#include "FramePreview_test.moc"
