#pragma once

#include <cstdint>

namespace Cloudseed
{

// Start phases of the modulated stages, drawn from a seeded generator so that two reverbs built
// alike sound alike and a render can be repeated.
class ModulationPhase
{
public:
  static constexpr float kDefault = 0.5f; // the phase of a stage nobody has drawn for

  explicit ModulationPhase(uint32_t seed) : mState(seed) {}

  // A phase in 0.01..0.99.
  float Next();

private:
  uint32_t mState;
};

} // namespace Cloudseed
