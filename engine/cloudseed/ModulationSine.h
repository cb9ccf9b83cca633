#pragma once

#include "engine/cloudseed/Float4.h"
#include "utility/MathConstants.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(BRIMVALE_STANDARD_MATH)
#include <cmath>
#endif

namespace Cloudseed
{

// sin(2 pi p) of the modulation phases (0 <= p < 2^23: above that, p + 1/2 rounds, so a whole p
// can fold to half a turn), a vector of them at a time. The phase is folded onto a quarter turn and
// the sine taken as the Taylor polynomial of 2 pi r to the 13th power, whose first omitted term is
// below 6e-10 there; with the float rounding the result stays within 1.3e-7 of the exact sine (a
// float sine of the float product 2 pi p is up to 8e-7 off, from rounding that product). It has no
// branches and no library call, so the updates of many stages go side by side. A build with
// BRIMVALE_STANDARD_MATH takes the exact sine instead (the standard library's, in double, rounded
// once), for the reference renders that bound the difference.
// Vectors wider than the baseline registers travel by reference: passed by value, their calling
// convention would depend on how the function was built.
template <typename FloatN>
inline __attribute__((always_inline)) void SinTwoPi(const FloatN& p, FloatN& sine)
{
#if defined(BRIMVALE_STANDARD_MATH)
  for (size_t lane = 0; lane < sizeof(FloatN) / sizeof(float); ++lane)
    sine[lane] = static_cast<float>(std::sin(brimvale::utility::kTwoPi * p[lane]));
#else
  typedef int32_t IntN __attribute__((vector_size(sizeof(FloatN))));
  // The turn's fraction r in -0.5..0.5: p less the whole number nearest to it.
  const FloatN shifted = p + 0.5f;
  const FloatN truncated = __builtin_convertvector(__builtin_convertvector(shifted, IntN), FloatN);
  const FloatN whole = truncated + __builtin_convertvector(truncated > shifted, FloatN); // a true compare is -1
  const IntN r = reinterpret_cast<IntN>(p - whole);
  // sin(2 pi r) is odd in r and even about r = 1/4: |r| folded to 1/4 - ||r| - 1/4|, exact in
  // floats, and the sign of r put back.
  constexpr int32_t kSign = INT32_MIN;
  const FloatN magnitude = reinterpret_cast<FloatN>(r & ~kSign);
  const FloatN distance = magnitude - 0.25f;
  const FloatN folded = 0.25f - reinterpret_cast<FloatN>(reinterpret_cast<IntN>(distance) & ~kSign);
  const FloatN quarter = reinterpret_cast<FloatN>(reinterpret_cast<IntN>(folded) | (r & kSign));
  const FloatN x = quarter * brimvale::utility::kTwoPiFloat;
  const FloatN x2 = x * x;
  // x + x^3 (-1/3! + x^2/5! - ...), the bracket by Horner's rule from 1/13!.
  FloatN s = x2 * (1.0f / 6227020800.0f) - 1.0f / 39916800.0f;
  s = s * x2 + 1.0f / 362880.0f;
  s = s * x2 - 1.0f / 5040.0f;
  s = s * x2 + 1.0f / 120.0f;
  s = s * x2 - 1.0f / 6.0f;
  sine = x + x * x2 * s;
#endif
}

// One update's step of the modulation phase: the step, and past 1 the fractional part (the whole
// part cut toward zero).
inline float AdvancePhase(float phase, float step)
{
  phase += step;
  return phase > 1.0f ? phase - static_cast<float>(static_cast<int64_t>(phase)) : phase;
}

inline float SinTwoPi(float p)
{
  Float4 sine;
  SinTwoPi(Splat4(p), sine);
  return sine[0];
}

// The read distances and the two interpolation weights of eight updates at the given phases, for
// a line whose distance d reads at its whole part and one beyond: the nominal delay swayed by the
// sine; shortest where that is not above 0, at most longest, the whole part at most farthestWhole
// (at farthestWhole itself the read is wholly the farther one). Moved in and out with memcpy.
inline __attribute__((always_inline)) void ModulatedReads(const float* phases, float sampleDelay, float modAmount,
                                                          float shortest, float longest, int32_t farthestWhole,
                                                          int32_t* distances, float* gainsA, float* gainsB)
{
  Float8 phase, sine;
  std::memcpy(&phase, phases, sizeof(phase));
  SinTwoPi(phase, sine);
  Float8 d = sampleDelay + sine * modAmount;
  d = d <= 0.0f ? Float8{} + shortest : d;
  d = longest < d ? Float8{} + longest : d;
  const Int8 whole = __builtin_convertvector(d, Int8);
  const Int8 distance = farthestWhole < whole ? Int8{} + farthestWhole : whole;
  const Float8 fraction = d - __builtin_convertvector(distance, Float8);
  const Float8 gainA = 1.0f - fraction;
  std::memcpy(distances, &distance, sizeof(distance));
  std::memcpy(gainsA, &gainA, sizeof(gainA));
  std::memcpy(gainsB, &fraction, sizeof(fraction));
}

} // namespace Cloudseed
