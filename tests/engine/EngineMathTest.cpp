#include "engine/EngineMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
// Within a few steps of the doubles near 1, which is all a soft clip's output can tell apart.
constexpr double kTanhBound = 3e-16;

TEST(EngineMathTanh, StaysWithinItsBoundOfTheLibrarysEverywhere)
{
  // Every input from -40 to 40 in steps of 1/4096 (the whole curve, its knee and both flat ends),
  // and the small values a quiet signal brings, down to the smallest doubles.
  double worst = 0.0;
  for (int i = -40 * 4096; i <= 40 * 4096; ++i)
  {
    const double x = i / 4096.0;
    worst = std::max(worst, std::fabs(EngineMath::Tanh(x) - std::tanh(x)));
  }
  for (double x = 1.0; x > std::numeric_limits<double>::denorm_min(); x *= 0.5)
  {
    worst = std::max(worst, std::fabs(EngineMath::Tanh(x) - std::tanh(x)));
    worst = std::max(worst, std::fabs(EngineMath::Tanh(-x) - std::tanh(-x)));
  }
  EXPECT_LE(worst, kTanhBound);
}

TEST(EngineMathTanh, EndsAndSpecialValues)
{
  const double inf = std::numeric_limits<double>::infinity();
  const struct
  {
    double x, want;
  } cases[] = {{0.0, 0.0}, {20.0, 1.0}, {-20.0, -1.0}, {400.0, 1.0}, {-1e308, -1.0}, {inf, 1.0}, {-inf, -1.0}};
  for (const auto& c : cases)
    EXPECT_EQ(EngineMath::Tanh(c.x), c.want) << c.x;
  EXPECT_TRUE(std::signbit(EngineMath::Tanh(-0.0)));
  EXPECT_TRUE(std::isnan(EngineMath::Tanh(std::numeric_limits<double>::quiet_NaN())));
}
} // namespace
