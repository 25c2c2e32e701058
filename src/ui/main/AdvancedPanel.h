// The right column of the settings: a scroll area with cropping, resolution, the size limit,
// the time limits and the additional encoder parameters with their "INFO" button.
#pragma once

#include <QWidget>

#include "encoder/EncoderSettings.h"
#include "encoder/ResolutionList.h"
#include "texts/Language.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace vardeno {

class SubtitlesBox;

class AdvancedPanel : public QWidget {
  Q_OBJECT
 public:
  explicit AdvancedPanel(QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // Fills the resolution and size-unit lists and selects the first resolution.
  void FillLists(const ResolutionList& resolutions);
  void Read(EncoderSettings& settings) const;
  void Write(const EncoderSettings& settings);
  // Texts of the column; entry 1 of the resolution list takes its text from resolutions.
  void SetLang(UiLanguage lang, const ResolutionList& resolutions);

  // Why the subtitle choice is disabled ("" when it is not).
  void SetSubtitlesUnavailableReason(const QString& reason);

 signals:
  // Another resolution entry, or another subtitle choice, was chosen.
  void resolutionChanged();
  void subtitlesChanged();
  // The size limit's or either time limit's box was ticked or cleared.
  void sizeLimitToggled();
  void timeLimitToggled();
  // The "INFO" button beside the additional parameters was clicked.
  void encoderInfoClicked();

 private:
  QLabel* lblAdvancedSettings;
  QScrollArea* sboxAdvanced;

  QGroupBox* gbCropping;
  QLabel* lblCropTop;
  QSpinBox* edCropTop;
  QLabel* lblCropBottom;
  QSpinBox* edCropBottom;
  QLabel* lblCropLeft;
  QSpinBox* edCropLeft;
  QLabel* lblCropRight;
  QSpinBox* edCropRight;

  QGroupBox* gbResolution;
  QComboBox* cbResolution;
  QLabel* lblResWidth;
  QSpinBox* edResWidth;
  QLabel* lblResX;
  QLabel* lblResHeight;
  QSpinBox* edResHeight;

  QCheckBox* chSizeLimit;
  QLineEdit* edSizeLimit;
  QComboBox* cbSizeLimitUnit;

  QGroupBox* gbTimeLimits;
  QCheckBox* chTimeLimitDuration;
  QLabel* lblTimeLimitDH;
  QSpinBox* edTimeLimitDH;
  QLabel* lblTimeLimitDM;
  QSpinBox* edTimeLimitDM;
  QLabel* lblTimeLimitDS;
  QSpinBox* edTimeLimitDS;
  QCheckBox* chTimeLimitStart;
  QLabel* lblTimeLimitSH;
  QSpinBox* edTimeLimitSH;
  QLabel* lblTimeLimitSM;
  QSpinBox* edTimeLimitSM;
  QLabel* lblTimeLimitSS;
  QSpinBox* edTimeLimitSS;

  SubtitlesBox* gbSubtitles;

  QGroupBox* gbParams;
  QPlainTextEdit* meParams;
  QPushButton* btnInfo_ffmpeg;

  QWidget* BuildCropping(QWidget* parent);
  QWidget* BuildResolution(QWidget* parent);
  QWidget* BuildSizeLimit(QWidget* parent);
  QWidget* BuildTimeLimits(QWidget* parent);
  QWidget* BuildParams(QWidget* parent);
};

}  // namespace vardeno
