#include "tests/engine/support/EngineRender.h"

#include "engine/DenormalGuard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#if defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

using brimvale::engine::BrimvaleEngine;
using brimvale::engine::DenormalGuard;
using brimvale::engine::EMotionDestination;
using brimvale::engine::LfoShape;
using namespace enginetest;

namespace
{
// Two seconds of a generated stereo sample through the whole engine.
TEST(Render, WholeEngineGivesABoundedRepeatableAtmosphere)
{
  TempFolder folder;
  const std::string a = folder.Write("a.wav", StereoSineWav(44100, 44100, 196.0, 247.0, 0.8));
  const std::string b = folder.Write("b.wav", StereoSineWav(48000, 30000, 311.0, 415.0, 0.8));
  BrimvaleEngine::Params params;
  params.motionAShape = static_cast<int32_t>(LfoShape::kDrift);
  params.motionBShape = static_cast<int32_t>(LfoShape::kRandom);
  params.motionBDestination = static_cast<int32_t>(EMotionDestination::kSpace);
  params.master = 1.5;

  const StereoOutput first = Render(*MakeEngine(48000.0, a, b), params, 94, 1024);
  const StereoOutput second = Render(*MakeEngine(48000.0, a, b), params, 94, 1024);
  EXPECT_EQ(first.left, second.left);
  EXPECT_EQ(first.right, second.right);

  for (const std::vector<double>* side : {&first.left, &first.right})
  {
    for (double v : *side)
    {
      ASSERT_TRUE(std::isfinite(v));
      ASSERT_LT(std::fabs(v), 1.0); // the soft clip
    }
    EXPECT_GT(Rms(*side), 0.05);
  }

  params.spaceMix = 0.9;
  const StereoOutput wetter = Render(*MakeEngine(48000.0, a, b), params, 94, 1024);
  EXPECT_NE(wetter.left, first.left);
}

TEST(Render, MasterScalesAndSilences)
{
  TempFolder folder;
  const std::string a = folder.Write("a.wav", StereoSineWav(48000, 4800, 440.0, 660.0, 0.8));
  BrimvaleEngine::Params params;
  const std::pair<double, double> cases[] = {{0.0, 0.0}, {-1.0, 0.0}, {1.5, 1.5}, {4.0, 1.5}};
  for (const auto& c : cases)
  {
    params.master = c.first;
    const StereoOutput out = Render(*MakeEngine(48000.0, a, ""), params, 2, 256);
    params.master = c.second;
    const StereoOutput reference = Render(*MakeEngine(48000.0, a, ""), params, 2, 256);
    EXPECT_EQ(out.left, reference.left) << c.first;
    if (c.second == 0.0)
    {
      EXPECT_EQ(Rms(out.left), 0.0);
    }
    else
    {
      EXPECT_GT(Rms(out.left), 0.05) << c.first;
    }
  }
}

// Below the smallest normal float the engine counts numbers as zero, so a tail that reaches that
// floor is exact silence at once. Computed on, it would ring through seven more decades of subnormal
// values, at many times the cost on many processors, until rounding ended it, or for good.
TEST(Render, TheTailEndsInExactSilenceAtTheFloatFloor)
{
  // Full size and a short decay bring the tail to the floor in seconds. Measured: the last sound
  // comes 13.1 s after the layers stop, 0.1 s after the tail last reached the floor; unflushed, it
  // rings on to 15.4 s, 2.4 s after.
  constexpr double kSilentWithinSeconds = 14.5;
  constexpr double kFloorToSilenceSeconds = 0.5;
  constexpr double kRate = 48000.0;
  constexpr int kBlock = 512;
  TempFolder folder;
  const std::string a = folder.Write("a.wav", StereoSineWav(48000, 48000, 220.0, 331.0, 0.8));
  auto engine = MakeEngine(kRate, a, a);
  BrimvaleEngine::Params params;
  params.spaceSize = 1.0;
  params.spaceDecay = 2.0;
  Render(*engine, params, static_cast<int>(kRate) / kBlock, kBlock);
  params.playA = params.playB = false;
  // A second past the bound shows how far a tail that misses it rings on.
  const int tailBlocks = static_cast<int>((kSilentWithinSeconds + 1.0) * kRate) / kBlock;
  const StereoOutput tail = Render(*engine, params, tailBlocks, kBlock);

  size_t aboveFloor = 0, sounding = 0;
  for (size_t i = 0; i < tail.left.size(); ++i)
  {
    const double v = std::max(std::fabs(tail.left[i]), std::fabs(tail.right[i]));
    if (v >= FLT_MIN)
      aboveFloor = i + 1;
    if (v != 0.0)
      sounding = i + 1;
  }
  const double floorAt = static_cast<double>(aboveFloor) / kRate;
  const double silentAt = static_cast<double>(sounding) / kRate;
  EXPECT_LE(silentAt, kSilentWithinSeconds) << "at the floor until " << floorAt << " s";
  EXPECT_LE(silentAt - floorAt, kFloorToSilenceSeconds)
    << "at the floor until " << floorAt << " s, silent at " << silentAt << " s";
}
} // namespace

#if defined(__x86_64__) || defined(_M_X64)
// The engine flushes numbers too small to matter while it renders, and only then: the host's own
// floating-point mode is back as it was when the block returns.
TEST(Render, TheCallersFloatingPointModeIsLeftAsItWas)
{
  enginetest::TempFolder folder;
  const std::string path = folder.Write("tone.wav", enginetest::StereoSineWav(48000, 4800, 220.0, 330.0, 0.5));
  auto engine = enginetest::MakeEngine(48000.0, path, path);
  const unsigned int before = _mm_getcsr();
  enginetest::Render(*engine, BrimvaleEngine::Params(), 2, 256);
  EXPECT_EQ(_mm_getcsr(), before);

  // After the block a subnormal product is itself again, not flushed to zero.
  volatile float tiny = 1e-30f;
  EXPECT_NE(tiny * 1e-10f, 0.0f);
}

// While the guard lives, what would be a subnormal result is zero, and a subnormal input counts as
// zero too; once it goes, both are themselves again.
TEST(DenormalGuard, FlushesOnlyWhileItLives)
{
  volatile float tiny = 1e-30f;
  volatile double subnormal = 1e-310;
  {
    const DenormalGuard guard;
    EXPECT_EQ(tiny * 1e-10f, 0.0f);
    EXPECT_EQ(subnormal * 1e10, 0.0);
  }
  EXPECT_NE(tiny * 1e-10f, 0.0f);
  EXPECT_NE(subnormal * 1e10, 0.0);
}
#endif
