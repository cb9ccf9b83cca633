#pragma once

#include "engine/cloudseed/ModulationPhase.h"

#include <cstdint>

namespace Cloudseed
{

// One allpass stage whose delay can sway around its nominal length.
class ModulatedAllpass
{
public:
  static constexpr int kBufferSize = 19200;

  // n samples from input to output (the two may be the same buffer).
  void ProcessWithMod(const float* input, float* output, int n);
  void ProcessNoMod(const float* input, float* output, int n);
  void ClearBuffer();
  // Asks the processor to fetch the parts of the buffer that the next n samples read and write, so
  // that they arrive while other stages run: a short block touches only a few lines of each stage's
  // buffer, too few for the processor to see the pattern by itself.
  void Prefetch(int n) const;

  float buffer[kBufferSize] = {};
  int32_t index = kBufferSize - 1;
  uint64_t samplesProcessed = 0;
  float modPhase = ModulationPhase::kDefault;
  int32_t delayA = 100;
  int32_t delayB = 101;
  float gainA = 1.0f;
  float gainB = 0.0f;
  int32_t sampleDelay = 100;
  float feedback = 0.5f;
  float modAmount = 0.0f;
  float modRate = 0.0f; // cycles per sample
  bool interpolationEnabled = true;
  bool modulationEnabled = true;

  static constexpr int kMaxChunk = 1024;

  // The modulation updates that fall within a chunk of at most kMaxChunk samples, worked out ahead
  // of its samples: each update's phase, then its read distance and weights.
  struct ModulationPlan
  {
    static constexpr int kMaxUpdates = kMaxChunk / 8 + 8; // every eighth sample, and a whole last group
    int updates = 0;
    float phases[kMaxUpdates];
    int32_t distances[kMaxUpdates];
    float gainsA[kMaxUpdates];
    float gainsB[kMaxUpdates];
  };
  // ProcessWithMod of one chunk in three steps, so that a diffuser can take each step for all its
  // stages before the next: the phases (one after another), the reads (eight updates side by side),
  // then the samples.
  void PlanPhases(int n, ModulationPlan& plan);
  void PlanReads(ModulationPlan& plan);
  void RunPlanned(const float* input, float* output, int n, const ModulationPlan& plan);

  // The sample loops behind RunPlanned and ProcessNoMod, inlined into a baseline and a wide build.
  template <bool Interpolate>
  inline __attribute__((always_inline)) void RunPlannedPieces(const float* input, float* output, int n,
                                                              const ModulationPlan& plan);
  inline __attribute__((always_inline)) void RunUnmodulated(const float* input, float* output, int n);

private:
  void ProcessChunkWithMod(const float* input, float* output, int n);
};

} // namespace Cloudseed
