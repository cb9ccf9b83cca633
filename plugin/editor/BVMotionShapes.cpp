#include "plugin/editor/BVMotionShapes.h"
#include "utility/MathConstants.h"

#include <cmath>

namespace brimvale::editor
{
namespace
{

using brimvale::utility::kTwoPi;
constexpr double kGliderPoints[9] = {-0.78, 0.22, 0.86, -0.14, -0.62, 0.58, 0.04, -0.91, 0.34};

} // namespace

double ShapeValueForPhase(double p, int shape)
{
  if (!std::isfinite(p))
    return 0.0;
  switch (shape)
  {
  case 0: return std::sin(kTwoPi * p);
  case 1: return 1.0 - 4.0 * std::abs(p - 0.5);
  case 2: return 2.0 * p - 1.0;
  case 3: return 1.0 - 2.0 * p;
  case 4: return std::sin(std::floor(12.0 * p) * 12.9898) > 0.0 ? 0.65 : -0.65;
  case 5: return (std::sin(kTwoPi * (0.31 * p + 0.13)) + std::sin(kTwoPi * (0.47 * p + 0.61))) * 0.5;
  case 6:
  {
    // The segment index wraps, so a phase of exactly 1 (or beyond) never reads past the table.
    const double x = 8.0 * p;
    if (!std::isfinite(x))
      return 0.0;
    const double segment = std::floor(x);
    const int k = static_cast<int>(std::fmod(std::fmod(segment, 8.0) + 8.0, 8.0));
    const double f = x - segment;
    const double s = f * f * (3.0 - 2.0 * f);
    return kGliderPoints[k] + (kGliderPoints[k + 1] - kGliderPoints[k]) * s;
  }
  default: return 0.0;
  }
}

} // namespace brimvale::editor
