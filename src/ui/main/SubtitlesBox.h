// The advanced column's "Subtitles" group: burn in none, a file beside the video or one of the
// video's own tracks (cbSubtitles), and which track (edSubtitleTrack, 1 the first as users count;
// the setting counts from 0).
#pragma once

#include <QGroupBox>

#include "encoder/EncoderSettings.h"
#include "texts/Language.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace vardeno {

class SubtitlesBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit SubtitlesBox(QWidget* parent);
  void Read(EncoderSettings& settings) const;
  void Write(const EncoderSettings& settings);
  void SetLang(UiLanguage lang);
  // Why the choice is disabled ("" when it is not): shown as the list's tool tip.
  void SetUnavailableReason(const QString& reason);

 signals:
  // The user or the program chose another entry in cbSubtitles.
  void choiceChanged();

 private:
  QLabel* lblSubtitles;
  QComboBox* cbSubtitles;
  QLabel* lblSubtitleTrack;
  QSpinBox* edSubtitleTrack;

  UiLanguage lang_ = UiLanguage::English;
  QString reason_;
};

}  // namespace vardeno
