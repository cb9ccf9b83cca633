#include "engine/cloudseed/Biquad.h"
#include "engine/cloudseed/OnePoleFilters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using Cloudseed::Biquad;
using Cloudseed::OnePoleHighpass;
using Cloudseed::OnePoleLowpass;

namespace
{
// Peak amplitude of the filter's settled response to a constant (hz 0) or to the Nyquist tone.
float SettledGain(Biquad& filter, bool nyquist)
{
  float last = 0.0f;
  for (int i = 0; i < 48000; ++i)
    last = filter.Process(nyquist && (i % 2) ? -1.0f : 1.0f);
  return std::fabs(last);
}

TEST(Biquad, ZeroGainShelvesLeaveTheSignalAlone)
{
  const Biquad::FilterType types[] = {Biquad::LowShelf, Biquad::HighShelf};
  const float frequencies[] = {20.0f, 163.9086f, 6383.1943f, 19000.0f};
  for (Biquad::FilterType type : types)
    for (float frequency : frequencies)
    {
      Biquad filter(type, 48000.0f);
      filter.SetGainDb(0.0f);
      filter.frequency = frequency;
      filter.Update();
      EXPECT_NEAR(filter.b0, 1.0f, 1e-6f) << type << " " << frequency;
      EXPECT_EQ(filter.b1, filter.a1) << type << " " << frequency;
      EXPECT_EQ(filter.b2, filter.a2) << type << " " << frequency;
    }
}

TEST(Biquad, ShelvesScaleTheirOwnEndOfTheSpectrum)
{
  struct Case
  {
    Biquad::FilterType type;
    float gainDb;
    float frequency;
    float dcGain;
    float nyquistGain;
  };
  const Case cases[] = {
    {Biquad::LowShelf, -20.0f, 200.0f, 0.1f, 1.0f},   {Biquad::LowShelf, 12.0f, 200.0f, 3.98107f, 1.0f},
    {Biquad::HighShelf, -20.0f, 8000.0f, 1.0f, 0.1f}, {Biquad::HighShelf, 6.0f, 8000.0f, 1.0f, 1.99526f},
    {Biquad::LowShelf, -80.0f, 200.0f, 0.001f, 1.0f}, // held at -60 dB
  };
  for (const Case& c : cases)
  {
    for (bool nyquist : {false, true})
    {
      Biquad filter(c.type, 48000.0f);
      filter.SetGainDb(c.gainDb);
      filter.frequency = c.frequency;
      filter.Update();
      const float expected = nyquist ? c.nyquistGain : c.dcGain;
      EXPECT_NEAR(SettledGain(filter, nyquist), expected, expected * 0.01f + 1e-4f)
        << c.type << " " << c.gainDb << (nyquist ? " nyquist" : " dc");
    }
  }
}

TEST(Biquad, OtherTypesKeepTheirCoefficients)
{
  Biquad filter(static_cast<Biquad::FilterType>(9), 48000.0f);
  filter.b0 = 0.5f;
  filter.a1 = 0.25f;
  filter.SetGainDb(-20.0f);
  filter.Update();
  EXPECT_EQ(filter.b0, 0.5f);
  EXPECT_EQ(filter.a1, 0.25f);
}

TEST(OnePole, CoefficientsAtConstruction)
{
  const OnePoleHighpass lowCut(48000.0f, 20.0f);
  EXPECT_NEAR(lowCut.b, 0.0025804043f, 1e-9f);
  EXPECT_NEAR(lowCut.a, 0.9974196f, 1e-7f);
  const OnePoleLowpass highCut(48000.0f, 20000.0f);
  EXPECT_NEAR(highCut.b, 0.8198826f, 1e-7f);
  EXPECT_NEAR(highCut.a, 0.18011737f, 1e-7f);
}

TEST(OnePole, CutoffAtOrAboveHalfTheRateIsHeldBelowIt)
{
  const float cutoffs[] = {24000.0f, 30000.0f, 1e9f};
  for (float cutoff : cutoffs)
  {
    OnePoleLowpass lowpass(48000.0f, 1000.0f);
    lowpass.SetCutoffHz(cutoff);
    EXPECT_FLOAT_EQ(lowpass.cutoff, 23952.0f) << cutoff;
  }
}

TEST(OnePole, LowpassSilenceBelowTheThresholdIsExactlyZero)
{
  const float states[] = {5e-8f, -0.5f, 0.0f};
  for (float state : states)
  {
    OnePoleLowpass lowpass(48000.0f, 1000.0f);
    lowpass.state = state;
    float x[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    lowpass.Process(x, 4);
    for (float v : x)
      EXPECT_EQ(v, 0.0f) << state;
  }
  OnePoleLowpass ringing(48000.0f, 1000.0f);
  ringing.state = 0.5f;
  float x[2] = {0.0f, 0.0f};
  ringing.Process(x, 2);
  EXPECT_FLOAT_EQ(x[0], 0.5f * ringing.a);
  EXPECT_FLOAT_EQ(x[1], 0.5f * ringing.a * ringing.a);
}

TEST(OnePole, HighpassRemovesAConstantAndRestsOnSilence)
{
  OnePoleHighpass highpass(48000.0f, 122.37f);
  std::vector<float> x(48000, 0.5f);
  highpass.Process(x.data(), static_cast<int>(x.size()));
  EXPECT_NEAR(x.back(), 0.0f, 1e-5f);
  EXPECT_EQ(highpass.lastOutput, x.back());

  OnePoleHighpass resting(48000.0f, 122.37f);
  resting.state = 5e-7f;
  float silence[3] = {0.0f, 0.0f, 0.0f};
  resting.Process(silence, 3);
  EXPECT_EQ(silence[0], 0.0f);
  EXPECT_EQ(resting.state, 5e-7f);
}
} // namespace
