// The frame preview: one frame of the selected file as the source has it and as the output will
// have it with the current crop, size and subtitles (at the output's own pixel size, and on the
// chosen player's screen, where letterboxing shows). The encoder makes the frames on a thread of
// its own; the window keeps its pictures until new ones are ready, and changes made meanwhile are
// gathered into one more run, never a queue of them.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

#include "conversion/FramePreview.h"
#include "player/PlayerLimits.h"

class QDoubleSpinBox;
class QLabel;
class QSlider;
class QThread;

namespace vardeno {

class FramePreviewWindow : public QDialog {
  Q_OBJECT
 public:
  // What to preview now (file, settings, encoder; not the position), or nullopt with no file
  // selected. Called on the window's thread when a frame is to be made.
  using RequestSource = std::function<std::optional<FramePreviewRequest>()>;
  // The player chosen now; its screen is shown beside the output (none for PlayerId::None).
  using PlayerSource = std::function<PlayerId()>;
  FramePreviewWindow(RequestSource source, QWidget* parent, PlayerSource player = {});
  ~FramePreviewWindow() override;

  void SetLang(UiLanguage lang);
  // Shows the window and makes the frames of the selected file.
  void ShowPreview();
  // The settings or the selected file may have changed: makes the frames again (the position is
  // kept for the same file; another file starts at a tenth of its length).
  void Refresh();
  // True while the encoder makes frames (for tests).
  bool Busy() const { return worker_ != nullptr; }

 signals:
  // New pictures (or a reason) are shown.
  void previewShown();

 private:
  void Start();
  void Finished(const FramePreview& preview, const std::string& input);
  void ShowImages();
  void PositionChosen(double seconds);
  std::optional<ScreenSize> Screen() const;

  RequestSource source_;
  PlayerSource player_;
  UiLanguage lang_ = UiLanguage::English;
  QThread* worker_ = nullptr;
  bool pending_ = false;
  std::string file_;          // the file the pictures are of
  double position_ = -1;      // seconds; below 0: a tenth of the duration
  QImage sourceImage_;
  QImage outputImage_;

  QLabel* lblFile;
  QLabel* lblPosition;
  QSlider* tbPosition;
  QDoubleSpinBox* edPosition;
  QLabel* lblSource;
  QLabel* imgSource;
  QLabel* lblOutput;
  QLabel* imgOutput;
  QLabel* lblPlayer;
  QLabel* imgPlayer;
  QLabel* lblStatus;
};

}  // namespace vardeno
