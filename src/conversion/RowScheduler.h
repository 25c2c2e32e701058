// How a conversion run ends, and how it hands its checked rows to code that converts several at once.
#pragma once

#include <string>

#include "conversion/ConversionRequest.h"
#include "conversion/ConversionView.h"
#include "conversion/EncoderAccess.h"
#include "encoder/ArgumentBuilder.h"
#include "encoder/EncoderGeneration.h"

namespace vardeno {

enum class RunEnd {
  Completed,          // the loop ran (possibly aborted or with failures)
  InvalidSizeLimit,   // the size limit is not a number
  NoEncoder,          // no encoder program found
  RefusedSettings,    // an argument builder refused a value
  MissingCodec,       // the encoder program cannot encode the chosen format
  MissingFilter,      // subtitles are asked for, but the encoder program cannot draw them
  NoCheckedFiles,
  CannotCreateDir,    // the output folder could not be made
  SystemFailure,      // the encoder could not be started, or the script not written
};

// What a run hands to the code that works through its checked rows, once the settings, the
// encoder and the argument pieces are known and RunState is filled (FileCount, AudioOnly, the
// time limits).
struct RowsContext {
  const ConversionRequest& request;
  const std::string& encoderPath;
  EncoderGeneration generation;
  const ArgumentPieces& pieces;
  ConversionState& state;
  EncoderAccess& encoder;
  ConversionView& view;
};

// Works through the checked rows of a conversion (not of a batch-mode run) in some other way than
// one after another, with the per-row steps of conversion/RowSteps.h. Rows it processes end with
// ConversionView::RowFinished; a row whose encoder could not be started ends the run by a
// SystemError thrown from RunRows.
class RowScheduler {
 public:
  virtual ~RowScheduler() = default;
  // RunEnd::Completed, or RunEnd::CannotCreateDir when the output folder could not be used.
  virtual RunEnd RunRows(const RowsContext& context) = 0;
};

}  // namespace vardeno
