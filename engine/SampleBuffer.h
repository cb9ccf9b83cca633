#pragma once

#include <string>
#include <vector>

// One loaded sample: one value per frame and channel in -1..1 (a mono file fills both channels
// alike), the rate it was recorded at and its display name. Empty channels: no sample.
struct SampleBuffer
{
  std::vector<float> left;
  std::vector<float> right;
  double sampleRate = 44100.0;
  std::string name = "No sample";
};
