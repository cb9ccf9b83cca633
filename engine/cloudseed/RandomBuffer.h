#pragma once

#include <cstdint>
#include <vector>

namespace Cloudseed
{

// Seeded tables that spread delay times, gains and rates. The tables are refilled in place so an
// owner whose table already has room never allocates.
class RandomBuffer
{
public:
  // count values in 0..1 from a 64-bit linear congruential sequence started at seed.
  static void Generate(uint64_t seed, int count, std::vector<float>& out);

  // The sequence of seed blended with the sequence of ~seed: crossSeed 0 gives the first, 1 the second.
  static void Generate(uint64_t seed, int count, float crossSeed, std::vector<float>& out);
};

} // namespace Cloudseed
