#include "ui/main/EncoderGenerationWatch.h"

#include <QThread>

EncoderGenerationWatch::EncoderGenerationWatch(Detect detect, QObject* parent)
    : QObject(parent), detect_(std::move(detect)) {}

EncoderGenerationWatch::~EncoderGenerationWatch() {
  if (!worker_) return;
  worker_->wait();
  delete worker_;
}

std::optional<EncoderGeneration> EncoderGenerationWatch::Known(const std::string& encoderPath) {
  if (const auto found = known_.find(encoderPath); found != known_.end()) return found->second;
  wanted_ = encoderPath;
  if (!worker_) StartNext();
  return std::nullopt;
}

void EncoderGenerationWatch::StartNext() {
  if (!wanted_ || known_.count(*wanted_)) {
    wanted_.reset();
    return;
  }
  detecting_ = *wanted_;
  wanted_.reset();
  worker_ = QThread::create([this] { detected_ = detect_(detecting_); });
  // finished is sent from the worker: the connection queues DetectionEnded on this object's thread.
  connect(worker_, &QThread::finished, this, &EncoderGenerationWatch::DetectionEnded);
  worker_->start();
}

void EncoderGenerationWatch::DetectionEnded() {
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  known_[detecting_] = detected_;
  StartNext();
  emit generationKnown();
}
