#pragma once

// The arithmetic of the modulated allpass stages, shared by a stage running alone and a diffuser
// running all its stages together.

#include "engine/cloudseed/Float4.h"
#include "engine/cloudseed/ModulatedAllpass.h"
#include "engine/cloudseed/ModulationSine.h"
#include "engine/cloudseed/ReferenceBuild.h"
#include "engine/cloudseed/RingIndex.h"

#include <cstdint>

namespace Cloudseed
{
namespace allpass
{
constexpr int kSize = ModulatedAllpass::kBufferSize;
constexpr int kUpdateInterval = 8; // samples between modulation updates

// The farthest modulated read: a distance d reads at its whole part and one beyond, which must not
// reach past the buffer, so d is held to kSize; at kSize itself the read is wholly the farther one.
constexpr float kMaxModulatedDelay = static_cast<float>(kSize);

using Ring = RingIndex<kSize>;

// The read distance and the two interpolation weights of an update at the given phase: the nominal
// delay swayed by the sine, 1 where that is not above 0, at most the buffer length.
inline void ModulatedReads(Float4 phase, Float4 sampleDelay, Float4 modAmount, Int4& distance, Float4& gainA,
                           Float4& gainB)
{
  Float4 d = sampleDelay + SinTwoPi(phase) * modAmount;
  d = d <= 0.0f ? Splat4(1.0f) : d;
  // Only a sample rate far above what the buffer was sized for reaches this limit.
  d = kMaxModulatedDelay < d ? Splat4(kMaxModulatedDelay) : d;
  const Int4 whole = Truncate4(d);
  distance = kSize - 1 < whole ? Int4{kSize - 1, kSize - 1, kSize - 1, kSize - 1} : whole;
  const Float4 fraction = d - ToFloat4(distance);
  gainA = 1.0f - fraction;
  gainB = fraction;
}

// n samples at fixed read distances. When the reads lie at least a segment behind the write and no
// index wraps inside it, a segment's samples do not depend on each other and are computed four at
// a time; the arithmetic per sample is the same either way.
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
    for (int h = 0; h < kUpdateInterval; h += 4)
    {
      const Float4 r = Interpolate ? Load4(buffer + ra + h) * gA + Load4(buffer + rb + h) * gB : Load4(buffer + ra + h);
      const Float4 v = Load4(input + i + h) + r * fb;
      Store4(buffer + idx + h, v);
      Store4(output + i + h, r - v * fb);
    }
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
