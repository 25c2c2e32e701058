#include "ui/windows/FramePreviewWindow.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QThread>
#include <QVBoxLayout>
#include <cmath>

#include "player/PlayerLimits.h"
#include "ui/QtText.h"

namespace vardeno {

namespace {
inline constexpr LangText kPreviewCaption{"Frame preview", "Podgląd klatki"};
inline constexpr LangText kPositionLabel{"Position (seconds) :", "Pozycja (sekundy) :"};
inline constexpr LangText kSourceLabel{"Source", "Źródło"};
inline constexpr LangText kOutputLabel{"Output", "Wynik"};
inline constexpr LangText kPlayerLabel{"On the player's screen (%1 x %2)", "Na ekranie odtwarzacza (%1 x %2)"};
inline constexpr LangText kMaking{"Making the frame...", "Przygotowywanie klatki..."};
inline constexpr LangText kNoFileSelected{"Select a file in the list.", "Zaznacz plik na liście."};

// Steps of the slider per second.
constexpr int kSliderSteps = 10;
// The source is shown within this size, and the output pane is at least this large.
constexpr int kShownWidth = 320;
constexpr int kShownHeight = 240;

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

QLabel* PictureLabel(const char* name, QWidget* parent) {
  QLabel* label = NamedLabel(name, parent);
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumSize(kShownWidth, kShownHeight);
  label->setStyleSheet(QStringLiteral("background: #202020;"));
  return label;
}

QString SizeText(const QImage& image) {
  return image.isNull() ? QString() : QStringLiteral(" (%1 x %2)").arg(image.width()).arg(image.height());
}
}  // namespace

FramePreviewWindow::FramePreviewWindow(RequestSource source, QWidget* parent, PlayerSource player)
    : QDialog(parent), source_(std::move(source)), player_(std::move(player)) {
  setObjectName("FormFramePreview");
  lblFile = NamedLabel("lblPreviewFile", this);
  lblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
  tbPosition = new QSlider(Qt::Horizontal, this);
  tbPosition->setObjectName("tbPreviewPosition");
  edPosition = new QDoubleSpinBox(this);
  edPosition->setObjectName("edPreviewPosition");
  edPosition->setDecimals(1);
  edPosition->setSingleStep(1.0);
  lblPosition = NamedLabel("lblPreviewPosition", this);
  lblPosition->setBuddy(edPosition);
  lblSource = NamedLabel("lblPreviewSource", this);
  imgSource = PictureLabel("imgPreviewSource", this);
  lblOutput = NamedLabel("lblPreviewOutput", this);
  imgOutput = PictureLabel("imgPreviewOutput", this);
  auto* outputArea = new QScrollArea(this);
  outputArea->setObjectName("sboxPreviewOutput");
  outputArea->setWidget(imgOutput);
  outputArea->setWidgetResizable(true);
  outputArea->setMinimumSize(kShownWidth + 24, kShownHeight + 24);
  lblPlayer = NamedLabel("lblPreviewPlayer", this);
  imgPlayer = NamedLabel("imgPreviewPlayer", this);
  lblStatus = NamedLabel("lblPreviewStatus", this);
  lblStatus->setWordWrap(true);

  auto* position = new QHBoxLayout;
  position->addWidget(lblPosition);
  position->addWidget(tbPosition, 1);
  position->addWidget(edPosition);
  auto* pictures = new QGridLayout;
  pictures->addWidget(lblSource, 0, 0);
  pictures->addWidget(imgSource, 1, 0);
  pictures->addWidget(lblOutput, 0, 1);
  pictures->addWidget(outputArea, 1, 1);
  pictures->addWidget(lblPlayer, 0, 2);
  pictures->addWidget(imgPlayer, 1, 2, Qt::AlignTop);
  pictures->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblFile);
  layout->addLayout(position);
  layout->addLayout(pictures, 1);
  layout->addWidget(lblStatus);

  connect(tbPosition, &QSlider::sliderReleased, this,
          [this] { PositionChosen(static_cast<double>(tbPosition->value()) / kSliderSteps); });
  connect(tbPosition, &QSlider::valueChanged, this, [this](int value) {
    if (!tbPosition->isSliderDown()) PositionChosen(static_cast<double>(value) / kSliderSteps);
  });
  connect(edPosition, &QDoubleSpinBox::editingFinished, this, [this] { PositionChosen(edPosition->value()); });
  ShowImages();  // the captions, and the player's empty screen at its size
}

FramePreviewWindow::~FramePreviewWindow() {
  // The worker reports to this window: it ends first.
  if (worker_) worker_->wait();
}

void FramePreviewWindow::SetLang(UiLanguage lang) {
  lang_ = lang;
  setWindowTitle(ToQ(kPreviewCaption(lang)));
  lblPosition->setText(ToQ(kPositionLabel(lang)));
  lblSource->setText(ToQ(kSourceLabel(lang)) + SizeText(sourceImage_));
  lblOutput->setText(ToQ(kOutputLabel(lang)) + SizeText(outputImage_));
  const std::optional<ScreenSize> screen = Screen();
  lblPlayer->setText(screen ? ToQ(kPlayerLabel(lang)).arg(screen->width).arg(screen->height) : QString());
}

std::optional<ScreenSize> FramePreviewWindow::Screen() const {
  return ScreenOf(player_ ? player_() : kDefaultPlayer);
}

void FramePreviewWindow::ShowPreview() {
  show();
  raise();
  activateWindow();
  Refresh();
}

void FramePreviewWindow::Refresh() {
  if (!isVisible()) return;
  if (worker_) {
    pending_ = true;  // one more run when this one ends, with whatever is current then
    return;
  }
  Start();
}

void FramePreviewWindow::PositionChosen(double seconds) {
  if (std::fabs(seconds - position_) < 0.05) return;
  position_ = seconds;
  Refresh();
}

void FramePreviewWindow::Start() {
  pending_ = false;
  std::optional<FramePreviewRequest> request = source_();
  if (!request) {
    file_.clear();
    sourceImage_ = outputImage_ = QImage();
    ShowImages();
    lblFile->clear();
    lblStatus->setText(ToQ(kNoFileSelected(lang_)));
    emit previewShown();
    return;
  }
  if (request->input != file_) position_ = -1;  // another file: a tenth of its length
  request->seconds = position_;
  request->lang = lang_;
  lblFile->setText(ToQ(request->input));
  lblStatus->setText(ToQ(kMaking(lang_)));
  const std::string input = request->input;
  worker_ = QThread::create([this, request = *request, input] {
    const FramePreview preview = MakeFramePreview(request);
    QMetaObject::invokeMethod(this, [this, preview, input] { Finished(preview, input); }, Qt::QueuedConnection);
  });
  connect(worker_, &QThread::finished, worker_, &QObject::deleteLater);
  worker_->start();
}

void FramePreviewWindow::Finished(const FramePreview& preview, const std::string& input) {
  worker_->wait();
  worker_ = nullptr;
  file_ = input;
  position_ = preview.seconds;
  {
    const QSignalBlocker blockSlider(tbPosition);
    const QSignalBlocker blockBox(edPosition);
    tbPosition->setRange(0, static_cast<int>(std::floor(preview.duration * kSliderSteps)));
    tbPosition->setValue(static_cast<int>(std::lround(preview.seconds * kSliderSteps)));
    edPosition->setRange(0, preview.duration);
    edPosition->setValue(preview.seconds);
  }
  sourceImage_ = preview.sourcePng.empty()
                     ? QImage()
                     : QImage::fromData(reinterpret_cast<const uchar*>(preview.sourcePng.data()),
                                        static_cast<int>(preview.sourcePng.size()), "PNG");
  outputImage_ = preview.outputPng.empty()
                     ? QImage()
                     : QImage::fromData(reinterpret_cast<const uchar*>(preview.outputPng.data()),
                                        static_cast<int>(preview.outputPng.size()), "PNG");
  ShowImages();
  lblStatus->setText(ToQ(preview.outcome == FramePreview::Outcome::Frames ? preview.note : preview.reason));
  emit previewShown();
  if (pending_) Refresh();
}

void FramePreviewWindow::ShowImages() {
  SetLang(lang_);  // the captions name the pictures' sizes
  imgSource->setPixmap(sourceImage_.isNull() ? QPixmap()
                                             : QPixmap::fromImage(sourceImage_.scaled(
                                                   kShownWidth, kShownHeight, Qt::KeepAspectRatio,
                                                   Qt::SmoothTransformation)));
  // The output at its own pixel size. The scroll area stretches the label over its view but never
  // below the label's minimum: a picture larger than the view gets scroll bars, not a clipped edge.
  imgOutput->setPixmap(outputImage_.isNull() ? QPixmap() : QPixmap::fromImage(outputImage_));
  imgOutput->setMinimumSize(outputImage_.size());  // 0 x 0 without a picture
  // The player fits the picture into its screen, keeping its shape: black bars where it does not
  // fill. Another player: no screen is known, and the output's own size is what it gets.
  const std::optional<ScreenSize> size = Screen();
  lblPlayer->setVisible(size.has_value());
  imgPlayer->setVisible(size.has_value());
  if (!size) {
    imgPlayer->clear();
    return;
  }
  QPixmap screen(size->width, size->height);
  screen.fill(Qt::black);
  if (!outputImage_.isNull()) {
    const QImage fitted =
        outputImage_.scaled(size->width, size->height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&screen);
    painter.drawImage((size->width - fitted.width()) / 2, (size->height - fitted.height()) / 2, fitted);
  }
  imgPlayer->setFixedSize(screen.size());
  imgPlayer->setPixmap(screen);
}

}  // namespace vardeno
