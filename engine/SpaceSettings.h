#pragma once

#include "engine/cloudseed/Parameter.h"

#include <array>

namespace brimvale::engine
{

// One reverb setting as the Space stage derives it from the two user controls: the normalised
// value it records and the value the reverb channels are given.
struct SpaceSetting
{
  double normalised;
  double channel;
};

using SpaceSettings = std::array<SpaceSetting, Cloudseed::Count>;

// All 45 reverb settings for a "Space Size" (0..1) and a "Space Decay" (seconds); out-of-range
// controls are limited first.
SpaceSettings ComputeSpaceSettings(double spaceSize, double spaceDecay);

} // namespace brimvale::engine
