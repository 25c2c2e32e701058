// The progress parser behind the progress window, for both encoder generations, fed the way a
// run feeds it: the encoder's bytes arrive in reads cut at random points, the runner's piece
// splitter turns them into list entries, and the parser runs after every read. Its incremental
// results must be those of the plain full scan over a copy of the same list, every time.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "conversion/ProgressParser.h"
#include "platform/OutputPieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
  FuzzedDataProvider input(data, size);
  const EncoderGeneration generation = input.ConsumeBool() ? EncoderGeneration::Modern : EncoderGeneration::Classic;
  const UiLanguage lang = input.ConsumeBool() ? UiLanguage::Polish : UiLanguage::English;
  RunState run;
  run.FileNo = 1;
  run.FileCount = 2;
  run.AudioOnly = input.ConsumeBool();
  run.DurationLimitOn = input.ConsumeBool();
  run.DurationLimit = input.ConsumeIntegralInRange<std::int64_t>(-1, 100000);
  MediaProbe probe;
  probe.Duration = input.ConsumeIntegralInRange<std::int32_t>(0, 1000000);
  probe.FrameCount = input.ConsumeIntegralInRange<std::int32_t>(0, 100000000);

  EncoderOutputLines lines;
  const OutputLineHandler noHandler;
  OutputPieces pieces(&lines, noHandler, ChildProcess{});
  ProgressParser parser(generation);
  while (input.remaining_bytes() > 0) {
    const std::string read = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(1, 300));
    pieces.Feed(read.data(), read.size());
    if (input.remaining_bytes() == 0) pieces.Deliver();

    EncoderOutputLines copy = lines;
    const ProgressUpdate incremental = parser.Update(lines, run, probe, lang);
    const ProgressUpdate full = ScanProgressFully(copy, generation, run, probe, lang);
    FUZZ_CHECK(lines == copy);
    FUZZ_CHECK(incremental.endedEarly == full.endedEarly);
    FUZZ_CHECK(incremental.values == full.values);
    FUZZ_CHECK(incremental.totalTime == full.totalTime);
    FUZZ_CHECK(incremental.percentage == full.percentage);
    FUZZ_CHECK(incremental.statusText == full.statusText);
    FUZZ_CHECK(incremental.percentage >= 0 && incremental.percentage <= 100);
    if (!incremental.endedEarly)
      FUZZ_CHECK(incremental.paneKeepLines + incremental.paneNewLines.size() == lines.size());
  }
  return 0;
}
