#include "ui/main/FormatVideoPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QStringList>
#include <QLabel>
#include <QVBoxLayout>

#include <string_view>

#include "encoder/OutputFormat.h"
#include "encoder/Presets.h"
#include "ui/main/SettingsPanelsTexts.h"
#include "ui/main/SettingsPanelsWidgets.h"

namespace vardeno {

FormatVideoPanel::FormatVideoPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("pnLeft");
  gbOutputFormat = MakeNamed<QGroupBox>("gbOutputFormat", this);
  cbOutFormat = MakeList("cbOutFormat", gbOutputFormat);
  // Whole labels when there is room; on a narrow window the column may shrink the list.
  cbOutFormat->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  cbOutFormat->setMinimumWidth(cbOutFormat->fontMetrics().horizontalAdvance("MP4 (H.264 / AAC)"));
  auto* formatLayout = new QVBoxLayout(gbOutputFormat);
  formatLayout->setContentsMargins(6, 4, 6, 4);
  formatLayout->addWidget(cbOutFormat);
  // The player the settings and the outputs are checked for, beside the format it judges.
  cbPlayer = MakeList("cbPlayer", gbOutputFormat);
  cbPlayer->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  // Room for the longest Zune's name; "Other player (no checks)" may be cut short when chosen.
  cbPlayer->setMinimumContentsLength(static_cast<int>(std::string_view("Zune 4, 8, 16, 80, 120").size()));
  lblPlayer = MakeBuddyLabel("lblPlayer", cbPlayer, gbOutputFormat);
  // The caption above the list rather than beside it: the column is then only as wide as the
  // list, which leaves the advanced column room for its groups side by side.
  formatLayout->addWidget(lblPlayer);
  formatLayout->addWidget(cbPlayer);
  lblPlayerWarning = MakeNamed<QLabel>("lblPlayerWarning", gbOutputFormat);
  // A message about the settings, not the caption of a control: it has no buddy.
  lblPlayerWarning->setProperty("statusLine", true);
  lblPlayerWarning->setWordWrap(true);
  lblPlayerWarning->setTextFormat(Qt::PlainText);
  QPalette warningColours = lblPlayerWarning->palette();
  warningColours.setColor(QPalette::WindowText, QColor(176, 0, 0));
  lblPlayerWarning->setPalette(warningColours);
  lblPlayerWarning->hide();
  formatLayout->addWidget(lblPlayerWarning);
  lblOutputFormat = MakeBuddyLabel("lblOutputFormat", cbOutFormat, this);
  QFont bold = lblOutputFormat->font();
  bold.setBold(true);
  lblOutputFormat->setFont(bold);
  lblOutputFormat->setWordWrap(true);

  gbAviVideoOptions = MakeNamed<QGroupBox>("gbAviVideoOptions", this);
  cbAviVideoBitrate = MakeList("cbAviVideoBitrate", gbAviVideoOptions, true);
  cbAviVideoBitrate->setMaxVisibleItems(16);
  cbAviVideoFPS = MakeList("cbAviVideoFPS", gbAviVideoOptions, true);
  for (QComboBox* list : {cbAviVideoBitrate, cbAviVideoFPS}) SetShortList(list);
  lblAviVideoBitrate = MakeBuddyLabel("lblAviVideoBitrate", cbAviVideoBitrate, gbAviVideoOptions);
  lblAviVideoKbps = MakeBuddyLabel("lblAviVideoKbps", cbAviVideoBitrate, gbAviVideoOptions);
  lblAviVideoFPS = MakeBuddyLabel("lblAviVideoFPS", cbAviVideoFPS, gbAviVideoOptions);
  lblAviVideoBitrate->setText(kBitrateLabel);
  lblAviVideoKbps->setText(kKbpsLabel);
  lblAviVideoFPS->setText(kFpsLabel);
  auto* video = new QGridLayout(gbAviVideoOptions);
  video->setContentsMargins(6, 4, 6, 4);
  video->setHorizontalSpacing(4);
  video->addWidget(lblAviVideoBitrate, 0, 0);
  video->addWidget(cbAviVideoBitrate, 0, 1);
  video->addWidget(lblAviVideoKbps, 0, 2);
  video->addWidget(lblAviVideoFPS, 1, 0);
  video->addWidget(cbAviVideoFPS, 1, 1);
  video->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(lblOutputFormat);
  layout->addWidget(gbOutputFormat);
  layout->addWidget(gbAviVideoOptions);
  layout->addStretch(1);

  connect(cbOutFormat, &QComboBox::currentIndexChanged, this, &FormatVideoPanel::formatChanged);
  connect(cbPlayer, &QComboBox::currentIndexChanged, this, &FormatVideoPanel::playerChosen);
}

void FormatVideoPanel::FillLists() {
  cbOutFormat->clear();
  for (const OutputFormat& format : OutputFormats()) cbOutFormat->addItem(QString::fromUtf8(format.Label));
  FillList(cbAviVideoBitrate, VideoBitratePresets());
  FillList(cbAviVideoFPS, FrameRatePresets());
}

void FormatVideoPanel::Read(EncoderSettings& s) const {
  s.OutputFormat = cbOutFormat->currentIndex();
  s.VideoBitrate = ToStd(cbAviVideoBitrate->currentText());
  s.VideoFPS = ToStd(cbAviVideoFPS->currentText());
}

void FormatVideoPanel::Write(const EncoderSettings& s) {
  SelectEntry(cbOutFormat, s.OutputFormat);
  SetEditableText(cbAviVideoBitrate, s.VideoBitrate);
  SetEditableText(cbAviVideoFPS, s.VideoFPS);
}

void FormatVideoPanel::ShowPlayer(PlayerId player) {
  const QSignalBlocker quiet(cbPlayer);
  cbPlayer->setCurrentIndex(static_cast<int>(player));
}

void FormatVideoPanel::ShowPlayerWarning(const std::vector<std::string>& lines) {
  lblPlayerWarning->setVisible(!lines.empty());
  lblPlayerWarning->setText(lines.empty() ? QString() : ToQ(lines.front()));
  QStringList all;
  for (const std::string& line : lines) all << ToQ(line);
  lblPlayerWarning->setToolTip(all.join(QLatin1Char('\n')));
}

void FormatVideoPanel::SetLang(UiLanguage lang) {
  {
    const QSignalBlocker quiet(cbPlayer);
    const int selected = cbPlayer->currentIndex();
    cbPlayer->clear();
    for (int i = 0; i < kPlayerCount; ++i) cbPlayer->addItem(ToQ(PlayerName(static_cast<PlayerId>(i), lang)));
    cbPlayer->setCurrentIndex(selected);
  }
  lblPlayer->setText(ToQ(kPlayerLabel(lang)));
  lblOutputFormat->setText(ToQ(kOutputFormatCaption(lang)));
  gbOutputFormat->setTitle(ToQ(kOutputFormatGroup(lang)));
  gbAviVideoOptions->setTitle(ToQ(kVideoOptionsGroup(lang)));
}

}  // namespace vardeno
