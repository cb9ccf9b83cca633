#include "engine/CloudSeedSpace.h"
#include "engine/SpaceSettings.h"
#include "tests/engine/support/EngineRender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using brimvale::engine::BrimvaleEngine;
using brimvale::engine::ComputeSpaceSettings;
using brimvale::engine::SpaceSettings;
using namespace Cloudseed;
using namespace enginetest;

namespace
{
struct Expected
{
  int id;
  double normalised;
  double channel;
  double tolerance;
};

// The 45 settings at the default Size 0.78 and Decay 8.5 (d = 8.4 / 11.9).
TEST(SpaceSettings, DefaultControls)
{
  const double s = 0.78, d = 8.4 / 11.9;
  const Expected table[] = {
    {Interpolation, 1, 1, 0},
    {LowCutEnabled, 1, 1, 0},
    {HighCutEnabled, 1, 1, 0},
    {InputMix, 0.26 * s + 0.18, 0.26 * s + 0.18, 1e-12},
    {LowCut, 0.34, 122.37, 1e-9},
    {HighCut, 0.36 * s + 0.54, 400 + 19600 * (std::pow(2.0, 4 * (0.36 * s + 0.54)) - 1) / 15, 1e-9},
    {DryOut, 0, -30, 0},
    {EarlyOut, 0.22 * s + 0.18, 30 * (0.22 * s + 0.18) - 30, 1e-12},
    {LateOut, 0.36 * s + 0.52, 30 * (0.36 * s + 0.52) - 30, 1e-12},
    {TapEnabled, 0, 0, 0},
    {TapCount, 0.2, 52, 0},
    {TapDecay, 0.78, 0.78, 0},
    {TapPredelay, 0.02, 2.618, 1e-3},
    {TapLength, 0.82, 821.8, 1e-9},
    {EarlyDiffuseEnabled, 1, 1, 0},
    {EarlyDiffuseCount, 0.32 * s + 0.34, 8, 1e-12},
    {EarlyDiffuseDelay, 0.3 * s + 0.2, 10 + 90 * (0.3 * s + 0.2), 1e-9},
    {EarlyDiffuseModAmount, 0.12 * s + 0.08, 2.5 * (0.12 * s + 0.08), 1e-12},
    {EarlyDiffuseFeedback, 0.28 * d + 0.58, 0.28 * d + 0.58, 1e-12},
    {EarlyDiffuseModRate, 0.16, 0.0550, 1e-4},
    {LateMode, 1, 1, 0},
    {LateLineCount, 0.28 * s + 0.72, 12, 1e-12},
    {LateDiffuseEnabled, 1, 1, 0},
    {LateDiffuseCount, 0.34 * s + 0.52, 7, 1e-12},
    {LateLineSize, 0.62 * s + 0.3, 375.5, 0.1},
    {LateLineModAmount, 0.22 * s + 0.12, 2.5 * (0.22 * s + 0.12), 1e-12},
    {LateDiffuseDelay, 0.28 * s + 0.18, 10 + 90 * (0.28 * s + 0.18), 1e-9},
    {LateDiffuseModAmount, 0.18 * s + 0.1, 2.5 * (0.18 * s + 0.1), 1e-12},
    {LateLineDecay, 0.72 * d + 0.12, 4.59, 0.01},
    {LateLineModRate, 0.14 * s + 0.12, 5 * (std::pow(10.0, 2 * (0.14 * s + 0.12)) - 1) / 99, 1e-12},
    {LateDiffuseFeedback, 0.22 * d + 0.68, 0.22 * d + 0.68, 1e-12},
    {LateDiffuseModRate, 0.16 * s + 0.08, 5 * (std::pow(10.0, 2 * (0.16 * s + 0.08)) - 1) / 99, 1e-12},
    {EqLowShelfEnabled, 0, 0, 0},
    {EqHighShelfEnabled, 0, 0, 0},
    {EqLowpassEnabled, 1, 1, 0},
    {EqLowFreq, 0.34, 163.9086, 1e-9},
    {EqHighFreq, 0.62, 6383.1943, 1e-9},
    {EqCutoff, 0.24 * s + 0.72, 400 + 19600 * (std::pow(2.0, 4 * (0.24 * s + 0.72)) - 1) / 15, 1e-9},
    {EqLowGain, 0.48, -10.4, 1e-12},
    {EqHighGain, 0.7, -6.0, 1e-12},
    {EqCrossSeed, 0.55, 0.55, 0},
    {SeedTap, 0.334, 333, 0},
    {SeedDiffusion, 0.185, 184, 0},
    {SeedDelay, 0.218, 217, 0},
    {SeedPostDiffusion, 0.365, 364, 0},
  };
  ASSERT_EQ(std::size(table), static_cast<size_t>(Count));
  const SpaceSettings settings = ComputeSpaceSettings(0.78, 8.5);
  for (const Expected& e : table)
  {
    EXPECT_NEAR(settings[e.id].normalised, e.normalised, 1e-12) << "id " << e.id;
    EXPECT_NEAR(settings[e.id].channel, e.channel, e.tolerance) << "id " << e.id;
  }
}

TEST(SpaceSettings, ExtremesOfSizeAndDecay)
{
  struct Case
  {
    double size, decay;
    double inputMix, earlyDb, lateDb, lateDecay;
    int lines, lateStages, earlyStages;
    double earlyFeedback, lateFeedback;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
    {0.0, 0.1, 0.18, -24.6, -14.4, 0.127, 9, 5, 5, 0.58, 0.68},
    {-2.0, -1.0, 0.18, -24.6, -14.4, 0.127, 9, 5, 5, 0.58, 0.68},
    {nan, nan, 0.18, -24.6, -14.4, 0.127, 9, 5, 5, 0.58, 0.68},
    {1.0, 12.0, 0.44, -18.0, -3.6, 19.86, 12, 7, 8, 0.86, 0.9},
    {5.0, 40.0, 0.44, -18.0, -3.6, 19.86, 12, 7, 8, 0.86, 0.9},
  };
  for (const Case& c : cases)
  {
    const SpaceSettings v = ComputeSpaceSettings(c.size, c.decay);
    const std::string what = std::to_string(c.size) + " / " + std::to_string(c.decay);
    EXPECT_NEAR(v[InputMix].channel, c.inputMix, 1e-12) << what;
    EXPECT_NEAR(v[InputMix].normalised / 2.0, c.inputMix / 2.0, 1e-12) << what << " (cross-feed)";
    EXPECT_NEAR(v[EarlyOut].channel, c.earlyDb, 1e-9) << what;
    EXPECT_NEAR(v[LateOut].channel, c.lateDb, 1e-9) << what;
    EXPECT_NEAR(v[LateLineDecay].channel, c.lateDecay, 0.005) << what;
    EXPECT_EQ(v[LateLineCount].channel, c.lines) << what;
    EXPECT_EQ(v[LateDiffuseCount].channel, c.lateStages) << what;
    EXPECT_EQ(v[EarlyDiffuseCount].channel, c.earlyStages) << what;
    EXPECT_NEAR(v[EarlyDiffuseFeedback].channel, c.earlyFeedback, 1e-12) << what;
    EXPECT_NEAR(v[LateDiffuseFeedback].channel, c.lateFeedback, 1e-12) << what;
  }
}

class SpaceStage : public ::testing::Test
{
protected:
  TempFolder folder;
  const std::string path = folder.Write("pad.wav", StereoSineWav(48000, 24000, 180.0, 270.0, 0.6));
};

// Every block stores the normalised values and gives each channel its channel value, also after
// the controls move.
TEST_F(SpaceStage, BlocksApplyTheCurrentControls)
{
  auto engine = MakeEngine(48000.0, path, path);
  BrimvaleEngine::Params params;
  for (double size : {0.78, 0.3, 0.3, 0.3, 0.9})
  {
    params.spaceSize = size;
    params.spaceDecay = 2.0 + size;
    Render(*engine, params, 1, 64);
    const SpaceSettings expected = ComputeSpaceSettings(size, 2.0 + size);
    const BrimvaleEngine::CloudSeedSpace& space = *engine->GetSpace();
    for (int id = 0; id < Count; ++id)
    {
      ASSERT_EQ(space.values[id], expected[id].normalised) << id;
      ASSERT_EQ(space.left.GetParameter(id), expected[id].channel) << id;
      ASSERT_EQ(space.right.GetParameter(id), expected[id].channel) << id;
    }
  }
}

TEST_F(SpaceStage, NewRateClearsTheTail)
{
  BrimvaleEngine::Params playing;
  playing.spaceMix = 1.0;
  BrimvaleEngine::Params stopped = playing;
  stopped.playA = stopped.playB = false; // the samples stay loaded, so the reverb keeps running

  auto keeps = MakeEngine(44100.0, path, path);
  auto changes = MakeEngine(44100.0, path, path);
  Render(*keeps, playing, 40, 512);
  Render(*changes, playing, 40, 512);
  changes->Reset(48000.0);
  EXPECT_GT(Rms(Render(*keeps, stopped, 4, 512).left), 1e-4) << "the tail rings on";
  const StereoOutput after = Render(*changes, stopped, 4, 512);
  EXPECT_EQ(Rms(after.left) + Rms(after.right), 0.0);
}

TEST_F(SpaceStage, MixAndWidthShapeTheOutput)
{
  BrimvaleEngine::Params params;
  std::vector<double> previous;
  for (double mix : {0.0, 0.42, 1.0})
  {
    params.spaceMix = mix;
    const StereoOutput out = Render(*MakeEngine(48000.0, path, path), params, 10, 512);
    EXPECT_NE(out.left, previous) << mix;
    previous = out.left;
  }
  // Width 0 folds the reverb to its mid: with all wet and a centred dry, both sides agree.
  params.spaceMix = 1.0;
  params.spaceWidth = 0.0;
  const StereoOutput mono = Render(*MakeEngine(48000.0, path, path), params, 10, 512);
  EXPECT_GT(Rms(mono.left), 1e-3);
  for (size_t i = 0; i < mono.left.size(); ++i)
    ASSERT_EQ(mono.left[i], mono.right[i]) << i;
}
} // namespace
