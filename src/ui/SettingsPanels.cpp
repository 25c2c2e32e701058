#include "ui/SettingsPanels.h"

#include <QComboBox>
#include <QHBoxLayout>

#include "app/ProgramState.h"

SettingsPanels::SettingsPanels(ProgramState& state, QWidget* parent)
    : QWidget(parent), state_(state), left_(new QWidget(this)), audio_(new QWidget(this)), right_(new QWidget(this)) {
  setObjectName(QStringLiteral("pnBottom"));
  left_->setObjectName(QStringLiteral("pnLeft"));
  audio_->setObjectName(QStringLiteral("pnAudio"));
  right_->setObjectName(QStringLiteral("pnRight"));
  cbOutFormat_ = new QComboBox(left_);
  cbOutFormat_->setObjectName(QStringLiteral("cbOutFormat"));
  for (int i = 0; i < 13; ++i) cbOutFormat_->addItem(QString::number(i));
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(left_);
  layout->addWidget(audio_);
  layout->addWidget(right_, 1);
  connect(cbOutFormat_, &QComboBox::currentIndexChanged, this, &SettingsPanels::settingChanged);
}

void SettingsPanels::PrepareControls() {
  state_.Resolutions = MakeResolutionList(LoadResolutionSizes(state_.AppParams.ResolutionsFile));
}
void SettingsPanels::SetDefaultParams() { WriteSettings(DefaultEncoderSettings()); }
EncoderSettings SettingsPanels::ReadSettings() const {
  EncoderSettings s = settings_;
  s.OutputFormat = cbOutFormat_->currentIndex();
  return s;
}
void SettingsPanels::WriteSettings(const EncoderSettings& settings) {
  settings_ = settings;
  cbOutFormat_->setCurrentIndex(settings.OutputFormat);
}
void SettingsPanels::ApplyEnableRules() {}
void SettingsPanels::SetLang() {}
void SettingsPanels::SetPanelsEnabled(bool enabled) {
  left_->setEnabled(enabled);
  audio_->setEnabled(enabled);
  right_->setEnabled(enabled);
}
