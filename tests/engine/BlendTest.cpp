// Blend, heard: two layers playing tones of their own, measured at each tone's frequency.
#include "tests/engine/support/EngineRender.h"
#include "tests/support/SignalMeasures.h"

#include <gtest/gtest.h>

using brimvale::engine::BrimvaleEngine;
using namespace enginetest;
using signaltest::ToneAmplitude;

namespace
{
// 4800 frames hold a whole number of cycles of both tones at 48 kHz (44 and 100), and 4801-frame
// samples loop over exactly 4800 frames, so each layer is a seamless tone.
constexpr double kRate = 48000.0;
constexpr size_t kWindow = 4800;
constexpr double kToneA = 440.0;
constexpr double kToneB = 1000.0;

TEST(Blend, AtEachEndOnlyOneLayerIsHeard)
{
  TempFolder folder;
  const std::string a = folder.Write("a.wav", StereoSineWav(48000, 4801, kToneA, kToneA, 0.3));
  const std::string b = folder.Write("b.wav", StereoSineWav(48000, 4801, kToneB, kToneB, 0.3));
  BrimvaleEngine::Params params; // unfiltered, dry and unmodulated: the blend is all that acts
  params.filterMode = 7;
  params.spaceMix = 0.0;
  params.motionADepth = params.motionBDepth = 0.0;

  // The absent tone must lie 60 dB below the present one; at the middle both are within 3 dB.
  struct Case
  {
    double blend;
    bool hearA, hearB;
  };
  const Case cases[] = {{0.0, true, false}, {1.0, false, true}, {0.5, true, true}};
  for (const Case& c : cases)
  {
    params.blend = c.blend;
    const StereoOutput out = Render(*MakeEngine(kRate, a, b), params, 20, 480);
    for (const std::vector<double>* side : {&out.left, &out.right})
    {
      const double levelA = ToneAmplitude(*side, kWindow, kWindow, kToneA, kRate);
      const double levelB = ToneAmplitude(*side, kWindow, kWindow, kToneB, kRate);
      const double louder = std::max(levelA, levelB);
      EXPECT_GT(louder, 0.05) << c.blend;
      EXPECT_EQ(levelA > louder * 1e-3, c.hearA) << "blend " << c.blend << ": A " << levelA << ", B " << levelB;
      EXPECT_EQ(levelB > louder * 1e-3, c.hearB) << "blend " << c.blend << ": A " << levelA << ", B " << levelB;
      if (c.hearA && c.hearB)
      {
        EXPECT_GT(levelA / levelB, 0.708) << c.blend;
        EXPECT_LT(levelA / levelB, 1.413) << c.blend;
      }
    }
  }
}
} // namespace
