// The left column of the settings: the output format and the video settings.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "encoder/EncoderSettings.h"
#include "player/PlayerId.h"
#include "texts/Language.h"

class QComboBox;
class QGroupBox;
class QLabel;

namespace vardeno {

class FormatVideoPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FormatVideoPanel(QWidget* parent);

  // Fills the format list and the video presets.
  void FillLists();
  void Read(EncoderSettings& settings) const;
  void Write(const EncoderSettings& settings);
  void SetLang(UiLanguage lang);
  // Selects the player in cbPlayer without a change signal.
  void ShowPlayer(PlayerId player);
  // The lines the player check gives before a run: the first under the format, all in its tool
  // tip; none hides the line.
  void ShowPlayerWarning(const std::vector<std::string>& lines);

 signals:
  // Another output format was chosen in cbOutFormat.
  void formatChanged();
  // Another player was chosen in cbPlayer (its position, PlayerId order).
  void playerChosen(int index);

 private:
  QLabel* lblOutputFormat;
  QGroupBox* gbOutputFormat;
  QComboBox* cbOutFormat;
  QLabel* lblPlayer;
  QComboBox* cbPlayer;  // PlayerId order: Zune 30, Zune 4-120, Zune HD, other player
  QLabel* lblPlayerWarning;
  QGroupBox* gbAviVideoOptions;
  QLabel* lblAviVideoBitrate;
  QComboBox* cbAviVideoBitrate;
  QLabel* lblAviVideoKbps;
  QLabel* lblAviVideoFPS;
  QComboBox* cbAviVideoFPS;
};

}  // namespace vardeno
