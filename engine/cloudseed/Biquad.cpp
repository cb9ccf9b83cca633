#include "engine/cloudseed/Biquad.h"

#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>

namespace Cloudseed
{
namespace
{
using brimvale::utility::kPiFloat;
constexpr float kSqrt2 = 1.4142135f;
} // namespace

Biquad::Biquad(FilterType filterType, float rate)
: sampleRate(rate)
, sampleRateInv(1.0f / rate)
, type(filterType)
, frequency(rate / 4.0f)
{}

void Biquad::SetSamplerate(float rate)
{
  sampleRate = rate;
  sampleRateInv = 1.0f / rate;
  Update();
}

void Biquad::SetGainDb(float dB)
{
  gainDb = std::clamp(dB, -60.0f, 60.0f);
  gain = std::pow(10.0f, gainDb / 20.0f);
}

void Biquad::Update()
{
  if (type != LowShelf && type != HighShelf)
    return;

  const float K = std::tan((kPiFloat * frequency) * sampleRateInv);
  const float V = std::pow(10.0f, std::fabs(gainDb) / 20.0f);
  const float K2 = K * K;
  const float rootV = std::sqrt(2.0f * V);

  float norm;
  if (type == LowShelf && gainDb >= 0.0f)
  {
    norm = 1.0f / (1.0f + kSqrt2 * K + K2);
    b0 = (1.0f + rootV * K + V * K2) * norm;
    b1 = 2.0f * (V * K2 - 1.0f) * norm;
    b2 = (1.0f - rootV * K + V * K2) * norm;
    a1 = 2.0f * (K2 - 1.0f) * norm;
    a2 = (1.0f - kSqrt2 * K + K2) * norm;
  }
  else if (type == LowShelf)
  {
    norm = 1.0f / (1.0f + rootV * K + V * K2);
    b0 = (1.0f + kSqrt2 * K + K2) * norm;
    b1 = 2.0f * (K2 - 1.0f) * norm;
    b2 = (1.0f - kSqrt2 * K + K2) * norm;
    a1 = 2.0f * (V * K2 - 1.0f) * norm;
    a2 = (1.0f - rootV * K + V * K2) * norm;
  }
  else if (gainDb >= 0.0f)
  {
    norm = 1.0f / (1.0f + kSqrt2 * K + K2);
    b0 = (V + rootV * K + K2) * norm;
    b1 = 2.0f * (K2 - V) * norm;
    b2 = (V - rootV * K + K2) * norm;
    a1 = 2.0f * (K2 - 1.0f) * norm;
    a2 = (1.0f - kSqrt2 * K + K2) * norm;
  }
  else
  {
    norm = 1.0f / (V + rootV * K + K2);
    b0 = (1.0f + kSqrt2 * K + K2) * norm;
    b1 = 2.0f * (K2 - 1.0f) * norm;
    b2 = (1.0f - kSqrt2 * K + K2) * norm;
    a1 = 2.0f * (K2 - V) * norm;
    a2 = (V - rootV * K + K2) * norm;
  }
}

void Biquad::ClearBuffers()
{
  x1 = x2 = y1 = y2 = 0.0f;
}

} // namespace Cloudseed
