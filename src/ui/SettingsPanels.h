// STAND-IN until the settings panels land: the bottom panel pnBottom.
#pragma once

#include <QWidget>

#include "encoder/EncoderSettings.h"

struct ProgramState;
class QComboBox;

class SettingsPanels : public QWidget {
  Q_OBJECT
 public:
  SettingsPanels(ProgramState& state, QWidget* parent);
  void PrepareControls();
  void SetDefaultParams();
  EncoderSettings ReadSettings() const;
  void WriteSettings(const EncoderSettings& settings);
  void ApplyEnableRules();
  void SetLang();
  void SetPanelsEnabled(bool enabled);
  QWidget* pnLeft() const { return left_; }
  QWidget* pnAudio() const { return audio_; }
  QWidget* pnRight() const { return right_; }

 signals:
  void settingChanged();
  void infoRequested();

 private:
  ProgramState& state_;
  QWidget* left_;
  QWidget* audio_;
  QWidget* right_;
  QComboBox* cbOutFormat_;
  EncoderSettings settings_;
};
