// The hand-off from parameters to the engine on every block.
#include "tests/plugin/ObservedBrimvale.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(BrimvaleBlock, EveryParameterReachesItsEngineField)
{
  auto plug = MakeObserved();
  using P = brimvale::engine::BrimvaleEngine::Params;
  const struct
  {
    int idx;
    double value;
    double P::*field;
  } doubles[] = {
    {kSampleALevel, 1.25, &P::levelA},
    {kSampleBLevel, 0.5, &P::levelB},
    {kSampleAPan, -40.0, &P::panA},
    {kSampleBPan, 30.0, &P::panB},
    {kSampleAStart, 0.2, &P::startA},
    {kSampleBStart, 0.7, &P::startB},
    {kSampleASpeed, 0.5, &P::speedA},
    {kSampleBSpeed, 1.5, &P::speedB},
    {kSampleASemitones, -7.0, &P::semitonesA},
    {kSampleBSemitones, 12.0, &P::semitonesB},
    {kBlend, 0.1, &P::blend},
    {kBlendLfo, 0.9, &P::blendLfo},
    {kFilterCutoff, 1234.5, &P::filterCutoff},
    {kFilterResonance, 2.0, &P::filterResonance},
    {kFilterDrive, 3.0, &P::filterDrive},
    {kFilterLfoA, 0.6, &P::filterLfoA},
    {kFilterLfoB, 0.7, &P::filterLfoB},
    {kMotionARate, 3.5, &P::motionARate},
    {kMotionADepth, 0.15, &P::motionADepth},
    {kMotionBRate, 7.0, &P::motionBRate},
    {kMotionBDepth, 0.65, &P::motionBDepth},
    {kSpaceSize, 0.33, &P::spaceSize},
    {kSpaceMix, 0.66, &P::spaceMix},
    {kMaster, 1.4, &P::master},
    {kSpaceDecay, 2.5, &P::spaceDecay},
    {kSpaceWidth, 1.9, &P::spaceWidth},
  };
  const struct
  {
    int idx;
    double value;
    int32_t P::*field;
    int32_t expected;
  } wholes[] = {
    {kSampleASpeedMode, 1.0, &P::speedModeA, 1},
    {kSampleBSpeedMode, 0.0, &P::speedModeB, 0},
    {kFilterMode, 4.9, &P::filterMode, 4},
    {kMotionAShape, 6.0, &P::motionAShape, 6},
    {kMotionADestination, 2.0, &P::motionADestination, 2},
    {kMotionBShape, 3.0, &P::motionBShape, 3},
    {kMotionBDestination, 4.0, &P::motionBDestination, 4},
  };
  const struct
  {
    int idx;
    double value;
    bool P::*field;
    bool expected;
  } flags[] = {
    {kSampleAPlay, 0.49, &P::playA, false},
    {kSampleBPlay, 0.5, &P::playB, true},
    {kSampleAReverse, 1.0, &P::reverseA, true},
    {kSampleBReverse, 0.0, &P::reverseB, false},
  };
  for (const auto& d : doubles)
    plug->GetParam(d.idx)->Set(d.value);
  for (const auto& w : wholes)
    plug->GetParam(w.idx)->Set(w.value);
  for (const auto& f : flags)
    plug->GetParam(f.idx)->Set(f.value);

  const P p = plug->ReadEngineParams();
  for (const auto& d : doubles)
    EXPECT_DOUBLE_EQ(p.*d.field, d.value) << d.idx;
  for (const auto& w : wholes)
    EXPECT_EQ(p.*w.field, w.expected) << w.idx;
  for (const auto& f : flags)
    EXPECT_EQ(p.*f.field, f.expected) << f.idx;
}

TEST(BrimvaleBlock, WithNoConnectedOutputTheBlockStillRendersIntoBothChannels)
{
  auto plug = MakeObserved();
  plug->SetChannelConnections(iplug::kOutput, 0, 2, false);
  ASSERT_EQ(plug->NChannelsConnected(iplug::kOutput), 0);
  constexpr int kFrames = 64;
  double left[kFrames], right[kFrames];
  for (int i = 0; i < kFrames; ++i)
    left[i] = right[i] = std::nan("");
  double* outputs[2] = {left, right};
  plug->ProcessBlock(nullptr, outputs, kFrames);
  for (int i = 0; i < kFrames; ++i)
  {
    EXPECT_DOUBLE_EQ(left[i], 0.0) << i;
    EXPECT_DOUBLE_EQ(right[i], 0.0) << i;
  }
}
