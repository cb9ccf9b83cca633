#include "plugin/editor/BVMotionShapes.h"
#include "utility/MathConstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using brimvale::editor::ShapeValueForPhase;

TEST(ShapeValueForPhase, ValuesOfEachShape)
{
  struct Case
  {
    int shape;
    double p, value;
  };
  const Case cases[] = {
    {0, 0.25, 1.0},
    {0, 0.75, -1.0},
    {1, 0.5, 1.0},
    {1, 0.0, -1.0},
    {2, 0.0, -1.0},
    {2, 0.75, 0.5},
    {3, 0.25, 0.5},
    {3, 1.0, -1.0},
    {6, 0.0, -0.78},
    {6, 0.125, 0.22},
    {6, 0.0625, -0.28}, // halfway through the first segment, smoothstep 0.5
    {5, 0.0, (std::sin(brimvale::utility::kTwoPi * 0.13) + std::sin(brimvale::utility::kTwoPi * 0.61)) * 0.5},
    // Later in the cycle both of Drift's slow rates and offsets count.
    {5, 0.5, 0.0744180938320928},
    {5, 0.9, 0.37349193044837825},
    {7, 0.3, 0.0},
    {-1, 0.3, 0.0},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(ShapeValueForPhase(c.p, c.shape), c.value, 1e-9) << "shape " << c.shape << " at " << c.p;
}

TEST(ShapeValueForPhase, RandomHoldsTwelveSteps)
{
  // The sign of each held step, high or low, from the first twelfth of the cycle on.
  const int signs[12] = {-1, 1, 1, 1, 1, 1, 1, 1, -1, -1, -1, -1};
  for (int step = 0; step < 12; ++step)
  {
    const double start = ShapeValueForPhase(step / 12.0 + 1e-9, 4);
    EXPECT_EQ(start, 0.65 * signs[step]) << step;
    EXPECT_EQ(ShapeValueForPhase((step + 0.99) / 12.0, 4), start) << step;
  }
}

TEST(ShapeValueForPhase, GliderWrapsInsteadOfReadingPastItsTable)
{
  EXPECT_NEAR(ShapeValueForPhase(1.0, 6), -0.78, 1e-9);
  EXPECT_NEAR(ShapeValueForPhase(-0.875, 6), 0.22, 1e-9);
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e308})
    EXPECT_EQ(ShapeValueForPhase(bad, 6), 0.0) << bad;
}
