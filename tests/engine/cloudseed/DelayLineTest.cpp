#include "engine/cloudseed/DelayLine.h"
#include "engine/cloudseed/RandomBuffer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Cloudseed::DelayLine;

namespace
{
std::vector<float> Ramp(int n, float start)
{
  std::vector<float> x(n);
  for (int i = 0; i < n; ++i)
    x[i] = start + 0.001f * static_cast<float>(i);
  return x;
}

// A line with every switch off and a pass-through delay: its output is in plus its own earlier
// output, fed back one chunk later through a queue of 2048 values.
std::unique_ptr<DelayLine> PlainLine(float feedback)
{
  auto line = std::make_unique<DelayLine>();
  line->delay.sampleDelay = 0;
  line->feedback = feedback;
  return line;
}

TEST(DelayLine, FeedbackReturnsOneChunkLaterInOrder)
{
  const float f = 0.5f;
  auto line = PlainLine(f);
  const std::vector<float> x1 = Ramp(1024, 0.1f), x2 = Ramp(952, -0.3f), x3 = Ramp(1024, 0.2f), x4 = Ramp(1024, 0.4f);
  std::vector<float> y1(1024), y2(952), y3(1024), y4(1024);
  line->Process(x1.data(), y1.data(), 1024);
  line->Process(x2.data(), y2.data(), 952);
  line->Process(x3.data(), y3.data(), 1024);
  line->Process(x4.data(), y4.data(), 1024);

  // The first block: no feedback yet; the delay reads 100 samples back until its first update.
  for (int i = 0; i < 1024; ++i)
    ASSERT_EQ(y1[i], i < 8 ? 0.0f : x1[i]) << i;
  for (int i = 0; i < 952; ++i)
    ASSERT_EQ(y2[i], x2[i] + y1[i] * f) << i;
  // 72 values of the first block were left in the queue, then the second block's 952.
  for (int i = 0; i < 1024; ++i)
  {
    const float fed = i < 72 ? y1[952 + i] : y2[i - 72];
    ASSERT_EQ(y3[i], x3[i] + fed * f) << i;
  }
  // The queue now holds the third block alone, across the end of its ring.
  for (int i = 0; i < 1024; ++i)
    ASSERT_EQ(y4[i], x4[i] + y3[i] * f) << i;
}

TEST(DelayLine, ClearedLineGetsNoFeedbackInItsFirstBlock)
{
  auto line = PlainLine(0.9f);
  const std::vector<float> x = Ramp(256, 0.25f);
  std::vector<float> y(256);
  for (int i = 0; i < 3; ++i)
    line->Process(x.data(), y.data(), 256);
  line->ClearBuffers();
  line->Process(x.data(), y.data(), 256);
  for (int i = 8; i < 256; ++i)
    ASSERT_EQ(y[i], x[i]) << i;
}

TEST(DelayLine, LateStageTapTakesTheOutputAfterTheFilters)
{
  for (bool late : {false, true})
  {
    auto line = PlainLine(0.0f);
    line->cutoffEnabled = true;
    line->lowpass.SetCutoffHz(500.0f);
    line->lateStageTap = late;
    const std::vector<float> x = Ramp(512, 0.5f);
    std::vector<float> y(512);
    line->Process(x.data(), y.data(), 512);

    Cloudseed::OnePoleLowpass reference(48000.0f, 500.0f);
    std::vector<float> expected(512);
    for (int i = 0; i < 512; ++i)
      expected[i] = i < 8 ? 0.0f : x[i];
    if (late)
      reference.Process(expected.data(), 512);
    EXPECT_EQ(y, expected) << late;
  }
}

TEST(DelayLine, DiffuserSeedAndModulationComeFromItsTable)
{
  auto line = std::make_unique<DelayLine>();
  line->SetDiffuserSeed(364 * 3, 0.275f);
  std::vector<float> table;
  Cloudseed::RandomBuffer::Generate(364 * 3, 36, 0.275f, table);
  EXPECT_EQ(line->diffuser.seedValues, table);

  for (float amount : {0.0f, 24.0f})
  {
    line->SetDiffuserModAmount(amount);
    for (int i = 0; i < 12; ++i)
    {
      EXPECT_EQ(line->diffuser.filters[i].modulationEnabled, amount > 0.0f);
      EXPECT_FLOAT_EQ(line->diffuser.filters[i].modAmount, (table[12 + i] * 0.3f + 0.85f) * amount);
    }
  }
}
} // namespace
