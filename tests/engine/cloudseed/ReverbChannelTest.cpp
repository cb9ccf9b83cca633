#include "engine/cloudseed/ReverbChannel.h"
#include "engine/SpaceSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using brimvale::engine::ComputeSpaceSettings;
using brimvale::engine::SpaceSettings;
using namespace Cloudseed;

namespace
{
std::unique_ptr<ReverbChannel> DefaultSpaceChannel(ChannelLR side = Left)
{
  auto channel = std::make_unique<ReverbChannel>(48000, side);
  const SpaceSettings settings = ComputeSpaceSettings(0.78, 8.5);
  for (int id = 0; id < Count; ++id)
    channel->SetParameter(id, settings[id].channel);
  return channel;
}

std::vector<float> Noise(int n, unsigned seed)
{
  std::vector<float> x(n);
  for (int i = 0; i < n; ++i)
  {
    seed = seed * 1664525u + 1013904223u;
    x[i] = static_cast<float>(static_cast<int>(seed >> 9) - (1 << 22)) / static_cast<float>(1 << 23);
  }
  return x;
}

std::vector<float> Render(ReverbChannel& channel, const std::vector<float>& x)
{
  std::vector<float> y(x.size());
  channel.Process(x.data(), y.data(), static_cast<int>(x.size()));
  return y;
}

TEST(ReverbChannel, ChannelsBuiltAlikeSoundAlike)
{
  auto a = DefaultSpaceChannel();
  auto b = DefaultSpaceChannel();
  auto right = DefaultSpaceChannel(Right);
  const std::vector<float> x = Noise(1024, 3);
  for (int block = 0; block < 4; ++block)
  {
    const std::vector<float> ya = Render(*a, x);
    EXPECT_EQ(ya, Render(*b, x)) << block;
    EXPECT_NE(ya, Render(*right, x)) << block;
  }
}

TEST(ReverbChannel, UnknownIdsAreIgnored)
{
  auto a = DefaultSpaceChannel();
  auto b = DefaultSpaceChannel();
  for (int id : {-1, 45, 46, 1000})
  {
    b->SetParameter(id, 5.0);
    EXPECT_EQ(b->GetParameter(id), 0.0) << id;
  }
  const std::vector<float> x = Noise(800, 11);
  EXPECT_EQ(Render(*a, x), Render(*b, x));
}

// Applying a switch again: the input filters restart from rest every time; the memories behind
// the other switches are cleared only when the switch changes.
TEST(ReverbChannel, ReapplyingSwitchesClearsOnlyWhatItShould)
{
  struct Case
  {
    int id;
    std::vector<double> values;
    bool changesOutput;
  };
  const Case cases[] = {
    {LowCutEnabled, {1.0}, true},           {HighCutEnabled, {1.0}, true},      {TapEnabled, {0.0}, false},
    {EarlyDiffuseEnabled, {1.0}, false},    {LateDiffuseEnabled, {1.0}, false}, {EarlyDiffuseEnabled, {0.0, 1.0}, true},
    {LateDiffuseEnabled, {0.0, 1.0}, true},
  };
  for (const Case& c : cases)
  {
    auto twin = DefaultSpaceChannel();
    auto changed = DefaultSpaceChannel();
    // Long enough for the late lines to have filled their diffusers.
    const std::vector<float> x = Noise(1024, 5);
    for (int block = 0; block < 24; ++block)
    {
      Render(*twin, x);
      Render(*changed, x);
    }
    for (double v : c.values)
      changed->SetParameter(c.id, v);
    const std::vector<float> quiet(1024, 0.0f);
    const bool differs = Render(*twin, quiet) != Render(*changed, quiet);
    EXPECT_EQ(differs, c.changesOutput) << "id " << c.id;
  }
}

TEST(ReverbChannel, DryLevelAloneGivesTheInput)
{
  auto channel = DefaultSpaceChannel();
  channel->SetParameter(DryOut, 0.0);
  channel->SetParameter(EarlyOut, -30.0);
  channel->SetParameter(LateOut, -30.0);
  const std::vector<float> x = Noise(512, 9);
  EXPECT_EQ(Render(*channel, x), x);
}

// The late signal is the sum of the first lineCount lines, scaled by 1 / sqrt(lineCount).
TEST(ReverbChannel, LateSignalSumsTheLinesInUse)
{
  for (int lines : {1, 5, 12})
  {
    auto channel = DefaultSpaceChannel();
    for (int id : {LowCutEnabled, HighCutEnabled, EarlyDiffuseEnabled, TapEnabled})
      channel->SetParameter(id, 0.0);
    channel->SetParameter(TapPredelay, 0.0);
    channel->SetParameter(DryOut, -30.0);
    channel->SetParameter(EarlyOut, -30.0);
    channel->SetParameter(LateOut, 0.0);
    channel->SetParameter(LateLineCount, lines);
    ASSERT_EQ(channel->GetLineCount(), lines);

    std::vector<std::unique_ptr<DelayLine>> copies;
    for (int i = 0; i < lines; ++i)
      copies.push_back(std::make_unique<DelayLine>(channel->GetLine(i)));

    std::vector<float> x = Noise(600, 21);
    const std::vector<float> y = Render(*channel, x);

    std::vector<float> early = x; // the pre-delay reads 100 samples back until its first update
    std::fill(early.begin(), early.begin() + 8, 0.0f);
    std::vector<float> late(x.size(), 0.0f), lineOut(x.size());
    for (auto& line : copies)
    {
      line->Process(early.data(), lineOut.data(), static_cast<int>(early.size()));
      for (size_t i = 0; i < late.size(); ++i)
        late[i] += lineOut[i];
    }
    const float scale = 1.0f / std::sqrt(static_cast<float>(lines));
    for (size_t i = 0; i < y.size(); ++i)
      ASSERT_EQ(y[i], late[i] * scale) << "lines " << lines << " sample " << i;
  }
}

TEST(ReverbChannel, LineCountStaysWithinTheLines)
{
  auto channel = DefaultSpaceChannel();
  const std::pair<double, int> cases[] = {{0.0, 1}, {-4.0, 1}, {12.9, 12}, {99.0, 12}, {1e12, 12}, {7.5, 7}};
  for (const auto& c : cases)
  {
    channel->SetParameter(LateLineCount, c.first);
    EXPECT_EQ(channel->GetLineCount(), c.second) << c.first;
  }
  const std::vector<float> y = Render(*channel, Noise(256, 2));
  for (float v : y)
    EXPECT_TRUE(std::isfinite(v));
}

// A fresh channel holds every setting at 0, line count included: it still renders finite values.
TEST(ReverbChannel, FreshChannelRendersFiniteValues)
{
  auto channel = std::make_unique<ReverbChannel>(44100, Left);
  EXPECT_EQ(channel->GetLineCount(), 1);
  const std::vector<float> y = Render(*channel, Noise(2048, 4));
  for (float v : y)
    ASSERT_TRUE(std::isfinite(v));
}

TEST(ReverbChannel, LongBlocksAreTakenInChunksOf1024)
{
  auto whole = DefaultSpaceChannel();
  auto chunked = DefaultSpaceChannel();
  const std::vector<float> x = Noise(3000, 8);
  const std::vector<float> y = Render(*whole, x);
  std::vector<float> parts(3000);
  chunked->Process(x.data(), parts.data(), 1024);
  chunked->Process(x.data() + 1024, parts.data() + 1024, 1024);
  chunked->Process(x.data() + 2048, parts.data() + 2048, 952);
  EXPECT_EQ(y, parts);
}

// Settings applied twice in a row are a fixed point: a third application changes nothing but the
// input filters' restart, so applying just those two switches sounds the same.
TEST(ReverbChannel, SettledSettingsNeedOnlyTheInputFilterRestart)
{
  for (double size : {0.0, 0.78, 1.0})
  {
    const SpaceSettings settings = ComputeSpaceSettings(size, 3.0);
    auto full = std::make_unique<ReverbChannel>(48000, Right);
    auto settled = std::make_unique<ReverbChannel>(48000, Right);
    const std::vector<float> x = Noise(512, 17);
    for (int block = 0; block < 8; ++block)
    {
      for (int id = 0; id < Count; ++id)
        full->SetParameter(id, settings[id].channel);
      if (block < 2)
        for (int id = 0; id < Count; ++id)
          settled->SetParameter(id, settings[id].channel);
      else
        for (int id : {LowCutEnabled, HighCutEnabled})
          settled->SetParameter(id, settings[id].channel);
      ASSERT_EQ(Render(*full, x), Render(*settled, x)) << "size " << size << " block " << block;
    }
  }
}
} // namespace
