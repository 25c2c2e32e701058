#include "ui/FormatVideoPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "encoder/OutputFormat.h"
#include "encoder/Presets.h"
#include "ui/SettingsPanelsTexts.h"
#include "ui/SettingsPanelsWidgets.h"

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

void FormatVideoPanel::SetLang(UiLanguage lang) {
  lblOutputFormat->setText(ToQ(kOutputFormatCaption(lang)));
  gbOutputFormat->setTitle(ToQ(kOutputFormatGroup(lang)));
  gbAviVideoOptions->setTitle(ToQ(kVideoOptionsGroup(lang)));
}
