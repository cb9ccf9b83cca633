#include "engine/cloudseed/ModulatedDelay.h"
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
constexpr int32_t kSize = ModulatedDelay::kBufferSize;
constexpr int kUpdateInterval = 8;

// A distance d reads at its whole part k and at k + 1, so d beyond kSize - 1 would leave the
// buffer; the owner's settings stay inside, but a setting made for an extreme sample rate must not
// reach foreign memory. At kSize - 1 itself the read is wholly the farther of the two.
constexpr float kMaxDistance = static_cast<float>(kSize - 1);

using Ring = RingIndex<kSize>;

// Whether the reads of a piece from r touch none of the positions the piece writes from w, so that
// writing all of them first gives what one sample after the other gives. A distance within a piece
// of the buffer's length reads just ahead of the write, which the piece would overwrite.
bool ReadsClearOfWrites(int32_t w, int32_t r)
{
  const int32_t distance = Ring::Wrap(w - r);
  return distance >= kUpdateInterval && distance <= kSize - kUpdateInterval;
}
} // namespace

inline void ModulatedDelay::UpdateModulation()
{
  modPhase += modRate * 8;
  if (modPhase > 1.0f)
    modPhase = modPhase - static_cast<float>(static_cast<int64_t>(modPhase));

  const float d = std::clamp(sampleDelay + std::sin(kTwoPi * modPhase) * modAmount, 0.0f, kMaxDistance);
  const int32_t k = std::min(static_cast<int32_t>(d), kSize - 2);
  gainA = 1.0f - (d - static_cast<float>(k));
  gainB = d - static_cast<float>(k);
  readIndexA = Ring::Wrap(writeIndex - k);
  readIndexB = Ring::Wrap(writeIndex - k - 1);
}

void ModulatedDelay::Process(const float* input, float* output, int n)
{
  // The read positions move with the write position and jump only at an update, every eighth
  // sample. A piece whose reads lie clear of its writes and that crosses no wrap is computed side
  // by side, with the same arithmetic per sample.
  int32_t w = writeIndex, ra = readIndexA, rb = readIndexB;
  for (int i = 0; i < n;)
  {
    if (samplesProcessed >= kUpdateInterval)
    {
      writeIndex = w;
      UpdateModulation();
      ra = readIndexA;
      rb = readIndexB;
      samplesProcessed = 0;
    }
    const int piece = std::min(n - i, kUpdateInterval - static_cast<int>(samplesProcessed));
    const float gA = gainA, gB = gainB;
    if (piece == kUpdateInterval && w + piece <= kSize && ra + piece <= kSize && rb + piece <= kSize &&
        ReadsClearOfWrites(w, ra) && ReadsClearOfWrites(w, rb))
    {
      float a[kUpdateInterval], b[kUpdateInterval], out[kUpdateInterval];
      std::memcpy(buffer + w, input + i, sizeof(float) * kUpdateInterval);
      std::memcpy(a, buffer + ra, sizeof(a));
      std::memcpy(b, buffer + rb, sizeof(b));
      for (int k = 0; k < kUpdateInterval; ++k)
        out[k] = a[k] * gA + b[k] * gB;
      std::memcpy(output + i, out, sizeof(out));
      w = Ring::Forward(w, piece);
      ra = Ring::Forward(ra, piece);
      rb = Ring::Forward(rb, piece);
    }
    else
    {
      for (int k = 0; k < piece; ++k)
      {
        buffer[w] = input[i + k];
        output[i + k] = buffer[ra] * gA + buffer[rb] * gB;
        w = Ring::Advance(w);
        ra = Ring::Advance(ra);
        rb = Ring::Advance(rb);
      }
    }
    samplesProcessed += static_cast<uint64_t>(piece);
    i += piece;
  }
  writeIndex = w;
  readIndexA = ra;
  readIndexB = rb;
}

void ModulatedDelay::ClearBuffer()
{
  std::memset(buffer, 0, sizeof(buffer));
}

} // namespace Cloudseed
