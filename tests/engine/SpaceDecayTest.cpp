// Space Decay, heard: how long the reverb tail rings once the layers stop, against the decay time
// the Decay control gives the late lines.
#include "tests/engine/support/EngineRender.h"
#include "tests/support/SignalMeasures.h"
#include "tools/wav/WavBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

using brimvale::engine::BrimvaleEngine;
using namespace enginetest;
using wavwriter::WavBuilder;

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 64;      // short blocks: the lines' feedback returns one block late
constexpr size_t kWindow = 960; // 20 ms

// The tail's 60 dB time against the lines' own, as measured for each setting: each pass round a
// line also runs through its diffuser, which lengthens the loop (most at small sizes and short
// decays), and the loop's lowpass shortens it a little. A tail may stray this far from its ratio
// (a fourth either way) before it counts as a different decay.
constexpr double kRatioTolerance = 0.25;

// The tail's ratio against the lines' setting, within the tolerance; what names the case.
void ExpectTailRatio(double measured, double setting, double ratio, const std::string& what)
{
  EXPECT_GE(measured / setting, ratio * (1.0 - kRatioTolerance)) << what;
  EXPECT_LE(measured / setting, ratio * (1.0 + kRatioTolerance)) << what;
}

// The late lines' 60 dB time for a Decay control, in seconds: Decay 0.1..12 spans 0..1, which sets
// the time on a power-of-ten curve from 0.05 s to 60 s.
double LateDecaySeconds(double decay)
{
  const double d = (std::min(decay, 12.0) - 0.1) / 11.9;
  const double n = 0.72 * d + 0.12;
  return 0.05 + 59.95 * (std::pow(10.0, 3.0 * n) - 1.0) / 999.0;
}

// A second of white noise: it excites every line alike.
std::vector<uint8_t> NoiseWav()
{
  std::vector<double> samples(48000);
  uint32_t seed = 12345;
  for (double& s : samples)
  {
    seed = seed * 1664525u + 1013904223u;
    s = 0.4 * (static_cast<double>(seed >> 8) / 8388607.5 - 1.0);
  }
  return WavBuilder().Header().Fmt(1, 1, 48000, 16).Data(samples).Bytes();
}

// Layer A alone, unfiltered and unmodulated, and only the reverb heard.
BrimvaleEngine::Params WetOnly(double size, double decay)
{
  BrimvaleEngine::Params p;
  p.blend = 0.0;
  p.filterMode = 7;
  p.motionADepth = p.motionBDepth = 0.0;
  p.spaceMix = 1.0;
  p.spaceWidth = 1.0;
  p.master = 1.0;
  p.spaceSize = size;
  p.spaceDecay = decay;
  return p;
}

StereoOutput RenderSeconds(BrimvaleEngine& engine, const BrimvaleEngine::Params& params, double seconds)
{
  return Render(engine, params, static_cast<int>(seconds * kRate) / kBlock, kBlock);
}

// The 60 dB time of the fall from 5 to 25 dB below the tail's loudest point.
double TailDecaySeconds(const StereoOutput& tail, size_t window)
{
  return signaltest::DecayTimeSeconds(signaltest::EnergyEnvelopeDb(tail.left, tail.right, window),
                                      static_cast<double>(window) / kRate, 5.0, 25.0);
}

class SpaceDecay : public ::testing::Test
{
protected:
  TempFolder folder;
  const std::string noise = folder.Write("noise.wav", NoiseWav());
};

TEST_F(SpaceDecay, TheTailFollowsTheDecayControl)
{
  struct Case
  {
    double size, decay, ratio; // the tail's 60 dB time over the lines' own
  };
  // Sorted by size, then decay; each line's delay is well short of its decay time.
  const Case cases[] = {{0.0, 2.0, 2.65}, {0.0, 6.0, 2.33}, {0.5, 4.0, 2.16}, {0.5, 6.0, 1.67},
                        {0.5, 8.5, 1.44}, {1.0, 8.5, 1.16}, {1.0, 11.0, 1.03}};
  const Case* previous = nullptr;
  double previousMeasured = 0.0;
  for (const Case& c : cases)
  {
    const double setting = LateDecaySeconds(c.decay);
    auto engine = MakeEngine(kRate, noise, "");
    BrimvaleEngine::Params params = WetOnly(c.size, c.decay);
    RenderSeconds(*engine, params, 1.0);
    params.playA = false; // the sample stays loaded, so the reverb runs on with no input
    const double measured = TailDecaySeconds(RenderSeconds(*engine, params, 1.5 + 1.2 * setting), kWindow);
    const std::string what = "size " + std::to_string(c.size) + ", decay " + std::to_string(c.decay) + ": the lines' " +
                             std::to_string(setting) + " s, the tail's " + std::to_string(measured) + " s (" +
                             std::to_string(measured / setting) + " times)";
    ExpectTailRatio(measured, setting, c.ratio, what);
    // A longer Decay lengthens the tail by at least the square root of what it does to the lines.
    if (previous && previous->size == c.size)
    {
      EXPECT_GE(measured / previousMeasured, std::sqrt(setting / LateDecaySeconds(previous->decay))) << what;
    }
    previous = &c;
    previousMeasured = measured;
  }
}

// Full size and the longest decay, with the layer driven as hard as it goes, for half a minute:
// the reverb settles at a level and then dies away at the rate its Decay gives.
TEST_F(SpaceDecay, LongestDecayAtFullSizeStaysBoundedAndDiesAway)
{
  auto engine = MakeEngine(kRate, noise, "");
  BrimvaleEngine::Params params = WetOnly(1.0, 12.0);
  params.levelA = 1.5;
  params.filterDrive = 8.0;
  params.master = 0.1; // keeps the soft clip from hiding the reverb's own level
  const StereoOutput playing = RenderSeconds(*engine, params, 30.0);
  params.playA = false;
  const StereoOutput tail = RenderSeconds(*engine, params, 10.0);

  double peak = 0.0;
  for (const auto* side : {&playing.left, &playing.right, &tail.left, &tail.right})
    for (double v : *side)
    {
      ASSERT_TRUE(std::isfinite(v));
      peak = std::max(peak, std::fabs(v));
    }
  // The driven layer is within -1..1, so a wet level above 5 means the reverb feeds on itself.
  EXPECT_LT(peak, std::tanh(0.5));

  // Five-second levels: from the second window on (two line decay times in) it no longer grows.
  const std::vector<double> db = signaltest::EnergyEnvelopeDb(playing.left, playing.right, 5 * 48000);
  ASSERT_EQ(db.size(), 6u);
  for (size_t i = 2; i < db.size(); ++i)
    EXPECT_LE(db[i], db[1] + 1.0) << "window " << i;

  const double setting = LateDecaySeconds(12.0);
  const double measured = TailDecaySeconds(tail, 4800);
  ExpectTailRatio(measured, setting, 1.07, "the tail's " + std::to_string(measured) + " s");
}
} // namespace
