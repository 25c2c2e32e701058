#include "platform/OutputPieces.h"

#include <algorithm>
#include <cstring>

namespace vardeno {

OutputPieces::OutputPieces(std::vector<std::string>* outputList, const OutputLineHandler& handler,
                           ChildProcess child)
    : outputList_(outputList), handler_(handler), child_(child) {
  piece_.reserve(kMaxPieceLength);
}

void OutputPieces::Feed(const char* data, std::size_t size) {
  const char* next = data;
  const char* const end = data + size;
  // The next CR and LF at or after `next`, found with memchr and kept until passed, so each
  // byte is scanned once per kind even in long lines.
  const char* nextCr = nullptr;
  const char* nextLf = nullptr;
  const auto find = [end](const char* from, char c) {
    const void* hit = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return hit ? static_cast<const char*>(hit) : end;
  };
  while (next < end) {
    if (!nextCr || nextCr < next) nextCr = find(next, '\r');
    if (!nextLf || nextLf < next) nextLf = find(next, '\n');
    const char* const stop = std::min(nextCr, nextLf);
    if (stop > next) afterCarriageReturn_ = false;
    while (next < stop) {
      const std::size_t take = std::min(kMaxPieceLength - piece_.size(), static_cast<std::size_t>(stop - next));
      piece_.append(next, take);
      next += take;
      if (piece_.size() == kMaxPieceLength) {
        newLine_ = true;
        Deliver();
      }
    }
    if (stop < end) {
      if (*stop == '\r') {
        Deliver();
        afterCarriageReturn_ = true;
      } else {
        if (!afterCarriageReturn_) Deliver();
        newLine_ = true;
        afterCarriageReturn_ = false;
      }
      next = stop + 1;
    }
  }
}

void OutputPieces::Deliver() {
  if (outputList_) {
    // The list may be empty when the mark is clear: a handler can delete entries. The piece is
    // then kept as a new entry rather than lost.
    if (newLine_ || outputList_->empty()) {
      outputList_->push_back(piece_);
    } else {
      outputList_->back() = piece_;
    }
  }
  newLine_ = false;
  if (handler_) handler_(child_, piece_);
  piece_.clear();
}

}  // namespace vardeno
