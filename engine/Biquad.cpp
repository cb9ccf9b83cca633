#include "engine/Biquad.h"

#include "engine/EngineMath.h"
#include "utility/MathConstants.h"

#include <cmath>

using brimvale::utility::kTwoPi;

namespace brimvale::engine
{

namespace
{
constexpr double kMinSampleRate = 1000.0;
constexpr double kMinFrequencyHz = 20.0;
constexpr double kMaxFrequencyOfRate = 0.45;
constexpr double kMinQ = 0.1;
constexpr double kMaxQ = 8.0;
} // namespace

void Biquad::Set(double sampleRate, double frequency, double q, FilterMode mode)
{
  if (mode != FilterMode::kAllpass)
  {
    b0 = 1.0;
    b1 = b2 = a1 = a2 = 0.0;
    return;
  }
  const double fs = sampleRate > kMinSampleRate ? sampleRate : kMinSampleRate;
  const double fc = Clamp(frequency, kMinFrequencyHz, kMaxFrequencyOfRate * fs);
  const double w0 = kTwoPi * fc / fs;
  const double alpha = std::sin(w0) / (2.0 * Clamp(q, kMinQ, kMaxQ));
  const double a0 = 1.0 + alpha;
  b0 = (1.0 - alpha) / a0;
  b1 = -2.0 * std::cos(w0) / a0;
  b2 = 1.0;
  a1 = -2.0 * std::cos(w0) / a0;
  a2 = (1.0 - alpha) / a0;
}

double Biquad::Process(double x)
{
  const double y = b0 * x + z1;
  z1 = b1 * x - a1 * y + z2;
  z2 = b2 * x - a2 * y;
  return y;
}

} // namespace brimvale::engine
