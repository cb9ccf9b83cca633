#include "engine/BrimvaleEngine.h"

#include "engine/EngineMath.h"

#include <cmath>

using EngineMath::Clamp;
using EngineMath::kPi;

void BrimvaleEngine::StateVariableFilter::Set(double sampleRate, double cutoff, double resonance)
{
  const double fs = sampleRate > 1000.0 ? sampleRate : 1000.0;
  const double fc = Clamp(cutoff, 20.0, 0.45 * fs);
  const double r = Clamp((resonance - 0.1) / 7.9, 0.0, 1.0);
  SetCoefficients(std::tan(kPi * fc / fs), 2.0 - 1.94 * (0.01 + 0.99 * r));
}

void BrimvaleEngine::StateVariableFilter::SetCoefficients(double gain, double damping)
{
  g = gain;
  k = damping;
  a1 = 1.0 / (1.0 + g * (g + k));
  a2 = g * a1;
  a3 = g * a2;
}

BrimvaleEngine::StateVariableFilter::Output BrimvaleEngine::StateVariableFilter::Process(double x)
{
  const double d = x - ic2eq;
  const double band = a1 * ic1eq + a2 * d;
  const double low = ic2eq + a2 * ic1eq + a3 * d;
  ic1eq = 2.0 * band - ic1eq;
  ic2eq = 2.0 * low - ic2eq;
  return {low, x - k * band - low, band};
}

void BrimvaleEngine::Biquad::Set(double sampleRate, double frequency, double q, FilterMode mode)
{
  if (mode != kAllpass)
  {
    b0 = 1.0;
    b1 = b2 = a1 = a2 = 0.0;
    return;
  }
  const double fs = sampleRate > 1000.0 ? sampleRate : 1000.0;
  const double fc = Clamp(frequency, 20.0, 0.45 * fs);
  const double w0 = 2.0 * kPi * fc / fs;
  const double alpha = std::sin(w0) / (2.0 * Clamp(q, 0.1, 8.0));
  const double a0 = 1.0 + alpha;
  b0 = (1.0 - alpha) / a0;
  b1 = -2.0 * std::cos(w0) / a0;
  b2 = 1.0;
  a1 = -2.0 * std::cos(w0) / a0;
  a2 = (1.0 - alpha) / a0;
}

double BrimvaleEngine::Biquad::Process(double x)
{
  const double y = b0 * x + z1;
  z1 = b1 * x - a1 * y + z2;
  z2 = b2 * x - a2 * y;
  return y;
}
