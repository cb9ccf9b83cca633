#include "engine/cloudseed/ModulatedAllpass.h"
#include "engine/cloudseed/RingIndex.h"
#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Cloudseed
{
namespace
{
constexpr float kTwoPi = 2.0f * static_cast<float>(brimvale::utility::kPi);
constexpr int kSize = ModulatedAllpass::kBufferSize;
constexpr int kUpdateInterval = 8;

// The farthest modulated read: a distance d reads at its whole part and one beyond, which must not
// reach past the buffer, so d is held to kSize; at kSize itself the read is wholly the farther one.
constexpr float kMaxModulatedDelay = static_cast<float>(kSize);

using Ring = RingIndex<kSize>;

// n samples at fixed read distances. When the reads lie at least a segment behind the write and no
// index wraps inside it, a segment's samples do not depend on each other and are computed side by
// side; the arithmetic per sample is the same either way.
template <bool Interpolate>
void RunAllpass(float* buffer, int& idx, int distanceA, int distanceB, float gA, float gB, float fb, const float* input,
                float* output, int n)
{
  int ra = Ring::Wrap(idx - distanceA);
  int rb = Ring::Wrap(idx - distanceB);
  int i = 0;
  const bool farEnough = distanceA >= kUpdateInterval && (!Interpolate || distanceB >= kUpdateInterval);
  while (farEnough && n - i >= kUpdateInterval && idx + kUpdateInterval <= kSize && ra + kUpdateInterval <= kSize &&
         (!Interpolate || rb + kUpdateInterval <= kSize))
  {
    float in[kUpdateInterval], a[kUpdateInterval], b[kUpdateInterval], v[kUpdateInterval], out[kUpdateInterval];
    std::memcpy(in, input + i, sizeof(in));
    std::memcpy(a, buffer + ra, sizeof(a));
    if (Interpolate)
      std::memcpy(b, buffer + rb, sizeof(b));
    for (int k = 0; k < kUpdateInterval; ++k)
    {
      const float r = Interpolate ? a[k] * gA + b[k] * gB : a[k];
      v[k] = in[k] + r * fb;
      out[k] = r - v[k] * fb;
    }
    std::memcpy(buffer + idx, v, sizeof(v));
    std::memcpy(output + i, out, sizeof(out));
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
} // namespace

void ModulatedAllpass::ProcessWithMod(const float* input, float* output, int n)
{
  for (int done = 0; done < n; done += kMaxChunk)
    ProcessChunkWithMod(input + done, output + done, std::min(kMaxChunk, n - done));
}

void ModulatedAllpass::ProcessChunkWithMod(const float* input, float* output, int n)
{
  // Every update of the chunk is known in advance: its phase, its sine and its read distances are
  // worked out for all updates in one run each (where the calls overlap and the arithmetic goes
  // side by side), and the samples then run in the pieces between the updates.
  constexpr int kMaxUpdates = kMaxChunk / kUpdateInterval + 1;
  float sines[kMaxUpdates];
  int32_t distances[kMaxUpdates];
  float gainsA[kMaxUpdates];
  float gainsB[kMaxUpdates];

  // A counter at or past the interval (also after a run without modulation) updates at once.
  const int first = samplesProcessed >= kUpdateInterval ? 0 : kUpdateInterval - static_cast<int>(samplesProcessed);
  int updates = 0;
  for (int at = first; at < n; at += kUpdateInterval)
  {
    modPhase += modRate * 8;
    if (modPhase > 1.0f)
      modPhase = modPhase - static_cast<float>(static_cast<int64_t>(modPhase));
    sines[updates++] = modPhase;
  }
  for (int u = 0; u < updates; ++u)
    sines[u] = std::sin(kTwoPi * sines[u]);

  if (updates > 0 && modAmount >= sampleDelay)
    modAmount = static_cast<float>(sampleDelay - 1);
  for (int u = 0; u < updates; ++u)
  {
    float d = sampleDelay + sines[u] * modAmount;
    if (d <= 0.0f)
      d = 1.0f;
    // Only a sample rate far above what the buffer was sized for reaches this limit.
    d = std::min(d, kMaxModulatedDelay);
    distances[u] = std::min(static_cast<int32_t>(d), kSize - 1);
    const float fraction = d - static_cast<float>(distances[u]);
    gainsA[u] = 1.0f - fraction;
    gainsB[u] = fraction;
  }

  int idx = index;
  int u = 0;
  for (int i = 0; i < n;)
  {
    if (samplesProcessed >= kUpdateInterval)
    {
      delayA = distances[u];
      delayB = distances[u] + 1;
      gainA = gainsA[u];
      gainB = gainsB[u];
      ++u;
      samplesProcessed = 0;
    }
    const int piece = std::min(n - i, kUpdateInterval - static_cast<int>(samplesProcessed));
    if (interpolationEnabled)
      RunAllpass<true>(buffer, idx, delayA, delayB, gainA, gainB, feedback, input + i, output + i, piece);
    else
      RunAllpass<false>(buffer, idx, delayA, delayB, gainA, gainB, feedback, input + i, output + i, piece);
    samplesProcessed += static_cast<uint64_t>(piece);
    i += piece;
  }
  index = idx;
}

void ModulatedAllpass::ProcessNoMod(const float* input, float* output, int n)
{
  if (n < 1)
    return;
  const int distance = std::clamp(sampleDelay, 0, kSize);
  int idx = index;
  RunAllpass<false>(buffer, idx, distance, distance, 1.0f, 0.0f, feedback, input, output, n);
  index = idx;
  samplesProcessed += static_cast<uint64_t>(n);
}

void ModulatedAllpass::ClearBuffer()
{
  std::memset(buffer, 0, sizeof(buffer));
}

} // namespace Cloudseed
