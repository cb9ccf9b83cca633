#include "engine/cloudseed/AllpassDiffuser.h"
#include "engine/cloudseed/ModulatedAllpass.h"
#include "tests/engine/cloudseed/BlockOrderCheck.h"
#include "utility/MathConstants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

using Cloudseed::AllpassDiffuser;
using Cloudseed::ModulatedAllpass;

namespace
{
std::vector<float> Impulse(int length, int at = 0)
{
  std::vector<float> x(length, 0.0f);
  x[at] = 1.0f;
  return x;
}

TEST(ModulatedAllpass, FixedDelayGivesTheAllpassImpulseResponse)
{
  auto stage = std::make_unique<ModulatedAllpass>();
  stage->modulationEnabled = false;
  stage->sampleDelay = 5;
  stage->feedback = 0.5f;
  const std::vector<float> x = Impulse(16);
  std::vector<float> y(x.size());
  stage->ProcessNoMod(x.data(), y.data(), static_cast<int>(x.size()));

  const float g = 0.5f;
  std::vector<float> expected(x.size(), 0.0f);
  expected[0] = -g;
  expected[5] = 1.0f - g * g;
  expected[10] = g - (g * g) * g;
  expected[15] = g * g - (g * g * g) * g;
  for (size_t i = 0; i < y.size(); ++i)
    EXPECT_FLOAT_EQ(y[i], expected[i]) << i;
}

// The first modulation update comes at the ninth sample the stage processes, whatever the
// block boundaries: an impulse 5 samples before the new distance takes effect is read at the old one.
TEST(ModulatedAllpass, FirstUpdateComesAtTheNinthSampleAcrossBlocks)
{
  const std::vector<std::vector<int>> splits = {{40}, {4, 36}, {1, 1, 7, 31}, {8, 32}};
  std::vector<float> reference;
  for (const std::vector<int>& split : splits)
  {
    auto stage = std::make_unique<ModulatedAllpass>();
    stage->sampleDelay = 5;
    stage->modAmount = 0.0f;
    stage->feedback = 0.5f;
    const std::vector<float> x = Impulse(40);
    std::vector<float> y(x.size());
    int at = 0;
    for (int n : split)
    {
      stage->ProcessWithMod(x.data() + at, y.data() + at, n);
      at += n;
    }
    EXPECT_EQ(stage->delayA, 5);
    EXPECT_FLOAT_EQ(y[0], -0.5f);
    for (size_t i = 1; i < y.size(); ++i)
      EXPECT_EQ(y[i], 0.0f) << i; // the impulse sat at distance 100 while it was due at 5
    if (reference.empty())
      reference = y;
    EXPECT_EQ(y, reference);
  }
}

TEST(ModulatedAllpass, ModulationDepthIsHeldBelowTheDelay)
{
  const float depths[] = {10.0f, 50.0f, 1e6f};
  for (float depth : depths)
  {
    auto stage = std::make_unique<ModulatedAllpass>();
    stage->sampleDelay = 10;
    stage->modAmount = depth;
    stage->modRate = 0.01f;
    std::vector<float> x(64, 0.25f), y(64);
    stage->ProcessWithMod(x.data(), y.data(), 64);
    EXPECT_EQ(stage->modAmount, 9.0f) << depth;
    EXPECT_GE(stage->delayA, 1);
    EXPECT_LE(stage->delayB, 20);
  }
}

TEST(ModulatedAllpass, ExtremeDelaysStayInsideTheBuffer)
{
  // Settings a sample rate far above 192 kHz could produce: every read must stay in the memory.
  auto stage = std::make_unique<ModulatedAllpass>();
  stage->sampleDelay = 40000;
  stage->modAmount = 30000.0f;
  stage->modRate = 0.001f;
  std::vector<float> x(4096, 0.1f), y(4096);
  stage->ProcessWithMod(x.data(), y.data(), 4096);
  EXPECT_LE(stage->delayB, ModulatedAllpass::kBufferSize);
  stage->ProcessNoMod(x.data(), y.data(), 4096);
  for (float v : y)
    EXPECT_TRUE(std::isfinite(v));
}

// The stage written as a plain loop, one sample after the other: update every eighth sample,
// read, write, advance.
struct SampleBySampleAllpass
{
  static constexpr int32_t kSize = ModulatedAllpass::kBufferSize;

  float Step(float in)
  {
    int32_t distanceA = sampleDelay, distanceB = sampleDelay;
    if (modulated)
    {
      if (counter >= 8)
      {
        phase += modRate * 8;
        if (phase > 1.0f)
          phase -= static_cast<float>(static_cast<int64_t>(phase));
        if (modAmount >= sampleDelay)
          modAmount = static_cast<float>(sampleDelay - 1);
        float d = sampleDelay + std::sin(brimvale::utility::kTwoPiFloat * phase) * modAmount;
        if (d <= 0.0f)
          d = 1.0f;
        delayA = static_cast<int32_t>(d);
        gainA = 1.0f - (d - delayA);
        gainB = d - delayA;
        counter = 1;
      }
      else
      {
        ++counter;
      }
      distanceA = delayA;
      distanceB = delayA + 1;
    }
    const float a = buffer[(index - distanceA + kSize) % kSize];
    const float b = buffer[(index - distanceB + kSize) % kSize];
    const float r = modulated && interpolate ? a * gainA + b * gainB : a;
    const float v = in + r * feedback;
    buffer[index] = v;
    index = (index + 1) % kSize;
    return r - v * feedback;
  }

  std::vector<float> buffer = std::vector<float>(kSize, 0.0f);
  int32_t index = kSize - 1, delayA = 100;
  int counter = 0;
  float phase = 0.0f, gainA = 1.0f, gainB = 0.0f;
  int32_t sampleDelay = 0;
  float modAmount = 0.0f, modRate = 0.0f, feedback = 0.5f;
  bool modulated = true, interpolate = true;
};

// Blocks give what one sample after the other gives, at read distances near the write and near
// the buffer's length, with and without modulation and interpolation.
TEST(ModulatedAllpass, BlocksMatchTheSampleBySampleOrderAtEveryDistance)
{
  constexpr int32_t kSize = ModulatedAllpass::kBufferSize;
  struct Case
  {
    int32_t sampleDelay;
    float modAmount;
    bool modulated, interpolate;
  };
  const Case cases[] = {{kSize - 1, 0.75f, true, true}, {kSize - 1, 0.0f, true, true},   {kSize - 4, 3.0f, true, true},
                        {kSize - 8, 0.0f, true, false}, {5, 0.0f, true, true},           {8, 2.5f, true, true},
                        {kSize, 0.0f, false, false},    {kSize - 3, 0.0f, false, false}, {7, 0.0f, false, false}};
  const std::vector<float> x = blockorder::Noise(kSize + 4096, 54321);

  for (const Case& c : cases)
  {
    auto stage = std::make_unique<ModulatedAllpass>();
    stage->sampleDelay = c.sampleDelay;
    stage->modAmount = c.modAmount;
    stage->modRate = 1.0f / 1024.0f;
    stage->interpolationEnabled = c.interpolate;
    auto reference = std::make_unique<SampleBySampleAllpass>();
    reference->sampleDelay = c.sampleDelay;
    reference->modAmount = c.modAmount;
    reference->modRate = stage->modRate;
    reference->phase = stage->modPhase;
    reference->modulated = c.modulated;
    reference->interpolate = c.interpolate;

    const std::vector<float> y = blockorder::InUnevenBlocks(x, [&](const float* in, float* out, int n) {
      if (c.modulated)
        stage->ProcessWithMod(in, out, n);
      else
        stage->ProcessNoMod(in, out, n);
    });
    blockorder::ExpectSameAsSampleBySample(
      x, y, *reference, "delay " + std::to_string(c.sampleDelay) + " depth " + std::to_string(c.modAmount));
  }
}

// The diffuser is its stages in series: stage 0 always, then stages 1 .. stages - 1.
TEST(AllpassDiffuser, RunsItsFirstStagesInSeries)
{
  const int counts[] = {0, 1, 5, 12, 40};
  for (int count : counts)
  {
    auto diffuser = std::make_unique<AllpassDiffuser>();
    diffuser->delay = 300;
    diffuser->Update();
    diffuser->SetModRate(0.7f);
    diffuser->stages = count;
    for (int i = 0; i < AllpassDiffuser::kMaxStages; ++i)
    {
      diffuser->filters[i].feedback = 0.6f;
      diffuser->filters[i].modAmount = 3.0f;
      diffuser->filters[i].modulationEnabled = (i % 2) == 0;
    }
    std::vector<ModulatedAllpass> chain(diffuser->filters, diffuser->filters + AllpassDiffuser::kMaxStages);

    std::vector<float> x(700);
    for (size_t i = 0; i < x.size(); ++i)
      x[i] = static_cast<float>((i * 37 % 101) / 101.0 - 0.5);
    std::vector<float> y(x.size());
    diffuser->Process(x.data(), y.data(), static_cast<int>(x.size()));

    std::vector<float> expected = x;
    const int used = std::min(std::max(count, 1), AllpassDiffuser::kMaxStages);
    for (int i = 0; i < used; ++i)
    {
      if (chain[i].modulationEnabled)
        chain[i].ProcessWithMod(expected.data(), expected.data(), static_cast<int>(expected.size()));
      else
        chain[i].ProcessNoMod(expected.data(), expected.data(), static_cast<int>(expected.size()));
    }
    EXPECT_EQ(y, expected) << "stages " << count;
  }
}

TEST(AllpassDiffuser, SpreadsTheDelayAndRateOverTheStages)
{
  const int seeds[] = {1, 184, 23456, -7};
  for (int seed : seeds)
  {
    auto diffuser = std::make_unique<AllpassDiffuser>();
    diffuser->delay = 2000;
    diffuser->SetSeed(seed);
    diffuser->sampleRate = 48000;
    diffuser->SetModRate(2.0f);
    for (const ModulatedAllpass& stage : diffuser->filters)
    {
      EXPECT_GE(stage.sampleDelay, 200) << seed;
      EXPECT_LE(stage.sampleDelay, 2000) << seed;
      EXPECT_GE(stage.modRate, 0.85f * 2.0f / 48000.0f * 0.9999f) << seed;
      EXPECT_LE(stage.modRate, 1.15f * 2.0f / 48000.0f * 1.0001f) << seed;
    }
  }
}
} // namespace
