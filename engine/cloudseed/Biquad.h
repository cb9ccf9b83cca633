#pragma once

namespace Cloudseed
{

// Shelving filter of the late lines, direct form I.
class Biquad
{
public:
  enum FilterType
  {
    LowShelf = 7,
    HighShelf = 8,
  };

  Biquad(FilterType filterType, float rate);

  void SetSamplerate(float rate); // stores the rate, then Update
  void SetGainDb(float dB);       // clamps to -60..60; the owner runs Update afterwards
  void Update();                  // coefficients from type, frequency, gain and rate
  void ClearBuffers();

  float Process(float x)
  {
    const float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }

  void Process(float* buffer, int n)
  {
    for (int i = 0; i < n; ++i)
      buffer[i] = Process(buffer[i]);
  }

  float sampleRate;
  float sampleRateInv;
  float gainDb = 0.0f;
  float q = 0.5f;
  float a1 = 0.0f, a2 = 0.0f;
  float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f;
  float x1 = 0.0f, x2 = 0.0f, y1 = 0.0f, y2 = 0.0f;
  float gain = 1.0f;
  FilterType type;
  float frequency;
};

} // namespace Cloudseed
