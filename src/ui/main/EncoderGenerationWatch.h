// The encoder's generation for the main window's controls, learnt off the GUI thread: asking
// "-version" of an encoder takes tens of milliseconds (far more on a cold disk), too long to hold
// up the window's first appearance. Asking for an encoder not known yet starts a detection on a
// thread of its own and answers "not known yet"; generationKnown() follows, on the GUI thread,
// when the answer is in.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "encoder/EncoderGeneration.h"

class QThread;

class EncoderGenerationWatch : public QObject {
  Q_OBJECT
 public:
  // detect runs on the watch's own thread, one encoder at a time; it must be safe to call there.
  using Detect = std::function<EncoderGeneration(const std::string& encoderPath)>;
  explicit EncoderGenerationWatch(Detect detect, QObject* parent = nullptr);
  // Waits for a detection under way (it ends with its encoder's answer or the runner's time-out).
  ~EncoderGenerationWatch() override;

  // The generation learnt for encoderPath, or nothing yet (a detection is then under way or
  // queued behind the one that is). Never runs the encoder on the calling thread.
  std::optional<EncoderGeneration> Known(const std::string& encoderPath);

 signals:
  // A detection has ended: Known() answers for one more encoder.
  void generationKnown();

 private:
  void StartNext();
  void DetectionEnded();

  Detect detect_;
  std::map<std::string, EncoderGeneration> known_;
  std::optional<std::string> wanted_;  // the latest encoder asked for and not known
  QThread* worker_ = nullptr;
  std::string detecting_;
  EncoderGeneration detected_ = EncoderGeneration::Modern;  // written by worker_, read after it ends
};
