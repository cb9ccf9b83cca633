#include "engine/cloudseed/OnePoleFilters.h"

#include <cmath>

namespace Cloudseed
{
namespace
{
constexpr float kPi = 3.14159265f;

// Coefficients of y = x b + y1 a; a cutoff at or above half the rate is held just below it.
void OnePoleCoefficients(float sampleRate, float& cutoff, float& a, float& b)
{
  if (cutoff >= 0.5f * sampleRate)
    cutoff = 0.499f * sampleRate;
  const float c = 2.0f - std::cos(2.0f * kPi * cutoff / sampleRate);
  a = c - std::sqrt(c * c - 1.0f);
  b = 1.0f - a;
}
} // namespace

OnePoleLowpass::OnePoleLowpass(float rate, float cutoffHz) : sampleRate(rate)
{
  SetCutoffHz(cutoffHz);
}

void OnePoleLowpass::SetCutoffHz(float hz)
{
  cutoff = hz;
  OnePoleCoefficients(sampleRate, cutoff, a, b);
}

void OnePoleLowpass::Process(float* buffer, int n)
{
  float y1 = state;
  for (int i = 0; i < n; ++i)
  {
    const float x = buffer[i];
    const float y = (x == 0.0f && y1 < 1e-7f) ? 0.0f : x * b + y1 * a;
    y1 = y;
    buffer[i] = y;
  }
  state = y1;
}

OnePoleHighpass::OnePoleHighpass(float rate, float cutoffHz) : sampleRate(rate)
{
  SetCutoffHz(cutoffHz);
}

void OnePoleHighpass::SetCutoffHz(float hz)
{
  cutoff = hz;
  OnePoleCoefficients(sampleRate, cutoff, a, b);
}

void OnePoleHighpass::Process(float* buffer, int n)
{
  float s = state;
  for (int i = 0; i < n; ++i)
  {
    const float x = buffer[i];
    if (x == 0.0f && s < 1e-6f)
    {
      buffer[i] = 0.0f;
      continue;
    }
    s = s * a + x * b;
    buffer[i] = x - s;
  }
  state = s;
  if (n > 0)
    lastOutput = buffer[n - 1];
}

} // namespace Cloudseed
