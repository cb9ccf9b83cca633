#pragma once

// The arithmetic of the modulated allpass stages, shared by a stage running alone and a diffuser
// running all its stages together.

#include "engine/cloudseed/Float4.h"
#include "engine/cloudseed/ModulatedAllpass.h"
#include "engine/cloudseed/ModulationSine.h"
#include "engine/cloudseed/ReferenceBuild.h"
#include "engine/cloudseed/RingIndex.h"

#include <cstdint>
#include <cstring>

namespace Cloudseed
{
namespace allpass
{
constexpr int kSize = ModulatedAllpass::kBufferSize;
constexpr int kUpdateInterval = 8; // samples between modulation updates
constexpr int kReadsAtOnce = 8;    // updates whose reads are worked out side by side

// The farthest modulated read: a distance d reads at its whole part and one beyond, which must not
// reach past the buffer, so d is held to kSize; at kSize itself the read is wholly the farther one.
constexpr float kMaxModulatedDelay = static_cast<float>(kSize);

using Ring = RingIndex<kSize>;

// The reads of eight updates: 1 where the swayed delay is not above 0, at most the buffer length.
inline __attribute__((always_inline)) void AllpassReads(const float* phases, float sampleDelay, float modAmount,
                                                        int32_t* distances, float* gainsA, float* gainsB)
{
  // Only a sample rate far above what the buffer was sized for reaches the longest.
  ModulatedReads(phases, sampleDelay, modAmount, 1.0f, kMaxModulatedDelay, kSize - 1, distances, gainsA, gainsB);
}

// n samples at fixed read distances. When the reads lie at least a segment behind the write and no
// index wraps inside it, a segment's samples do not depend on each other and are computed all at
// once; the arithmetic per sample is the same either way.
template <bool Interpolate>
inline __attribute__((always_inline)) void RunAllpass(float* buffer, int& idx, int distanceA, int distanceB, float gA,
                                                      float gB, float fb, const float* input, float* output, int n)
{
  int ra = Ring::Wrap(idx - distanceA);
  int rb = Ring::Wrap(idx - distanceB);
  int i = 0;
  const bool farEnough = kSideBySide && distanceA >= kUpdateInterval && (!Interpolate || distanceB >= kUpdateInterval);
  while (farEnough && n - i >= kUpdateInterval && idx + kUpdateInterval <= kSize && ra + kUpdateInterval <= kSize &&
         (!Interpolate || rb + kUpdateInterval <= kSize))
  {
    static_assert(kUpdateInterval == 8, "a segment is one Float8");
    Float8 a, b, x;
    std::memcpy(&a, buffer + ra, sizeof(a));
    if (Interpolate)
      std::memcpy(&b, buffer + rb, sizeof(b));
    std::memcpy(&x, input + i, sizeof(x));
    const Float8 r = Interpolate ? a * gA + b * gB : a;
    const Float8 v = x + r * fb;
    const Float8 out = r - v * fb;
    std::memcpy(buffer + idx, &v, sizeof(v));
    std::memcpy(output + i, &out, sizeof(out));
    i += kUpdateInterval;
    idx = Ring::Forward(idx, kUpdateInterval);
    ra = Ring::Forward(ra, kUpdateInterval);
    rb = Ring::Forward(rb, kUpdateInterval);
  }
  for (; i < n; ++i)
  {
    const float r = Interpolate ? buffer[ra] * gA + buffer[rb] * gB : buffer[ra];
    const float v = input[i] + r * fb;
    buffer[idx] = v;
    output[i] = r - v * fb;
    idx = Ring::Advance(idx);
    ra = Ring::Advance(ra);
    rb = Ring::Advance(rb);
  }
}
} // namespace allpass
} // namespace Cloudseed
