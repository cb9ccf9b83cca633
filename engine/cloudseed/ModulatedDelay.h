#pragma once

#include "engine/cloudseed/ModulationPhase.h"

#include <cstdint>

namespace Cloudseed
{

// A long delay whose read distance can sway; the pre-delay and the delay of every late line.
class ModulatedDelay
{
public:
  static constexpr int kBufferSize = 384000; // eight seconds at 48 kHz

  // n samples from input to output (the two may be the same buffer).
  void Process(const float* input, float* output, int n);
  void ClearBuffer();
  // Asks the processor to fetch what the next n samples read and write (see ModulatedAllpass).
  void Prefetch(int n) const;

  float buffer[kBufferSize] = {};
  int32_t writeIndex = 0;
  int32_t readIndexA = kBufferSize - 100;
  int32_t readIndexB = kBufferSize - 101;
  uint64_t samplesProcessed = 0;
  float modPhase = ModulationPhase::kDefault;
  float gainA = 1.0f;
  float gainB = 0.0f;
  int32_t sampleDelay = 100;
  float modAmount = 0.0f;
  float modRate = 0.0f; // cycles per sample

  // At most kMaxChunk samples; inlined into a baseline and a wide build.
  inline __attribute__((always_inline)) void ProcessChunk(const float* input, float* output, int n);

private:
  static constexpr int kMaxChunk = 1024;
};

} // namespace Cloudseed
