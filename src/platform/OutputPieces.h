// Cuts a child's output stream into pieces the way a console shows it: a carriage return ends
// (delivers) a piece; a line feed right after a carriage return only marks that the next piece
// starts a new list entry; a line feed after anything else (a line ended the POSIX way, by LF
// alone) delivers the piece and then sets that mark, just as CR LF would; and a piece is
// delivered on its own when it reaches kMaxPieceLength characters.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/ProcessRunner.h"

namespace vardeno {

inline constexpr std::size_t kMaxPieceLength = 10240;
inline constexpr std::size_t kPipeReadSize = 10241;

class OutputPieces {
 public:
  OutputPieces(std::vector<std::string>* outputList, const OutputLineHandler& handler, ChildProcess child);
  // Takes the next bytes of the stream, in order; may deliver any number of pieces.
  void Feed(const char* data, std::size_t size);
  // Delivers the piece collected so far, even when it is empty.
  void Deliver();

 private:
  std::vector<std::string>* outputList_;
  const OutputLineHandler& handler_;
  ChildProcess child_;
  std::string piece_;
  bool newLine_ = true;
  bool afterCarriageReturn_ = false;  // the last byte fed was CR (it may end the previous Feed)
};

}  // namespace vardeno
