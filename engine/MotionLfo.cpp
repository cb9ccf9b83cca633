#include "engine/MotionLfo.h"

#include "engine/EngineMath.h"
#include "utility/MathConstants.h"

#include <cmath>

using brimvale::utility::kTwoPi;

namespace brimvale::engine
{

namespace
{
constexpr double kMaxRateHz = 20.0;
constexpr double kMinSampleRate = 1000.0;
// The two Drift partials run at these fractions of the rate; the second starts this far along.
constexpr double kDriftRatio1 = 0.31;
constexpr double kDriftRatio2 = 0.47;
constexpr double kDriftOffset2 = 0.73;
// The Glider closes this share of the gap to its target each sample.
constexpr double kGliderSmoothing = 64.0;

double Fraction(double x)
{
  return x - std::floor(x);
}
} // namespace

double NextRandom(LfoState& state)
{
  state.seed = state.seed * 1664525u + 1013904223u;
  return static_cast<double>(state.seed >> 8) / 16777215.0 * 2.0 - 1.0;
}

double RenderLfoSample(LfoState& state, double rate, double sampleRate, LfoShape shape)
{
  const double old = state.phase;
  const double r = Clamp(rate, 0.0, kMaxRateHz);
  const double fs = sampleRate > kMinSampleRate ? sampleRate : kMinSampleRate;
  state.phase = Fraction(state.phase + r / fs);

  if (!state.randomReady)
  {
    state.randomValue = NextRandom(state);
    state.randomReady = true;
  }
  if (old > state.phase)
  {
    state.randomValue = NextRandom(state);
    if (state.gliderReady)
    {
      state.gliderFrom = state.gliderTo;
      state.gliderTo = NextRandom(state);
    }
  }
  if (!state.gliderReady)
  {
    state.gliderFrom = NextRandom(state);
    state.gliderTo = NextRandom(state);
    state.gliderValue = state.gliderFrom;
    state.gliderReady = true;
  }

  const double p = state.phase;
  switch (shape)
  {
  case LfoShape::kSine: return std::sin(kTwoPi * p);
  case LfoShape::kTriangle: return 1.0 - 4.0 * std::fabs(p - 0.5);
  case LfoShape::kRampUp: return 2.0 * p - 1.0;
  case LfoShape::kRampDown: return 1.0 - 2.0 * p;
  case LfoShape::kRandom: return state.randomValue;
  case LfoShape::kDrift:
    state.driftPhase1 = Fraction(state.driftPhase1 + kDriftRatio1 * r / fs);
    state.driftPhase2 = Fraction(state.driftPhase2 + kDriftRatio2 * r / fs);
    return Clamp((std::sin(kTwoPi * state.driftPhase1) + std::sin(kTwoPi * state.driftPhase2 + kDriftOffset2)) / 2.0,
                 -1.0, 1.0);
  case LfoShape::kGlider:
  {
    const double target = state.gliderFrom + (state.gliderTo - state.gliderFrom) * p;
    state.gliderValue += (target - state.gliderValue) / kGliderSmoothing;
    return Clamp(state.gliderValue, -1.0, 1.0);
  }
  }
  return 0.0;
}

} // namespace brimvale::engine
