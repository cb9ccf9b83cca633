#include "engine/cloudseed/OnePoleFilters.h"
#include "engine/cloudseed/ReferenceBuild.h"
#include "engine/cloudseed/WideVectors.h"

#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>

namespace Cloudseed
{
namespace
{
using brimvale::utility::kTwoPiFloat;

// Coefficients of y = x b + y1 a; a cutoff at or above half the rate is held just below it.
void OnePoleCoefficients(float sampleRate, float& cutoff, float& a, float& b)
{
  if (cutoff >= 0.5f * sampleRate)
    cutoff = 0.499f * sampleRate;
  const float c = 2.0f - std::cos(kTwoPiFloat * cutoff / sampleRate);
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

namespace
{
inline float LowpassStep(float x, float y1, float a, float b)
{
  return (x == 0.0f && y1 < 1e-7f) ? 0.0f : x * b + y1 * a;
}
} // namespace

void OnePoleLowpass::Process(float* buffer, int n)
{
  float y1 = state;
  for (int i = 0; i < n; ++i)
  {
    y1 = LowpassStep(buffer[i], y1, a, b);
    buffer[i] = y1;
  }
  state = y1;
}

namespace
{
// Up to sixteen filters a sample at a time, each on its own buffer.
BRIMVALE_BUILD_TWICE(RunSideBySide, (OnePoleLowpass* const* filters, float* const* buffers, int count, int n), {
  constexpr int kMaxFilters = 16;
  for (int first = 0; first < count; first += kMaxFilters)
  {
    const int group = std::min(kMaxFilters, count - first);
    float y1[kMaxFilters], a[kMaxFilters], b[kMaxFilters];
    for (int f = 0; f < group; ++f)
    {
      y1[f] = filters[first + f]->state;
      a[f] = filters[first + f]->a;
      b[f] = filters[first + f]->b;
    }
    for (int i = 0; i < n; ++i)
      for (int f = 0; f < group; ++f)
      {
        float* buffer = buffers[first + f];
        y1[f] = LowpassStep(buffer[i], y1[f], a[f], b[f]);
        buffer[i] = y1[f];
      }
    for (int f = 0; f < group; ++f)
      filters[first + f]->state = y1[f];
  }
})
} // namespace

void OnePoleLowpass::ProcessSideBySide(OnePoleLowpass* const* filters, float* const* buffers, int count, int n)
{
  if (!kSideBySide)
  {
    for (int f = 0; f < count; ++f)
      filters[f]->Process(buffers[f], n);
    return;
  }
  (WideVectorsAvailable() ? RunSideBySideWide : RunSideBySideBaseline)(filters, buffers, count, n);
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
