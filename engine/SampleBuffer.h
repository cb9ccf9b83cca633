#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace brimvale::engine
{

// The longest sample a file may give a layer, in frames: about 46 minutes at 48 kHz, 1 GiB for the
// two channels' floats. A longer one does not load, whatever its size on disk; a 600 MB stereo file
// of 32-bit floats (75 M frames) still does.
constexpr size_t kMaxSampleFrames = size_t{1} << 27;

// One loaded sample: one value per frame and channel in -1..1 (a mono file fills both channels
// alike), the rate it was recorded at and its display name. Empty channels: no sample.
struct SampleBuffer
{
  std::vector<float> left;
  std::vector<float> right;
  double sampleRate = 44100.0;
  std::string name = "No sample";
};

} // namespace brimvale::engine
