#pragma once

#include "engine/FilterMode.h"

namespace brimvale::engine
{

// One channel of a transposed direct form II biquad; coefficients already divided by a0.
struct Biquad
{
  void Reset() { z1 = z2 = 0.0; }
  // Only FilterMode::kAllpass is used; any other mode passes the signal through.
  void Set(double sampleRate, double frequency, double q, FilterMode mode);
  double Process(double x);

  double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
  double z1 = 0.0, z2 = 0.0;
};

} // namespace brimvale::engine
