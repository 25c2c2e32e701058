#include "ui/main/AudioPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "encoder/Presets.h"
#include "ui/main/SettingsPanelsTexts.h"
#include "ui/main/SettingsPanelsWidgets.h"

namespace vardeno {

AudioPanel::AudioPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("pnAudio");
  gbAudioOptions = MakeNamed<QGroupBox>("gbAudioOptions", this);
  QWidget* group = gbAudioOptions;

  cbAudioBitrate = MakeList("cbAudioBitrate", group);
  cbAudioBitrate->setMaxVisibleItems(16);
  cbAudioSampling = MakeList("cbAudioSampling", group);
  for (QComboBox* list : {cbAudioBitrate, cbAudioSampling}) SetShortList(list);
  tbAudioVolume = MakeNamed<QSlider>("tbAudioVolume", group);
  tbAudioVolume->setOrientation(Qt::Horizontal);
  tbAudioVolume->setRange(kVolumeRange.min, kVolumeRange.max);
  tbAudioVolume->setSingleStep(1);
  tbAudioVolume->setPageStep(10);
  tbAudioVolume->setTickInterval(10);
  tbAudioVolume->setTickPosition(QSlider::TicksBelow);
  tbAudioVolume->setFocusPolicy(Qt::StrongFocus);
  tbAudioVolume->setMinimumWidth(48);
  chAudioDontCopy = MakeNamed<QCheckBox>("chAudioDontCopy", group);

  lblAudioSettings = MakeBuddyLabel("lblAudioSettings", cbAudioBitrate, this);
  QFont bold = lblAudioSettings->font();
  bold.setBold(true);
  lblAudioSettings->setFont(bold);
  lblAudioSettings->setWordWrap(true);
  lblAudioBitrate = MakeBuddyLabel("lblAudioBitrate", cbAudioBitrate, group);
  lblAudioKbps = MakeBuddyLabel("lblAudioKbps", cbAudioBitrate, group);
  lblAudioSampling = MakeBuddyLabel("lblAudioSampling", cbAudioSampling, group);
  lblAudioHz = MakeBuddyLabel("lblAudioHz", cbAudioSampling, group);
  lblAudioVolumeInfo = MakeBuddyLabel("lblAudioVolumeInfo", tbAudioVolume, group);
  lblAudioVolume = MakeBuddyLabel("lblAudioVolume", tbAudioVolume, group);
  lblAudioBitrate->setText(kBitrateLabel);
  lblAudioKbps->setText(kKbpsLabel);
  lblAudioHz->setText(kHzLabel);
  // Room for "300 %" so the slider does not shift while it moves.
  lblAudioVolume->setMinimumWidth(lblAudioVolume->fontMetrics().horizontalAdvance("300 %") + 4);

  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(4);
  grid->addWidget(lblAudioBitrate, 0, 0);
  grid->addWidget(cbAudioBitrate, 0, 1);
  grid->addWidget(lblAudioKbps, 0, 2);
  grid->addWidget(lblAudioSampling, 1, 0);
  grid->addWidget(cbAudioSampling, 1, 1);
  grid->addWidget(lblAudioHz, 1, 2);
  grid->addWidget(lblAudioVolumeInfo, 2, 0);
  grid->addWidget(tbAudioVolume, 2, 1);
  grid->addWidget(lblAudioVolume, 2, 2);
  grid->addWidget(chAudioDontCopy, 3, 0, 1, 3);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(lblAudioSettings);
  layout->addWidget(gbAudioOptions);
  layout->addStretch(1);

  connect(tbAudioVolume, &QSlider::valueChanged, this, &AudioPanel::tbAudioVolumeChange);
  tbAudioVolume->setValue(100);
  tbAudioVolumeChange(tbAudioVolume->value());
  connect(chAudioDontCopy, &QCheckBox::toggled, this, &AudioPanel::copyChoiceChanged);
}

void AudioPanel::FillLists() {
  FillList(cbAudioBitrate, AudioBitratePresets());
  FillList(cbAudioSampling, AudioSamplingPresets());
  cbAudioSampling->setCurrentIndex(0);
  cbAudioBitrate->setCurrentIndex(0);
}

void AudioPanel::Read(EncoderSettings& s) const {
  s.AudioBitrate = cbAudioBitrate->currentIndex();
  s.AudioSampling = cbAudioSampling->currentIndex();
  s.DoNotCopyAudio = chAudioDontCopy->isChecked();
  s.Volume = tbAudioVolume->value();
}

void AudioPanel::Write(const EncoderSettings& s) {
  SelectEntry(cbAudioBitrate, s.AudioBitrate);
  SelectEntry(cbAudioSampling, s.AudioSampling);
  chAudioDontCopy->setChecked(s.DoNotCopyAudio);
  tbAudioVolume->setValue(s.Volume);  // the slider keeps to 0..300
}

void AudioPanel::SetLang(UiLanguage lang) {
  lblAudioSettings->setText(ToQ(kAudioSettingsCaption(lang)));
  gbAudioOptions->setTitle(ToQ(kAudioOptionsGroup(lang)));
  lblAudioSampling->setText(ToQ(kSamplingLabel(lang)));
  lblAudioVolumeInfo->setText(ToQ(kVolumeLabel(lang)));
  chAudioDontCopy->setText(ToQ(kDontCopyAudio(lang)));
}

void AudioPanel::tbAudioVolumeChange(int value) { lblAudioVolume->setText(QString::number(value) + " %"); }

}  // namespace vardeno
