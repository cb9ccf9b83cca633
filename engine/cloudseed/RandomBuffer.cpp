#include "engine/cloudseed/RandomBuffer.h"

#include <cstddef>

namespace Cloudseed
{
namespace
{
constexpr float kTwoPowMinus32 = 2.3283064365386963e-10f;

struct Sequence
{
  uint64_t x;

  float Next()
  {
    x = x * 22695477ull + 1ull;
    return static_cast<float>(static_cast<uint32_t>(x)) * kTwoPowMinus32;
  }
};
} // namespace

void RandomBuffer::Generate(uint64_t seed, int count, std::vector<float>& out)
{
  out.clear();
  if (count < 1)
    return;
  out.resize(static_cast<std::size_t>(count));
  Sequence a{seed};
  for (float& value : out)
    value = a.Next();
}

void RandomBuffer::Generate(uint64_t seed, int count, float crossSeed, std::vector<float>& out)
{
  out.clear();
  if (count < 1)
    return;
  out.resize(static_cast<std::size_t>(count));
  Sequence a{seed};
  Sequence b{~seed};
  for (float& value : out)
  {
    const float va = a.Next();
    const float vb = b.Next();
    value = va * (1.0f - crossSeed) + vb * crossSeed;
  }
}

} // namespace Cloudseed
