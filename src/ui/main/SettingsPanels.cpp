#include "ui/main/SettingsPanels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <filesystem>

#include "app/ProgramState.h"
#include "app/AppParams.h"
#include "encoder/EnableRules.h"
#include "encoder/EncoderInfo.h"
#include "player/PlayerReport.h"
#include "ui/main/AdvancedPanel.h"
#include "ui/main/AudioPanel.h"
#include "ui/main/EncoderGenerationWatch.h"
#include "ui/main/ControlsUpdating.h"
#include "ui/main/FormatVideoPanel.h"
#include "ui/QtText.h"
#include "ui/main/SettingsPanelsHelp.h"
#include "ui/main/SubtitlesBox.h"

SettingsPanels::SettingsPanels(ProgramState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName("pnBottom");
  left_ = new FormatVideoPanel(this);
  audio_ = new AudioPanel(this);
  right_ = new AdvancedPanel(this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(left_);
  layout->addWidget(audio_);
  // Short of room, every column gives up width alike; with room to spare, the advanced column
  // takes it.
  right_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  layout->addWidget(right_);

  connect(left_, &FormatVideoPanel::formatChanged, this, &SettingsPanels::cbOutFormatChange);
  connect(right_, &AdvancedPanel::resolutionChanged, this, &SettingsPanels::cbResolutionChange);
  connect(audio_, &AudioPanel::copyChoiceChanged, this, &SettingsPanels::chAudioDontCopyClick);
  connect(right_, &AdvancedPanel::sizeLimitToggled, this, &SettingsPanels::chSizeLimitClick);
  connect(right_, &AdvancedPanel::timeLimitToggled, this, &SettingsPanels::chTimeLimitDurationClick);
  connect(right_, &AdvancedPanel::subtitlesChanged, this, &SettingsPanels::cbOutFormatChange);
  connect(right_, &AdvancedPanel::encoderInfoClicked, this, &SettingsPanels::btnInfo_ffmpegClick);
  connect(left_, &FormatVideoPanel::playerChosen, this, &SettingsPanels::cbPlayerChange);
  IndexGovernedControls();
  WatchSettingsForPlayerCheck();
  generations_ = new EncoderGenerationWatch(&GetEncoderGeneration, this);
  connect(generations_, &EncoderGenerationWatch::generationKnown, this, &SettingsPanels::ApplyEnableRules);
}

// Any setting can change what the player check says: every control of the three columns asks
// for it again (a check takes microseconds).
void SettingsPanels::WatchSettingsForPlayerCheck() {
  const QComboBox* playerList = findChild<QComboBox*>(QStringLiteral("cbPlayer"));
  for (QComboBox* list : findChildren<QComboBox*>())
    if (list != playerList) connect(list, &QComboBox::currentTextChanged, this, &SettingsPanels::UpdatePlayerCheck);
  for (QSpinBox* box : findChildren<QSpinBox*>())
    connect(box, &QSpinBox::valueChanged, this, &SettingsPanels::UpdatePlayerCheck);
  for (QCheckBox* box : findChildren<QCheckBox*>())
    connect(box, &QCheckBox::toggled, this, &SettingsPanels::UpdatePlayerCheck);
  for (QPlainTextEdit* memo : findChildren<QPlainTextEdit*>())
    connect(memo, &QPlainTextEdit::textChanged, this, &SettingsPanels::UpdatePlayerCheck);
}

void SettingsPanels::cbPlayerChange(int index) {
  if (index < 0 || index >= kPlayerCount) return;
  state_.Params.Player = static_cast<PlayerId>(index);
  UpdatePlayerCheck();
}

void SettingsPanels::UpdatePlayerCheck() {
  left_->ShowPlayer(state_.Params.Player);
  const PlayerVerdict verdict = CheckSettingsForPlayer(ReadSettings(), state_.Resolutions, state_.Params.Player);
  left_->ShowPlayerWarning(PreRunLines(verdict, state_.CurrentLanguage));
}

QWidget* SettingsPanels::pnLeft() const { return left_; }
QWidget* SettingsPanels::pnAudio() const { return audio_; }
QWidget* SettingsPanels::pnRight() const { return right_; }

void SettingsPanels::IndexGovernedControls() {
  // Controls the rules name by their own object name.
  for (QWidget* widget : findChildren<QWidget*>())
    if (!widget->objectName().isEmpty()) governed_.insert(widget->objectName(), widget);
  // A number box is the edit and its arrows in one widget: "udX" is the box "edX".
  for (QWidget* widget : findChildren<QWidget*>())
    if (widget->objectName().startsWith("ed")) governed_.insert("ud" + widget->objectName().mid(2), widget);
}

void SettingsPanels::PrepareControls() {
  ControlsUpdatingGuard guard(state_.ControlsUpdating);
  state_.Resolutions = MakeResolutionList(LoadResolutionSizes(state_.Params.ResolutionsFile),
                                          state_.CurrentLanguage);
  left_->FillLists();
  audio_->FillLists();
  right_->FillLists(state_.Resolutions);
}

void SettingsPanels::SetDefaultParams() { WriteSettings(DefaultEncoderSettings()); }

EncoderSettings SettingsPanels::ReadSettings() const {
  EncoderSettings settings;
  left_->Read(settings);
  audio_->Read(settings);
  right_->Read(settings);
  return settings;
}

void SettingsPanels::WriteSettings(const EncoderSettings& settings) {
  ControlsUpdatingGuard guard(state_.ControlsUpdating);
  left_->Write(settings);
  audio_->Write(settings);
  right_->Write(settings);
  UpdatePlayerCheck();
}

void SettingsPanels::ApplyEnableRules() {
  const std::string encoderPath = GetEncoderPath(state_.Params, state_.ProgramDir);
  const std::optional<EncoderGeneration> generation =
      encoderPath.empty() ? EncoderGeneration::Modern : generations_->Known(encoderPath);
  const EncoderSettings settings = ReadSettings();
  const std::vector<ControlState> states = ComputeEnabledControls(settings, generation.value_or(EncoderGeneration::Modern));
  // Not known yet: what only one generation allows waits for the answer.
  const std::vector<ControlState> classic =
      generation ? std::vector<ControlState>() : ComputeEnabledControls(settings, EncoderGeneration::Classic);
  for (const ControlState& control : states) {
    const bool enabled = control.enabled && (generation || IsControlEnabled(classic, control.name));
    if (QWidget* widget = governed_.value(ToQ(control.name))) widget->setEnabled(enabled);
  }
  right_->SetSubtitlesUnavailableReason(
      generation ? ToQ(SubtitlesUnavailableReason(*generation, state_.CurrentLanguage)) : QString());
}

void SettingsPanels::SetLang() {
  ControlsUpdatingGuard guard(state_.ControlsUpdating);
  const UiLanguage lang = state_.CurrentLanguage;
  state_.Resolutions.SetLanguage(lang);
  left_->SetLang(lang);
  audio_->SetLang(lang);
  right_->SetLang(lang, state_.Resolutions);
  UpdatePlayerCheck();
}

void SettingsPanels::SetPanelsEnabled(bool enabled) {
  left_->setEnabled(enabled);
  audio_->setEnabled(enabled);
  right_->setEnabled(enabled);
}

void SettingsPanels::cbOutFormatChange() { SettingChanged(); }
void SettingsPanels::cbResolutionChange() { SettingChanged(); }
void SettingsPanels::chAudioDontCopyClick() { SettingChanged(); }
void SettingsPanels::chSizeLimitClick() { SettingChanged(); }
void SettingsPanels::chTimeLimitDurationClick() { SettingChanged(); }

void SettingsPanels::SettingChanged() {
  if (state_.ControlsUpdating) return;
  emit settingChanged();
}

void SettingsPanels::btnInfo_ffmpegClick() {
  // The help file lies in the program files folder, beside the settings file.
  std::string filesDir = state_.ProgramDir;
  if (!state_.Params.SettingsFile.empty())
    filesDir = std::filesystem::path(state_.Params.SettingsFile).parent_path().string();
  const std::string helpFile = EnsureEncoderHelpFile(filesDir, GetEncoderPath(state_.Params, state_.ProgramDir));
  if (!helpFile.empty()) QDesktopServices::openUrl(QUrl::fromLocalFile(ToQ(helpFile)));
}
