#include "ui/main/AdvancedPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

#include "encoder/Presets.h"
#include "ui/main/SettingsPanelsTexts.h"
#include "ui/main/SettingsPanelsWidgets.h"
#include "ui/main/SubtitlesBox.h"

namespace vardeno {

namespace {
// Group contents packed close, so the column needs little width before it scrolls.
QGridLayout* NewCompactGrid(QWidget* group) {
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(4);
  return grid;
}
}  // namespace

AdvancedPanel::AdvancedPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("pnRight");
  sboxAdvanced = MakeNamed<QScrollArea>("sboxAdvanced", this);
  sboxAdvanced->setFrameShape(QFrame::NoFrame);
  sboxAdvanced->setWidgetResizable(true);
  auto* contents = new QWidget(sboxAdvanced);
  contents->setObjectName("sboxAdvancedContents");
  // Two columns of groups with the additional parameters below both, so that the whole column
  // shows in a window that fits a laptop's screen.
  auto* first = new QVBoxLayout;
  first->addWidget(BuildCropping(contents));
  first->addWidget(BuildResolution(contents));
  gbSubtitles = new SubtitlesBox(contents);
  first->addWidget(gbSubtitles);
  first->addStretch(1);
  auto* second = new QVBoxLayout;
  second->addWidget(BuildSizeLimit(contents));
  second->addWidget(BuildTimeLimits(contents));
  second->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(first);
  columns->addLayout(second);
  auto* column = new QVBoxLayout(contents);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(columns);
  column->addWidget(BuildParams(contents));
  column->addStretch(1);
  sboxAdvanced->setWidget(contents);

  lblAdvancedSettings = MakeBuddyLabel("lblAdvancedSettings", edCropTop, this);
  QFont bold = lblAdvancedSettings->font();
  bold.setBold(true);
  lblAdvancedSettings->setFont(bold);
  lblAdvancedSettings->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(lblAdvancedSettings);
  layout->addWidget(sboxAdvanced, 1);
  sboxAdvanced->verticalScrollBar()->setValue(0);

  connect(cbResolution, &QComboBox::currentIndexChanged, this, &AdvancedPanel::resolutionChanged);
  connect(gbSubtitles, &SubtitlesBox::choiceChanged, this, &AdvancedPanel::subtitlesChanged);
  connect(chSizeLimit, &QCheckBox::toggled, this, &AdvancedPanel::sizeLimitToggled);
  connect(chTimeLimitDuration, &QCheckBox::toggled, this, &AdvancedPanel::timeLimitToggled);
  connect(chTimeLimitStart, &QCheckBox::toggled, this, &AdvancedPanel::timeLimitToggled);
  connect(btnInfo_ffmpeg, &QPushButton::clicked, this, &AdvancedPanel::encoderInfoClicked);
}

QSize AdvancedPanel::sizeHint() const {
  // Wide enough for its groups side by side with a vertical scroll bar, and high enough for every
  // group: the column scrolls only where the window gives it less than that.
  const QMargins margins = layout()->contentsMargins();
  const QWidget* contents = sboxAdvanced->widget();
  const int width = contents->minimumSizeHint().width() + sboxAdvanced->verticalScrollBar()->sizeHint().width() +
                    margins.left() + margins.right();
  const int height = margins.top() + margins.bottom() + lblAdvancedSettings->sizeHint().height() +
                     layout()->spacing() + contents->sizeHint().height();
  return {width, height};
}

QSize AdvancedPanel::minimumSizeHint() const {
  return {fontMetrics().horizontalAdvance('x') * 18, QWidget::minimumSizeHint().height()};
}

QWidget* AdvancedPanel::BuildCropping(QWidget* parent) {
  gbCropping = MakeNamed<QGroupBox>("gbCropping", parent);
  edCropTop = MakeNumberBox("edCropTop", kCropRange, gbCropping);
  edCropBottom = MakeNumberBox("edCropBottom", kCropRange, gbCropping);
  edCropLeft = MakeNumberBox("edCropLeft", kCropRange, gbCropping);
  edCropRight = MakeNumberBox("edCropRight", kCropRange, gbCropping);
  lblCropTop = MakeBuddyLabel("lblCropTop", edCropTop, gbCropping);
  lblCropBottom = MakeBuddyLabel("lblCropBottom", edCropBottom, gbCropping);
  lblCropLeft = MakeBuddyLabel("lblCropLeft", edCropLeft, gbCropping);
  lblCropRight = MakeBuddyLabel("lblCropRight", edCropRight, gbCropping);
  auto* grid = NewCompactGrid(gbCropping);
  grid->addWidget(lblCropTop, 0, 0);
  grid->addWidget(edCropTop, 0, 1);
  grid->addWidget(lblCropBottom, 0, 2);
  grid->addWidget(edCropBottom, 0, 3);
  grid->addWidget(lblCropLeft, 1, 0);
  grid->addWidget(edCropLeft, 1, 1);
  grid->addWidget(lblCropRight, 1, 2);
  grid->addWidget(edCropRight, 1, 3);
  grid->setColumnStretch(4, 1);
  return gbCropping;
}

QWidget* AdvancedPanel::BuildResolution(QWidget* parent) {
  gbResolution = MakeNamed<QGroupBox>("gbResolution", parent);
  cbResolution = MakeList("cbResolution", gbResolution);
  cbResolution->setMaxVisibleItems(18);
  // Width and height stay even when stepped with the arrows.
  edResWidth = MakeNumberBox("edResWidth", kResSizeRange, gbResolution, 2);
  edResHeight = MakeNumberBox("edResHeight", kResSizeRange, gbResolution, 2);
  lblResWidth = MakeBuddyLabel("lblResWidth", edResWidth, gbResolution);
  lblResX = MakeBuddyLabel("lblResX", edResHeight, gbResolution);
  lblResX->setText(kResXLabel);
  lblResHeight = MakeBuddyLabel("lblResHeight", edResHeight, gbResolution);
  auto* grid = NewCompactGrid(gbResolution);
  grid->addWidget(cbResolution, 0, 0, 1, 5);
  grid->addWidget(lblResWidth, 1, 0);
  grid->addWidget(edResWidth, 1, 1);
  grid->addWidget(lblResX, 1, 2);
  grid->addWidget(lblResHeight, 1, 3);
  grid->addWidget(edResHeight, 1, 4);
  grid->setColumnStretch(5, 1);
  return gbResolution;
}

QWidget* AdvancedPanel::BuildSizeLimit(QWidget* parent) {
  auto* row = new QWidget(parent);
  chSizeLimit = MakeNamed<QCheckBox>("chSizeLimit", row);
  edSizeLimit = MakeNamed<QLineEdit>("edSizeLimit", row);
  edSizeLimit->setMaximumWidth(edSizeLimit->fontMetrics().horizontalAdvance("0000000") + 12);
  cbSizeLimitUnit = MakeList("cbSizeLimitUnit", row);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setSpacing(4);
  layout->addWidget(chSizeLimit);
  layout->addWidget(edSizeLimit);
  layout->addWidget(cbSizeLimitUnit);
  layout->addStretch(1);
  return row;
}

QWidget* AdvancedPanel::BuildTimeLimits(QWidget* parent) {
  gbTimeLimits = MakeNamed<QGroupBox>("gbTimeLimits", parent);
  QWidget* g = gbTimeLimits;
  chTimeLimitDuration = MakeNamed<QCheckBox>("chTimeLimitDuration", g);
  edTimeLimitDH = MakeNumberBox("edTimeLimitDH", kHoursRange, g);
  edTimeLimitDM = MakeNumberBox("edTimeLimitDM", kMinSecRange, g);
  edTimeLimitDS = MakeNumberBox("edTimeLimitDS", kMinSecRange, g);
  lblTimeLimitDH = MakeBuddyLabel("lblTimeLimitDH", edTimeLimitDH, g);
  lblTimeLimitDM = MakeBuddyLabel("lblTimeLimitDM", edTimeLimitDM, g);
  lblTimeLimitDS = MakeBuddyLabel("lblTimeLimitDS", edTimeLimitDS, g);
  chTimeLimitStart = MakeNamed<QCheckBox>("chTimeLimitStart", g);
  edTimeLimitSH = MakeNumberBox("edTimeLimitSH", kHoursRange, g);
  edTimeLimitSM = MakeNumberBox("edTimeLimitSM", kMinSecRange, g);
  edTimeLimitSS = MakeNumberBox("edTimeLimitSS", kMinSecRange, g);
  lblTimeLimitSH = MakeBuddyLabel("lblTimeLimitSH", edTimeLimitSH, g);
  lblTimeLimitSM = MakeBuddyLabel("lblTimeLimitSM", edTimeLimitSM, g);
  lblTimeLimitSS = MakeBuddyLabel("lblTimeLimitSS", edTimeLimitSS, g);
  auto* grid = NewCompactGrid(g);
  grid->addWidget(chTimeLimitDuration, 0, 0, 1, 6);
  grid->addWidget(lblTimeLimitDH, 1, 0);
  grid->addWidget(edTimeLimitDH, 1, 1);
  grid->addWidget(lblTimeLimitDM, 1, 2);
  grid->addWidget(edTimeLimitDM, 1, 3);
  grid->addWidget(lblTimeLimitDS, 1, 4);
  grid->addWidget(edTimeLimitDS, 1, 5);
  grid->addWidget(chTimeLimitStart, 2, 0, 1, 6);
  grid->addWidget(lblTimeLimitSH, 3, 0);
  grid->addWidget(edTimeLimitSH, 3, 1);
  grid->addWidget(lblTimeLimitSM, 3, 2);
  grid->addWidget(edTimeLimitSM, 3, 3);
  grid->addWidget(lblTimeLimitSS, 3, 4);
  grid->addWidget(edTimeLimitSS, 3, 5);
  grid->setColumnStretch(6, 1);
  return g;
}

QWidget* AdvancedPanel::BuildParams(QWidget* parent) {
  gbParams = MakeNamed<QGroupBox>("gbParams", parent);
  meParams = MakeNamed<QPlainTextEdit>("meParams", gbParams);
  meParams->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  meParams->setTabChangesFocus(true);  // Tab leaves the memo, so the keyboard reaches the button
  // Three lines: the parameters are a line or two, and a taller box would push the advanced column
  // into scrolling.
  meParams->setFixedHeight(meParams->fontMetrics().lineSpacing() * 3 + 10);
  btnInfo_ffmpeg = MakeNamed<QPushButton>("btnInfo_ffmpeg", gbParams);
  btnInfo_ffmpeg->setText(kInfoButton);
  auto* layout = new QHBoxLayout(gbParams);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->addWidget(meParams, 1);
  layout->addWidget(btnInfo_ffmpeg, 0, Qt::AlignTop);
  return gbParams;
}

void AdvancedPanel::FillLists(const ResolutionList& resolutions) {
  FillList(cbResolution, resolutions.Entries);
  FillList(cbSizeLimitUnit, SizeUnitNames());
  cbResolution->setCurrentIndex(0);
}

void AdvancedPanel::Read(EncoderSettings& s) const {
  s.Resolution = cbResolution->currentIndex();
  s.ResWidth = edResWidth->value();
  s.ResHeight = edResHeight->value();
  s.CropTop = edCropTop->value();
  s.CropBottom = edCropBottom->value();
  s.CropLeft = edCropLeft->value();
  s.CropRight = edCropRight->value();
  s.SizeLimit = chSizeLimit->isChecked();
  s.SizeLimitValue = ToStd(edSizeLimit->text());
  // The unit list holds "KB" and "MB" only; anything but "KB" counts as MB, the default.
  s.SizeLimitUnit = cbSizeLimitUnit->currentIndex() == static_cast<int>(SizeUnit::KB) ? SizeUnit::KB : SizeUnit::MB;
  s.TimeLimitDuration = chTimeLimitDuration->isChecked();
  s.TimeLimitDH = edTimeLimitDH->value();
  s.TimeLimitDM = edTimeLimitDM->value();
  s.TimeLimitDS = edTimeLimitDS->value();
  s.TimeLimitStart = chTimeLimitStart->isChecked();
  s.TimeLimitSH = edTimeLimitSH->value();
  s.TimeLimitSM = edTimeLimitSM->value();
  s.TimeLimitSS = edTimeLimitSS->value();
  gbSubtitles->Read(s);
  // One memo line per entry; an empty memo has no lines at all.
  s.AdditionalParams.clear();
  const QString text = meParams->toPlainText();
  if (!text.isEmpty())
    for (const QString& line : text.split('\n')) s.AdditionalParams.push_back(ToStd(line));
}

void AdvancedPanel::Write(const EncoderSettings& s) {
  SelectEntry(cbResolution, s.Resolution);
  edResWidth->setValue(s.ResWidth);  // number boxes keep to their ranges
  edResHeight->setValue(s.ResHeight);
  edCropTop->setValue(s.CropTop);
  edCropBottom->setValue(s.CropBottom);
  edCropLeft->setValue(s.CropLeft);
  edCropRight->setValue(s.CropRight);
  chSizeLimit->setChecked(s.SizeLimit);
  edSizeLimit->setText(ToQ(s.SizeLimitValue));
  SelectEntry(cbSizeLimitUnit, static_cast<int>(s.SizeLimitUnit));
  chTimeLimitDuration->setChecked(s.TimeLimitDuration);
  edTimeLimitDH->setValue(s.TimeLimitDH);
  edTimeLimitDM->setValue(s.TimeLimitDM);
  edTimeLimitDS->setValue(s.TimeLimitDS);
  chTimeLimitStart->setChecked(s.TimeLimitStart);
  edTimeLimitSH->setValue(s.TimeLimitSH);
  edTimeLimitSM->setValue(s.TimeLimitSM);
  edTimeLimitSS->setValue(s.TimeLimitSS);
  gbSubtitles->Write(s);
  QStringList lines;
  for (const std::string& line : s.AdditionalParams) lines.append(ToQ(line));
  meParams->setPlainText(lines.join('\n'));
}

void AdvancedPanel::SetLang(UiLanguage lang, const ResolutionList& resolutions) {
  lblAdvancedSettings->setText(ToQ(kAdvancedSettingsCaption(lang)));
  gbCropping->setTitle(ToQ(kCroppingGroup(lang)));
  lblCropTop->setText(ToQ(kCropTopLabel(lang)));
  lblCropBottom->setText(ToQ(kCropBottomLabel(lang)));
  lblCropLeft->setText(ToQ(kCropLeftLabel(lang)));
  lblCropRight->setText(ToQ(kCropRightLabel(lang)));
  gbResolution->setTitle(ToQ(kResolutionGroup(lang)));
  lblResWidth->setText(ToQ(kResWidthLabel(lang)));
  lblResHeight->setText(ToQ(kResHeightLabel(lang)));
  chSizeLimit->setText(ToQ(kSizeLimitCheck(lang)));
  gbTimeLimits->setTitle(ToQ(kTimeLimitsGroup(lang)));
  chTimeLimitDuration->setText(ToQ(kDurationCheck(lang)));
  chTimeLimitStart->setText(ToQ(kStartOffsetCheck(lang)));
  for (QLabel* hours : {lblTimeLimitDH, lblTimeLimitSH}) hours->setText(ToQ(kHoursLabel(lang)));
  for (QLabel* minutes : {lblTimeLimitDM, lblTimeLimitSM}) minutes->setText(ToQ(kMinutesLabel(lang)));
  for (QLabel* seconds : {lblTimeLimitDS, lblTimeLimitSS}) seconds->setText(ToQ(kSecondsLabel(lang)));
  gbSubtitles->SetLang(lang);
  gbParams->setTitle(ToQ(kParamsGroup(lang)));
  // Entry 1 ("Custom") follows the language; replacing its text keeps the selection.
  if (cbResolution->count() > kResolutionCustom)
    cbResolution->setItemText(kResolutionCustom, ToQ(resolutions.EntryText(kResolutionCustom)));
}

void AdvancedPanel::SetSubtitlesUnavailableReason(const QString& reason) { gbSubtitles->SetUnavailableReason(reason); }

}  // namespace vardeno
