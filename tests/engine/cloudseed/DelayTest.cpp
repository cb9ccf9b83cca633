#include "engine/cloudseed/ModulatedDelay.h"
#include "engine/cloudseed/ModulationSine.h"
#include "engine/cloudseed/MultitapDelay.h"
#include "tests/engine/cloudseed/BlockOrderCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
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

// The delay written as a plain loop, one sample after the other: update every eighth sample,
// write, read, advance. It takes the delay's own sine (checked on its own in ModulationSineTest):
// a distance of hundreds of samples is a float a few 1e-5 apart from its neighbours, so any other
// sine would move some reads by that step.
struct SampleBySampleDelay
{
  static constexpr int32_t kSize = ModulatedDelay::kBufferSize;

  float Step(float in)
  {
    if (counter >= 8)
    {
      phase += modRate * 8;
      if (phase > 1.0f)
        phase -= static_cast<float>(static_cast<int64_t>(phase));
      const float d = sampleDelay + Cloudseed::SinTwoPi(phase) * modAmount;
      const int32_t k = static_cast<int32_t>(d);
      gainA = 1.0f - (d - k);
      gainB = d - k;
      readA = (write - k + kSize) % kSize;
      readB = (write - k - 1 + kSize) % kSize;
      counter = 0;
    }
    buffer[write] = in;
    const float out = buffer[readA] * gainA + buffer[readB] * gainB;
    write = (write + 1) % kSize;
    readA = (readA + 1) % kSize;
    readB = (readB + 1) % kSize;
    ++counter;
    return out;
  }

  std::vector<float> buffer = std::vector<float>(kSize, 0.0f);
  int32_t write = 0, readA = kSize - 100, readB = kSize - 101;
  int counter = 0;
  float phase = 0.0f, gainA = 1.0f, gainB = 0.0f;
  int32_t sampleDelay = 0;
  float modAmount = 0.0f, modRate = 0.0f;
};

// Blocks of any length give what one sample after the other gives, also at read distances
// within a few samples of the buffer's length (a high host rate with a long line), where a read
// lies just ahead of the write. The run is longer than the buffer, so those reads meet old input,
// though only in its last samples; the swaying reads mid-buffer meet input all through the run.
TEST(ModulatedDelay, BlocksMatchTheSampleBySampleOrderAtEveryDistance)
{
  constexpr int32_t kSize = ModulatedDelay::kBufferSize;
  struct Case
  {
    int32_t sampleDelay;
    float modAmount;
  };
  const Case cases[] = {{kSize - 2, 0.0f}, {kSize - 3, 0.0f},  {kSize - 7, 0.0f},   {kSize - 8, 0.0f},
                        {kSize - 9, 0.0f}, {kSize - 10, 0.0f}, {kSize - 12, 10.5f}, {0, 0.0f},
                        {3, 0.0f},         {8, 0.0f},          {100, 0.0f},         {2000, 37.75f}};
  const std::vector<float> x = blockorder::Noise(kSize + 4096, 12345);

  for (const Case& c : cases)
  {
    auto delay = std::make_unique<ModulatedDelay>();
    delay->sampleDelay = c.sampleDelay;
    delay->modAmount = c.modAmount;
    delay->modRate = 1.0f / 4096.0f;
    auto reference = std::make_unique<SampleBySampleDelay>();
    reference->sampleDelay = c.sampleDelay;
    reference->modAmount = c.modAmount;
    reference->modRate = delay->modRate;
    reference->phase = delay->modPhase;

    const std::vector<float> y = blockorder::InUnevenBlocks(
      x, [&](const float* in, float* out, int n) { delay->Process(in, out, n); });
    blockorder::ExpectSameAsSampleBySample(
      x, y, *reference, "delay " + std::to_string(c.sampleDelay) + " depth " + std::to_string(c.modAmount));
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
