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

std::vector<float> MakeTone(double hz, size_t frames, float amplitude, double sampleRate)
{
  std::vector<float> tone(frames);
  for (size_t i = 0; i < frames; ++i)
    tone[i] = amplitude *
              static_cast<float>(std::sin(brimvale::utility::kTwoPi * hz * static_cast<double>(i) / sampleRate));
  return tone;
}

} // namespace testhost
