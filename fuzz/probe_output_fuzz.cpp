// The probe's reading of the encoder's "-i" output, for both encoder generations, with the output
// cut into entries by the runner's piece splitter as a real probe is: the record's texts stay
// within their sizes and its numbers within their ranges, whatever the encoder (or a wrapper, or
// a broken build) printed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/OutputPieces.h"
#include "probe/Probe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
  FuzzedDataProvider input(data, size);
  const EncoderGeneration generation = input.ConsumeBool() ? EncoderGeneration::Modern : EncoderGeneration::Classic;
  const std::string output = input.ConsumeRemainingBytesAsString();

  std::vector<std::string> lines;
  const OutputLineHandler noHandler;
  OutputPieces pieces(&lines, noHandler, ChildProcess{});
  pieces.Feed(output.data(), output.size());
  pieces.Deliver();

  MediaProbe probe;
  probe.FileName = "/media/clip.avi";
  ParseProbeOutput(lines, generation, probe);
  FUZZ_CHECK(probe.FileName == "/media/clip.avi");
  // A character is at most four bytes of UTF-8.
  FUZZ_CHECK(probe.DurationText.size() <= 4 * kProbeShortTextMax);
  FUZZ_CHECK(probe.AudioCodec.size() <= 4 * kProbeShortTextMax);
  FUZZ_CHECK(probe.VideoCodec.size() <= 4 * kProbeShortTextMax);
  FUZZ_CHECK(probe.Container.size() <= 4 * kProbeLongTextMax);
  FUZZ_CHECK(probe.VideoProfile.size() <= 4 * kProbeLongTextMax);
  FUZZ_CHECK(probe.AudioProfile.size() <= 4 * kProbeLongTextMax);
  FUZZ_CHECK(probe.PixelFormat.size() <= 4 * kProbeShortTextMax);
  FUZZ_CHECK(probe.ChannelLayout.size() <= 4 * kProbeShortTextMax);
  FUZZ_CHECK(probe.VideoBitrate >= 0 && probe.AudioBitrate >= 0 && probe.TotalBitrate >= 0);
  FUZZ_CHECK(probe.SampleRate >= 0 && probe.Channels >= 0);
  FUZZ_CHECK(probe.Duration >= 0);
  FUZZ_CHECK(probe.FrameCount >= 0);
  FUZZ_CHECK(probe.FrameRate == probe.FrameRate);  // never NaN
  for (const StreamLine& stream : probe.Streams) {
    FUZZ_CHECK(stream.Text.size() <= 4 * kStreamTextMax);
    FUZZ_CHECK(stream.Present || stream.Text.empty());
  }
  return 0;
}
