// Which generation of the encoder program runs: the classic 2009 build (libavcodec 52)
// or a modern FFmpeg. Argument pieces are built classic and adapted for a modern encoder.
#pragma once

namespace vardeno {

enum class EncoderGeneration { Classic, Modern };

}  // namespace vardeno
