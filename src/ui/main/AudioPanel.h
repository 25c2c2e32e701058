// The middle column of the settings: audio bitrate, sampling rate, volume and the copy box.
#pragma once

#include <QWidget>

#include "encoder/EncoderSettings.h"
#include "texts/Language.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSlider;

namespace vardeno {

class AudioPanel : public QWidget {
  Q_OBJECT
 public:
  explicit AudioPanel(QWidget* parent);

  // Fills the bitrate and sampling lists and selects the first entry of each.
  void FillLists();
  void Read(EncoderSettings& settings) const;
  void Write(const EncoderSettings& settings);
  void SetLang(UiLanguage lang);

 signals:
  // chAudioDontCopy was ticked or cleared.
  void copyChoiceChanged();

 private:
  QLabel* lblAudioSettings;
  QGroupBox* gbAudioOptions;
  QLabel* lblAudioBitrate;
  QComboBox* cbAudioBitrate;
  QLabel* lblAudioKbps;
  QLabel* lblAudioSampling;
  QComboBox* cbAudioSampling;
  QLabel* lblAudioHz;
  QLabel* lblAudioVolumeInfo;
  QSlider* tbAudioVolume;
  QLabel* lblAudioVolume;
  QCheckBox* chAudioDontCopy;

  // Shows the slider's value as "N %", whoever moved it.
  void tbAudioVolumeChange(int value);
};

}  // namespace vardeno
