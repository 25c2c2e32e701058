// A stand-in for the process runner's cutting of console output into list entries, for tests
// that replay captured encoder output: a carriage return delivers the piece so far, a line
// feed ends the line (delivering what is pending) and makes the next piece a new entry; a
// piece delivered without that mark replaces the last entry.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vardeno {

class ConsoleFeed {
 public:
  ConsoleFeed(std::vector<std::string>& lines, std::function<void()> onPiece)
      : lines_(lines), onPiece_(std::move(onPiece)) {}

  void Write(std::string_view bytes) {
    for (char c : bytes) {
      if (c == '\r') {
        Deliver();
        lastWasCr_ = true;
        continue;
      }
      if (c == '\n') {
        if (!lastWasCr_ || !piece_.empty()) Deliver();
        newLine_ = true;
      } else {
        piece_ += c;
      }
      lastWasCr_ = false;
    }
  }
  // The final delivery when the child has ended, even of an empty piece.
  void Finish() { Deliver(); }

 private:
  void Deliver() {
    if (newLine_ || lines_.empty()) {
      lines_.push_back(piece_);
    } else {
      lines_.back() = piece_;
    }
    newLine_ = false;
    piece_.clear();
    if (onPiece_) onPiece_();
  }

  std::vector<std::string>& lines_;
  std::function<void()> onPiece_;
  std::string piece_;
  bool newLine_ = true;
  bool lastWasCr_ = false;
};

}  // namespace vardeno
