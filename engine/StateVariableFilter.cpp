#include "engine/StateVariableFilter.h"

#include "utility/MathConstants.h"

#include <cmath>

using brimvale::utility::kPi;

namespace brimvale::engine
{

namespace
{
constexpr double kMinSampleRate = 1000.0;
constexpr double kMinCutoffHz = 20.0;
constexpr double kMaxCutoffOfRate = 0.45;
// Damping 2 - 1.94 x (0.01 + 0.99 r): 1.9806 at the lowest resonance, 0.06 at the highest.
constexpr double kDampingSpan = 1.94;
constexpr double kDampingFloor = 0.01;
} // namespace

void StateVariableFilter::Set(double sampleRate, double cutoff, double resonance)
{
  const double fs = sampleRate > kMinSampleRate ? sampleRate : kMinSampleRate;
  const double fc = Clamp(cutoff, kMinCutoffHz, kMaxCutoffOfRate * fs);
  const double r = ResonanceAmount(resonance);
  SetCoefficients(std::tan(kPi * fc / fs), 2.0 - kDampingSpan * (kDampingFloor + (1.0 - kDampingFloor) * r));
}

void StateVariableFilter::SetCoefficients(double gain, double damping)
{
  g = gain;
  k = damping;
  a1 = 1.0 / (1.0 + g * (g + k));
  a2 = g * a1;
  a3 = g * a2;
}

StateVariableFilter::Output StateVariableFilter::Process(double x)
{
  const double d = x - ic2eq;
  const double band = a1 * ic1eq + a2 * d;
  const double low = ic2eq + a2 * ic1eq + a3 * d;
  ic1eq = 2.0 * band - ic1eq;
  ic2eq = 2.0 * low - ic2eq;
  return {low, x - k * band - low, band};
}

} // namespace brimvale::engine
