#include "engine/cloudseed/ModulationPhase.h"

namespace Cloudseed
{

float ModulationPhase::Next()
{
  mState = mState * 1664525u + 1013904223u;
  const double u = static_cast<double>(mState >> 1) / static_cast<double>(0x7fffffffu);
  const float phase = static_cast<float>(0.01 + 0.98 * u);
  return phase > 1.0f ? phase - static_cast<int>(phase) : phase;
}

} // namespace Cloudseed
