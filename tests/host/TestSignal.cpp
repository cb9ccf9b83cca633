#include "tests/host/TestSignal.h"

#include "utility/MathConstants.h"

#include <cmath>
#include <cstddef>

namespace testhost
{

std::vector<std::vector<float>> MakeTestSignal(int sampleRate, double seconds)
{
  const size_t frames = static_cast<size_t>(seconds * sampleRate);
  std::vector<std::vector<float>> out(2, std::vector<float>(frames));
  const double twoPi = brimvale::utility::kTwoPi;
  for (size_t i = 0; i < frames; ++i)
  {
    const double t = static_cast<double>(i) / sampleRate;
    const double swell = 0.5 + 0.25 * std::sin(twoPi * 0.5 * t);
    out[0][i] = static_cast<float>(swell * std::sin(twoPi * 220.0 * t));
    out[1][i] = static_cast<float>(swell * std::sin(twoPi * 221.5 * t));
  }
  return out;
}

} // namespace testhost
