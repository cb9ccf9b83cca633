// Checks a block path of the reverb against a plain one-sample-at-a-time version of the same
// stage: noise input, fed in uneven block lengths over more samples than the delay buffers hold.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace blockorder
{

inline std::vector<float> Noise(int total, uint32_t seed)
{
  std::vector<float> x(static_cast<size_t>(total));
  for (float& v : x)
  {
    seed = seed * 1664525u + 1013904223u;
    v = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
  }
  return x;
}

// process(in, out, n) runs the stage under test over one block.
template <typename Process>
std::vector<float> InUnevenBlocks(const std::vector<float>& x, Process process)
{
  const int blockLengths[] = {1024, 7, 513, 64, 1, 200};
  const int total = static_cast<int>(x.size());
  std::vector<float> y(x.size());
  for (int at = 0, b = 0; at < total; b = (b + 1) % 6)
  {
    const int n = std::min(blockLengths[b], total - at);
    process(x.data() + at, y.data() + at, n);
    at += n;
  }
  return y;
}

// reference.Step(x) is the stage's one-sample order; the first mismatches are reported by label.
template <typename Reference>
void ExpectSameAsSampleBySample(const std::vector<float>& x, const std::vector<float>& y, Reference& reference,
                                const std::string& label)
{
  int mismatches = 0;
  for (size_t i = 0; i < x.size(); ++i)
  {
    const float expected = reference.Step(x[i]);
    if (std::fabs(y[i] - expected) > 1e-5f && ++mismatches <= 3)
      ADD_FAILURE() << label << " sample " << i << ": " << y[i] << " instead of " << expected;
  }
  EXPECT_EQ(mismatches, 0) << label;
}

} // namespace blockorder
