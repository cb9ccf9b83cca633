#include "engine/BrimvaleEngine.h"
#include "engine/CloudSeedSpace.h"
#include "tests/engine/support/EngineRender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using brimvale::engine::BrimvaleEngine;
using brimvale::engine::LfoShape;
using namespace enginetest;

namespace
{
class EngineModel : public ::testing::Test
{
protected:
  TempFolder folder;
  const std::string pathA = folder.Write("a.wav", StereoSineWav(48000, 4800, 220.0, 330.0, 0.6));
  const std::string pathB = folder.Write("b.wav", StereoSineWav(44100, 3000, 550.0, 440.0, 0.6));
};

TEST_F(EngineModel, NewEngineIsSilentWithNoSamples)
{
  auto engine = std::make_unique<BrimvaleEngine>();
  EXPECT_EQ(engine->GetSampleA().name, "No sample");
  EXPECT_EQ(engine->GetSampleB().name, "No sample");
  EXPECT_EQ(engine->GetSampleRate(), 44100.0);
  EXPECT_EQ(engine->GetSpaceRate(), 0);

  std::vector<double> left(256, 9.0), right(256, 9.0), extra(256, 9.0);
  double* outputs[3] = {left.data(), right.data(), extra.data()};
  engine->ProcessBlock(outputs, 3, 256, BrimvaleEngine::Params{});
  for (int i = 0; i < 256; ++i)
    ASSERT_TRUE(left[i] == 0.0 && right[i] == 0.0 && extra[i] == 0.0) << i;
  EXPECT_EQ(engine->GetSpace(), nullptr);
}

TEST_F(EngineModel, ResetSetsTheEngineAndReverbRates)
{
  struct Case
  {
    double rate;
    double engineRate;
    int reverbRate;
  };
  const Case cases[] = {
    {0.0, 1000.0, 1000},
    {999.9, 1000.0, 1000},
    {48000.0, 48000.0, 48000},
    {44100.4, 44100.4, 44100},
    {44100.5, 44100.5, 44101},
    {-5.0, 1000.0, 1000},
    {std::numeric_limits<double>::quiet_NaN(), 1000.0, 1000},
  };
  auto engine = std::make_unique<BrimvaleEngine>();
  const BrimvaleEngine::CloudSeedSpace* space = nullptr;
  for (const Case& c : cases)
  {
    engine->Reset(c.rate);
    EXPECT_EQ(engine->GetSampleRate(), c.engineRate) << c.rate;
    EXPECT_EQ(engine->GetSpaceRate(), c.reverbRate) << c.rate;
    ASSERT_NE(engine->GetSpace(), nullptr);
    EXPECT_EQ(engine->GetSpace()->rate, c.reverbRate);
    if (space)
    {
      EXPECT_EQ(engine->GetSpace(), space) << "the Space record is made once";
    }
    space = engine->GetSpace();
  }
}

TEST_F(EngineModel, ResetStartsTheLfosAQuarterCycleApart)
{
  auto engine = MakeEngine(48000.0, pathA, pathB);
  Render(*engine, BrimvaleEngine::Params{}, 3, 128);
  engine->Reset(48000.0);
  EXPECT_EQ(engine->GetLfoA().phase, 0.0);
  EXPECT_EQ(engine->GetLfoB().phase, 0.25);
  EXPECT_EQ(engine->GetLfoA().seed, 0x18273645u);
  EXPECT_EQ(engine->GetLfoB().seed, 0x91827364u);
  EXPECT_FALSE(engine->GetLfoA().randomReady);
  EXPECT_FALSE(engine->GetLfoB().gliderReady);
  EXPECT_EQ(engine->GetSampleA().name, "a.wav") << "Reset keeps the samples";
}

TEST_F(EngineModel, TwoResetsFollowedByTheSameBlocksSoundTheSame)
{
  BrimvaleEngine::Params params;
  params.motionAShape = static_cast<int32_t>(LfoShape::kRandom);
  params.motionBShape = static_cast<int32_t>(LfoShape::kGlider);
  params.motionARate = 15.0;
  auto engine = MakeEngine(48000.0, pathA, pathB);
  const StereoOutput first = Render(*engine, params, 6, 500);
  engine->Reset(48000.0);
  const StereoOutput second = Render(*engine, params, 6, 500);
  EXPECT_EQ(first.left, second.left);
  EXPECT_EQ(first.right, second.right);
}

TEST_F(EngineModel, ClearingOneLayerLeavesTheOtherPlaying)
{
  auto engine = MakeEngine(48000.0, pathA, pathB);
  BrimvaleEngine::Params params;
  params.spaceMix = 0.0;
  Render(*engine, params, 4, 256);
  engine->ClearSampleA();
  EXPECT_EQ(engine->GetSampleA().name, "No sample");
  EXPECT_TRUE(engine->GetSampleA().left.empty());
  EXPECT_EQ(engine->GetSampleA().sampleRate, 44100.0);
  EXPECT_EQ(engine->GetSampleB().name, "b.wav");
  EXPECT_GT(Rms(Render(*engine, params, 4, 256).left), 0.01);
}

TEST_F(EngineModel, ClearingBothLayersSilencesEvenTheReverbTail)
{
  auto engine = MakeEngine(48000.0, pathA, pathB);
  BrimvaleEngine::Params params;
  params.spaceMix = 1.0;
  Render(*engine, params, 20, 512);
  params.playA = params.playB = false; // the layers stop; their samples stay and the tail rings
  EXPECT_GT(Rms(Render(*engine, params, 1, 512).left), 1e-4);
  engine->ClearSamples();
  const StereoOutput after = Render(*engine, params, 2, 512);
  for (size_t i = 0; i < after.left.size(); ++i)
    ASSERT_TRUE(after.left[i] == 0.0 && after.right[i] == 0.0) << i;
  EXPECT_EQ(engine->GetSampleB().name, "No sample");
}

// Channel 0 is the left mix, channel 1 the right, any further channel silence; a single channel
// gets the left mix alone.
TEST_F(EngineModel, ChannelCountsDecideWhatIsWritten)
{
  const StereoOutput stereo = Render(*MakeEngine(48000.0, pathA, pathB), BrimvaleEngine::Params{}, 1, 128);
  for (int channels : {0, 1, 2, 4})
  {
    auto engine = MakeEngine(48000.0, pathA, pathB);
    std::vector<std::vector<double>> buffers(4, std::vector<double>(128, 7.0));
    double* outputs[4] = {buffers[0].data(), buffers[1].data(), buffers[2].data(), buffers[3].data()};
    engine->ProcessBlock(outputs, channels, 128, BrimvaleEngine::Params{});
    for (int c = 0; c < 4; ++c)
    {
      std::vector<double> expected(128, 7.0);
      if (c == 0 && channels >= 1)
        expected = stereo.left;
      else if (c == 1 && channels >= 2)
        expected = stereo.right;
      else if (c < channels)
        expected.assign(128, 0.0);
      EXPECT_EQ(buffers[c], expected) << channels << " channels, channel " << c;
    }
  }
}

} // namespace
