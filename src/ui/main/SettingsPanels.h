// The main window's bottom panel (pnBottom): the three columns of encoder setting controls.
// The settings live in these controls; ReadSettings takes a fresh EncoderSettings from them
// whenever one is needed, and nothing keeps a copy.
#pragma once

#include <QHash>
#include <QWidget>

#include "encoder/EncoderSettings.h"

struct ProgramState;
class AdvancedPanel;
class AudioPanel;
class EncoderGenerationWatch;
class FormatVideoPanel;

class SettingsPanels : public QWidget {
  Q_OBJECT
 public:
  SettingsPanels(ProgramState& state, QWidget* parent);

  // Fills the preset lists, reads the resolution list file into the program state's
  // ResolutionList and selects the first resolution, audio bitrate and sampling entries.
  void PrepareControls();
  // Puts DefaultEncoderSettings() into the controls.
  void SetDefaultParams();
  // The settings as the controls hold them now; a list with no entry selected gives -1.
  EncoderSettings ReadSettings() const;
  // Puts settings into the controls (profiles). A list index outside its list leaves the list
  // with no selection; numbers outside a box's range are held at the nearest end of the range.
  void WriteSettings(const EncoderSettings& settings);
  // The enable rules of the encoder settings, from the controls' current values. A control whose
  // rule depends on the encoder's generation stays disabled until the generation is known: it is
  // learnt off the GUI thread, and the rules are applied again when it arrives.
  void ApplyEnableRules();
  // Texts of the three columns in the interface language; selections stay as they are.
  void SetLang();
  // Shows the player of the program state in cbPlayer and, under the format, what in the current
  // settings that player does not take (the first problem; all of them in the tool tip).
  void UpdatePlayerCheck();
  // Off during a conversion, on again afterwards; each control keeps its own enabled state.
  void SetPanelsEnabled(bool enabled);

  QWidget* pnLeft() const;
  QWidget* pnAudio() const;
  QWidget* pnRight() const;

 signals:
  // A setting that the enable rules depend on was changed by the user (not by the program).
  void settingChanged();

 private:
  void cbOutFormatChange();
  void cbResolutionChange();
  void chAudioDontCopyClick();
  void chSizeLimitClick();
  void chTimeLimitDurationClick();
  void btnInfo_ffmpegClick();
  void SettingChanged();
  void IndexGovernedControls();
  void WatchSettingsForPlayerCheck();
  void cbPlayerChange(int index);

  ProgramState& state_;
  FormatVideoPanel* left_;
  AudioPanel* audio_;
  AdvancedPanel* right_;
  // The controls the enable rules name; a number box answers to its edit and its arrows' names.
  QHash<QString, QWidget*> governed_;
  EncoderGenerationWatch* generations_;
};
