#include "engine/BrimvaleEngine.h"
#include "tests/engine/support/EngineRender.h"
#include "utility/MathConstants.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace enginetest;

namespace
{
using brimvale::utility::kPi;
using brimvale::utility::kTwoPi;
using Engine = brimvale::engine::BrimvaleEngine;
using brimvale::engine::FilterMode;

double SettledAmplitude(Engine::Biquad& filter, double hz, double fs)
{
  double peak = 0.0;
  for (int i = 0; i < 20000; ++i)
  {
    const double y = filter.Process(std::sin(kTwoPi * hz * i / fs));
    if (i > 10000)
      peak = std::max(peak, std::fabs(y));
  }
  return peak;
}

TEST(FilterMode, StateVariableDampingFollowsResonance)
{
  const std::pair<double, double> cases[] = {
    {0.1, 1.9806}, {-5.0, 1.9806}, {8.0, 0.06}, {30.0, 0.06}, {4.05, 2.0 - 1.94 * (0.01 + 0.99 * 0.5)}};
  for (const auto& c : cases)
  {
    Engine::StateVariableFilter filter;
    filter.Set(48000.0, 1000.0, c.first);
    EXPECT_NEAR(filter.k, c.second, 1e-12) << c.first;
    EXPECT_NEAR(filter.g, std::tan(kPi * 1000.0 / 48000.0), 1e-15);
  }
  Engine::StateVariableFilter limited;
  limited.Set(48000.0, 40000.0, 1.0);
  EXPECT_NEAR(limited.g, std::tan(kPi * 0.45), 1e-12) << "cutoff held at 0.45 of the rate";
}

TEST(FilterMode, StateVariableOutputsSplitTheSpectrum)
{
  Engine::StateVariableFilter filter;
  filter.Set(48000.0, 500.0, 0.1);
  double lowPeak = 0.0, highPeak = 0.0;
  for (int i = 0; i < 20000; ++i)
  {
    const Engine::StateVariableFilter::Output o = filter.Process(std::sin(kTwoPi * 12000.0 * i / 48000.0));
    if (i > 10000)
    {
      lowPeak = std::max(lowPeak, std::fabs(o.low));
      highPeak = std::max(highPeak, std::fabs(o.high));
    }
  }
  EXPECT_LT(lowPeak, 0.01);
  EXPECT_GT(highPeak, 0.95);
}

TEST(FilterMode, AllpassBiquadKeepsEveryFrequencysLevel)
{
  for (double hz : {100.0, 1000.0, 8000.0})
  {
    Engine::Biquad filter;
    filter.Set(48000.0, 2000.0, 0.85, FilterMode::kAllpass);
    EXPECT_EQ(filter.b2, 1.0);
    EXPECT_EQ(filter.a1, filter.b1);
    EXPECT_EQ(filter.a2, filter.b0);
    EXPECT_NEAR(SettledAmplitude(filter, hz, 48000.0), 1.0, 0.01) << hz;
  }
}

// With resonance 0.1 the emphasis is 0, so Notch and Peak pass the driven mix unchanged, exactly
// like a mode outside the table; the filtering modes change it.
TEST(FilterMode, ModesAtTheLowestResonance)
{
  TempFolder folder;
  const std::string path = folder.Write("tone.wav", StereoSineWav(48000, 9600, 3000.0, 5000.0, 0.7));
  Engine::Params params;
  params.filterResonance = 0.1;
  params.filterMode = 7;
  const StereoOutput unfiltered = Render(*MakeEngine(48000.0, path, path), params, 4, 256);

  struct Case
  {
    int mode;
    bool same;
  };
  const auto mode = [](FilterMode m) { return static_cast<int>(m); };
  const Case cases[] = {
    {mode(FilterMode::kNotch), true},    {mode(FilterMode::kPeak), true},      {-1, true},
    {mode(FilterMode::kLowpass), false}, {mode(FilterMode::kHighpass), false}, {mode(FilterMode::kBandpass), false},
    {mode(FilterMode::kAllpass), false}};
  for (const Case& c : cases)
  {
    params.filterMode = c.mode;
    const StereoOutput out = Render(*MakeEngine(48000.0, path, path), params, 4, 256);
    EXPECT_EQ(out.left == unfiltered.left && out.right == unfiltered.right, c.same) << "mode " << c.mode;
  }
}
} // namespace
