#pragma once

#include "engine/cloudseed/Float4.h"

#if defined(BRIMVALE_STANDARD_MATH)
#include "utility/MathConstants.h"

#include <cmath>
#endif

namespace Cloudseed
{

// sin(2 pi p) of the modulation phases (0 <= p < 2^31), four at a time. The phase is folded onto a
// quarter turn and the sine taken as the Taylor polynomial of 2 pi r to the 13th power, whose first
// omitted term is below 6e-10 there; with the float rounding the result stays within 1.3e-7 of the
// exact sine (a float sine of the float product 2 pi p is up to 8e-7 off, from rounding that
// product). It has no branches and no library call, so the updates of many stages go side by
// side. A build with BRIMVALE_STANDARD_MATH takes the exact sine instead (the standard library's,
// in double, rounded once), for the reference renders that bound the difference.
inline Float4 SinTwoPi(Float4 p)
{
#if defined(BRIMVALE_STANDARD_MATH)
  using brimvale::utility::kTwoPi;
  return Float4{static_cast<float>(std::sin(kTwoPi * p[0])), static_cast<float>(std::sin(kTwoPi * p[1])),
                static_cast<float>(std::sin(kTwoPi * p[2])), static_cast<float>(std::sin(kTwoPi * p[3]))};
#else
  // The turn's fraction r in -0.5..0.5: p less the whole number nearest to it.
  const Float4 shifted = p + 0.5f;
  const Float4 truncated = ToFloat4(Truncate4(shifted));
  const Float4 whole = truncated + ToFloat4(truncated > shifted); // a true compare is -1
  const Int4 r = reinterpret_cast<Int4>(p - whole);
  // sin(2 pi r) is odd in r and even about r = 1/4: |r| folded to 1/4 - ||r| - 1/4|, exact in
  // floats, and the sign of r put back.
  constexpr int32_t kSign = INT32_MIN;
  const Float4 magnitude = reinterpret_cast<Float4>(r & ~kSign);
  const Float4 distance = magnitude - 0.25f;
  const Float4 folded = 0.25f - reinterpret_cast<Float4>(reinterpret_cast<Int4>(distance) & ~kSign);
  const Float4 quarter = reinterpret_cast<Float4>(reinterpret_cast<Int4>(folded) | (r & kSign));
  const Float4 x = quarter * 6.28318530717958647692f;
  const Float4 x2 = x * x;
  // x + x^3 (-1/3! + x^2/5! - ...), the bracket by Horner's rule from 1/13!.
  Float4 s = Splat4(1.0f / 6227020800.0f);
  s = s * x2 - 1.0f / 39916800.0f;
  s = s * x2 + 1.0f / 362880.0f;
  s = s * x2 - 1.0f / 5040.0f;
  s = s * x2 + 1.0f / 120.0f;
  s = s * x2 - 1.0f / 6.0f;
  return x + x * x2 * s;
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
  return SinTwoPi(Splat4(p))[0];
}

} // namespace Cloudseed
