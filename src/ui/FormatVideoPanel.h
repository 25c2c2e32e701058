// The left column of the settings: the output format and the video settings.
#pragma once

#include <QWidget>

#include "encoder/EncoderSettings.h"
#include "texts/Language.h"

class QComboBox;
class QGroupBox;
class QLabel;

class FormatVideoPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FormatVideoPanel(QWidget* parent);

  // Fills the format list and the video presets.
  void FillLists();
  void Read(EncoderSettings& settings) const;
  void Write(const EncoderSettings& settings);
  void SetLang(UiLanguage lang);

  QLabel* lblOutputFormat;
  QGroupBox* gbOutputFormat;
  QComboBox* cbOutFormat;
  QGroupBox* gbAviVideoOptions;
  QLabel* lblAviVideoBitrate;
  QComboBox* cbAviVideoBitrate;
  QLabel* lblAviVideoKbps;
  QLabel* lblAviVideoFPS;
  QComboBox* cbAviVideoFPS;
};
