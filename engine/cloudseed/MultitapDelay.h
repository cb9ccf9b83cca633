#pragma once

#include <cstdint>
#include <vector>

namespace Cloudseed
{

// Early reflections: up to 256 taps spread over `length` with seeded positions and gains.
class MultitapDelay
{
public:
  static constexpr int kBufferSize = 384000;
  static constexpr int kMaxTaps = 256;
  static constexpr int kTableSize = kMaxTaps * 3;

  MultitapDelay();

  void Process(const float* in, float* out, int n);
  // Rebuilds the table from seed and crossSeed, then the taps.
  void RebuildTable();
  // Tap gains and positions from the table.
  void UpdateTaps();
  void ClearBuffer();

  float buffer[kBufferSize] = {};
  float tapGains[kMaxTaps] = {};
  float tapPositions[kMaxTaps] = {};
  std::vector<float> seedValues;
  int32_t writeIndex = 0;
  int32_t seed = 0;
  float crossSeed = 0.0f;
  int32_t count = 1;
  float length = 1000.0f; // samples
  float decay = 1.0f;
};

} // namespace Cloudseed
