#include "engine/cloudseed/MultitapDelay.h"

#include "engine/cloudseed/RandomBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Cloudseed
{

MultitapDelay::MultitapDelay()
{
  seedValues.reserve(kTableSize);
  RandomBuffer::Generate(0, kTableSize, 0.0f, seedValues);
  UpdateTaps();
}

void MultitapDelay::RebuildTable()
{
  RandomBuffer::Generate(static_cast<uint64_t>(static_cast<int64_t>(seed)), kTableSize, crossSeed, seedValues);
  UpdateTaps();
}

void MultitapDelay::UpdateTaps()
{
  for (int i = 0; i < kMaxTaps; ++i)
  {
    const float r0 = seedValues[3 * i];
    const float r1 = seedValues[3 * i + 1];
    const float r2 = seedValues[3 * i + 2];
    const float gain = std::pow(10.0f, (20.0f * r1 - 20.0f) * 0.05f);
    tapGains[i] = r0 < 0.5f ? gain : -gain;
    tapPositions[i] = static_cast<float>(i) + r2;
  }
}

void MultitapDelay::Process(const float* in, float* out, int n)
{
  if (n < 1)
    return;

  const int taps = std::min(count, static_cast<int32_t>(kMaxTaps));
  // A tap never reads farther back than the buffer holds.
  const float span = std::min(length, static_cast<float>(kBufferSize - 1));
  const float step = taps >= 1 ? span / static_cast<float>(taps) : 0.0f;
  const float scale = taps >= 1 ? (2.0f * decay + 1.0f) * 3.0f / std::sqrt(static_cast<float>(taps + 1)) : 0.0f;

  int32_t offsets[kMaxTaps];
  float envelope[kMaxTaps];
  for (int t = 0; t < taps; ++t)
  {
    const float p = tapPositions[t] * step;
    offsets[t] = static_cast<int32_t>(p);
    envelope[t] = std::exp(-3.3f * p / span) * decay + (1.0f - decay);
  }

  for (int i = 0; i < n; ++i)
  {
    buffer[writeIndex] = in[i];
    float sum = 0.0f;
    for (int t = 0; t < taps; ++t)
    {
      int32_t position = writeIndex - offsets[t];
      if (position < 0)
        position += kBufferSize;
      sum += buffer[position] * tapGains[t] * envelope[t] * scale;
    }
    out[i] = sum;
    writeIndex = writeIndex + 1 < kBufferSize ? writeIndex + 1 : 0;
  }
}

void MultitapDelay::ClearBuffer()
{
  std::memset(buffer, 0, sizeof(buffer));
}

} // namespace Cloudseed
