#include "engine/cloudseed/RandomBuffer.h"

#include <gtest/gtest.h>

#include <cmath>

using Cloudseed::RandomBuffer;

namespace
{
constexpr double kTwoPowMinus32 = 1.0 / 4294967296.0;

TEST(RandomBuffer, FirstValuesFollowTheSequenceFromTheSeed)
{
  std::vector<float> values;
  RandomBuffer::Generate(0, 3, values);
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0], static_cast<float>(kTwoPowMinus32));
  EXPECT_EQ(values[1], static_cast<float>((22695477.0 + 1.0) * kTwoPowMinus32));
  // x = 22695478 * 22695477 + 1, low 32 bits
  const uint64_t x = 22695478ull * 22695477ull + 1ull;
  EXPECT_EQ(values[2], static_cast<float>(static_cast<uint32_t>(x)) * static_cast<float>(kTwoPowMinus32));
}

TEST(RandomBuffer, ValuesStayWithinZeroAndOne)
{
  std::vector<float> values;
  RandomBuffer::Generate(0x123456789abcdefull, 5000, 0.3f, values);
  for (float v : values)
  {
    EXPECT_GE(v, 0.0f);
    EXPECT_LE(v, 1.0f);
  }
}

TEST(RandomBuffer, CrossSeedBlendsTheSequenceOfTheInvertedSeed)
{
  const uint64_t seeds[] = {0, 1, 333, static_cast<uint64_t>(-5)};
  for (uint64_t seed : seeds)
  {
    std::vector<float> plain, inverted, crossZero, crossOne, crossHalf;
    RandomBuffer::Generate(seed, 36, plain);
    RandomBuffer::Generate(~seed, 36, inverted);
    RandomBuffer::Generate(seed, 36, 0.0f, crossZero);
    RandomBuffer::Generate(seed, 36, 1.0f, crossOne);
    RandomBuffer::Generate(seed, 36, 0.5f, crossHalf);
    EXPECT_EQ(crossZero, plain) << seed;
    EXPECT_EQ(crossOne, inverted) << seed;
    for (size_t i = 0; i < plain.size(); ++i)
      EXPECT_EQ(crossHalf[i], plain[i] * 0.5f + inverted[i] * 0.5f) << seed << " " << i;
  }
}

TEST(RandomBuffer, CountBelowOneGivesAnEmptyTable)
{
  std::vector<float> values(4, 1.0f);
  RandomBuffer::Generate(7, 0, 0.5f, values);
  EXPECT_TRUE(values.empty());
  RandomBuffer::Generate(7, -3, values);
  EXPECT_TRUE(values.empty());
}

TEST(RandomBuffer, RefillingKeepsTheTablesMemory)
{
  std::vector<float> values;
  values.reserve(36);
  const float* before = values.data();
  for (uint64_t seed = 0; seed < 10; ++seed)
    RandomBuffer::Generate(seed, 36, 0.55f, values);
  EXPECT_EQ(values.data(), before);
}
} // namespace
