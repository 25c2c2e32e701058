// The piece cutting on its own, fed in chunks of every size, so read boundaries cannot matter.
#include "platform/OutputPieces.h"

#include <gtest/gtest.h>

namespace vardeno {

namespace {
struct Delivered {
  std::vector<std::string> list;
  std::vector<std::string> pieces;
};

Delivered FeedInChunks(const std::string& stream, size_t chunk) {
  Delivered result;
  const OutputLineHandler handler = [&](const ChildProcess&, const std::string& piece) {
    result.pieces.push_back(piece);
  };
  OutputPieces pieces(&result.list, handler, ChildProcess{1});
  for (size_t at = 0; at < stream.size(); at += chunk)
    pieces.Feed(stream.data() + at, std::min(chunk, stream.size() - at));
  pieces.Deliver();
  return result;
}
}  // namespace

TEST(OutputPieces, ChunkBoundariesDoNotChangeThePieces) {
  std::string longLine(10240 * 2 + 7, 'q');
  longLine[10239] = 'A';
  longLine[10240] = 'B';
  const std::string stream = "Input #0\r\n\r\nframe= 1\rframe= 2\r" + longLine + "\r\nLF end\n\nab";
  const Delivered whole = FeedInChunks(stream, stream.size());
  // Compared with EXPECT_TRUE: a failure would otherwise print 20 KB of 'q'.
  EXPECT_TRUE(whole.pieces == (std::vector<std::string>{"Input #0", "", "frame= 1", "frame= 2", longLine.substr(0, 10240),
                                                    longLine.substr(10240, 10240), longLine.substr(20480),
                                                    "LF end", "", "ab"}));
  EXPECT_TRUE(whole.list == (std::vector<std::string>{"Input #0", "", "frame= 2", longLine.substr(0, 10240),
                                                      longLine.substr(20480), "LF end", "", "ab"}));
  for (const size_t chunk : {1u, 2u, 3u, 7u, 10240u, 10241u}) {
    const Delivered cut = FeedInChunks(stream, chunk);
    EXPECT_TRUE(cut.pieces == whole.pieces) << chunk;
    EXPECT_TRUE(cut.list == whole.list) << chunk;
  }
}

TEST(OutputPieces, PieceOfExactlyMaxLengthIsDeliveredBeforeItsCarriageReturn) {
  const std::string line(kMaxPieceLength, 'x');
  const Delivered result = FeedInChunks(line + "\r", 4096);
  // The full piece goes out with the mark set; the CR then delivers an empty piece over it.
  EXPECT_EQ(result.pieces, (std::vector<std::string>{line, "", ""}));
  EXPECT_EQ(result.list, (std::vector<std::string>{""}));
}

}  // namespace vardeno
