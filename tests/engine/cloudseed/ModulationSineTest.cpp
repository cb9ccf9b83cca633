// The reverb's fast modulation sine against the exact sine of its phase, over its whole domain.
#include "engine/cloudseed/ModulationSine.h"
#include "utility/MathConstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace
{
// The bound the sine promises: within this of sin(2 pi p) for every phase it takes.
constexpr double kPromisedError = 1.3e-7;

// sin(2 pi p) in double, the whole turns taken off first (exactly, as p is a float), so that the
// product with 2 pi is not rounded at large phases.
double ExactSine(float p)
{
  const double turn = static_cast<double>(p) - std::nearbyint(static_cast<double>(p));
  return std::sin(brimvale::utility::kTwoPi * turn);
}

// The phases swept: every multiple of 2^-24 in 0..1 (so every float of the last half turn, and
// every other one of the turn's second quarter, where the sine's magnitude and its rounding are
// largest), then every 257th float from 0 up to 2^23, the largest phase the sine folds exactly.
constexpr uint32_t kGridSteps = 1u << 24;
constexpr uint32_t kFloatStride = 257;
constexpr uint32_t kTwoPow23Bits = 0x4b000000u;
constexpr size_t kPhaseCount = kGridSteps + 1 + kTwoPow23Bits / kFloatStride + 1;

float PhaseAt(size_t i)
{
  if (i <= kGridSteps)
    return static_cast<float>(i) / static_cast<float>(kGridSteps);
  const uint32_t bits = static_cast<uint32_t>(i - kGridSteps - 1) * kFloatStride;
  float p;
  std::memcpy(&p, &bits, sizeof(p));
  return p;
}

TEST(ModulationSine, StaysWithinItsPromisedErrorOfTheExactSine)
{
  double worst = 0.0;
  float worstAt = 0.0f;
  // Eight lanes at a time, as the delay's updates take it.
  for (size_t at = 0; at < kPhaseCount; at += 8)
  {
    Cloudseed::Float8 p, sine;
    for (int lane = 0; lane < 8; ++lane)
      p[lane] = at + lane < kPhaseCount ? PhaseAt(at + lane) : 0.0f;
    Cloudseed::SinTwoPi(p, sine);
    for (int lane = 0; lane < 8; ++lane)
    {
      const double error = std::fabs(static_cast<double>(sine[lane]) - ExactSine(p[lane]));
      if (!(error <= worst))
      {
        worst = error;
        worstAt = p[lane];
      }
    }
  }
  EXPECT_LE(worst, kPromisedError) << "at phase " << worstAt;
  std::printf("worst error %.3g at phase %.9g\n", worst, static_cast<double>(worstAt));
}
} // namespace
