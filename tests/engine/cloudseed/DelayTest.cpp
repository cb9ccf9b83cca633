#include "engine/cloudseed/ModulatedDelay.h"
#include "engine/cloudseed/MultitapDelay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using Cloudseed::ModulatedDelay;
using Cloudseed::MultitapDelay;

namespace
{
// A delay reads at its construction distance of 100 until its first update at the ninth sample,
// then at the distance its owner set; a distance of 0 reads the sample just written.
TEST(ModulatedDelay, ReadsAtItsFirstDistanceUntilTheNinthSample)
{
  const int distances[] = {0, 1, 50, 120};
  for (int distance : distances)
  {
    auto delay = std::make_unique<ModulatedDelay>();
    delay->sampleDelay = distance;
    std::vector<float> x(300), y(300);
    for (size_t i = 0; i < x.size(); ++i)
      x[i] = static_cast<float>(i + 1);
    delay->Process(x.data(), y.data(), 150);
    delay->Process(x.data() + 150, y.data() + 150, 150);

    for (int i = 0; i < 300; ++i)
    {
      const int back = i < 8 ? 100 : distance;
      const float expected = i - back >= 0 ? x[i - back] : 0.0f;
      ASSERT_EQ(y[i], expected) << "distance " << distance << " sample " << i;
    }
  }
}

TEST(ModulatedDelay, ModulatedReadsInterpolateBetweenNeighbours)
{
  auto delay = std::make_unique<ModulatedDelay>();
  delay->sampleDelay = 40;
  delay->modAmount = 10.0f;
  delay->modRate = 1.0f / 512.0f;
  std::vector<float> x(2048), y(2048);
  for (size_t i = 0; i < x.size(); ++i)
    x[i] = static_cast<float>(i);
  delay->Process(x.data(), y.data(), 2048);
  // A ramp read anywhere between 30 and 51 samples back lies between those two values.
  for (int i = 100; i < 2048; ++i)
  {
    EXPECT_GE(y[i], x[i] - 51.0f) << i;
    EXPECT_LE(y[i], x[i] - 29.0f) << i;
  }
}

TEST(MultitapDelay, NewDelayHasOneTapNearATenth)
{
  auto taps = std::make_unique<MultitapDelay>();
  EXPECT_EQ(taps->count, 1);
  EXPECT_EQ(taps->length, 1000.0f);
  EXPECT_GT(taps->tapGains[0], 0.0f);
  EXPECT_NEAR(taps->tapGains[0], std::pow(10.0, (22695478.0 / 4294967296.0) - 1.0), 1e-6);
}

// The impulse response has one echo per tap; decay 0 weights every tap alike, decay 1 fades
// them towards exp(-3.3) at the end of the length.
TEST(MultitapDelay, TapsFollowTheirPositionsGainsAndEnvelope)
{
  const float decays[] = {0.0f, 1.0f, 0.4f};
  for (float decay : decays)
  {
    auto taps = std::make_unique<MultitapDelay>();
    taps->seed = 333;
    taps->RebuildTable();
    taps->count = 6;
    taps->length = 600.0f;
    taps->decay = decay;
    std::vector<float> x(700, 0.0f), y(700);
    x[0] = 1.0f;
    taps->Process(x.data(), y.data(), 700);

    const float scale = (2.0f * decay + 1.0f) * 3.0f / std::sqrt(7.0f);
    std::vector<float> expected(700, 0.0f);
    for (int t = 0; t < 6; ++t)
    {
      const float p = taps->tapPositions[t] * (600.0f / 6.0f);
      const float e = std::exp(-3.3f * p / 600.0f) * decay + (1.0f - decay);
      expected[static_cast<int>(p)] += taps->tapGains[t] * e * scale;
      if (decay == 0.0f)
      {
        EXPECT_EQ(e, 1.0f);
      }
    }
    for (int i = 0; i < 700; ++i)
      EXPECT_NEAR(y[i], expected[i], 1e-6) << "decay " << decay << " sample " << i;
  }
}

TEST(MultitapDelay, NoTapsGiveSilence)
{
  auto taps = std::make_unique<MultitapDelay>();
  taps->count = 0;
  std::vector<float> x(64, 1.0f), y(64, 5.0f);
  taps->Process(x.data(), y.data(), 64);
  for (float v : y)
    EXPECT_EQ(v, 0.0f);
}
} // namespace
