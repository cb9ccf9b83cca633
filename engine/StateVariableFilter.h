#pragma once

#include "engine/EngineMath.h"

namespace brimvale::engine
{

// The "Resonance" control (0.1..8) as 0..1: it sets the filter's damping and the modes' emphasis.
inline double ResonanceAmount(double resonance)
{
  return Clamp((resonance - 0.1) / 7.9, 0.0, 1.0);
}

// One channel of a trapezoidal state-variable filter.
struct StateVariableFilter
{
  struct Output
  {
    double low;
    double high;
    double band;
  };

  void Reset() { ic1eq = ic2eq = 0.0; }
  // Cutoff limited to 20 Hz..0.45 of the rate; damping from the resonance.
  void Set(double sampleRate, double cutoff, double resonance);
  void SetCoefficients(double gain, double damping);
  Output Process(double x);

  double g = 0.0, k = 1.0, a1 = 1.0, a2 = 0.0, a3 = 0.0;
  double ic1eq = 0.0, ic2eq = 0.0;
};

} // namespace brimvale::engine
