#pragma once

#include "engine/BrimvaleEngine.h"
#include "engine/SpaceSettings.h"
#include "engine/cloudseed/Parameter.h"
#include "engine/cloudseed/ReverbChannel.h"

namespace brimvale::engine
{

// The Space stage's record: both reverb channels, the last normalised value of each reverb
// setting, and the fixed buffers of the cross-feed. Large (about 64 MiB): made once per engine.
struct BrimvaleEngine::CloudSeedSpace
{
  explicit CloudSeedSpace(int32_t reverbRate)
  : rate(reverbRate)
  , left(reverbRate, Cloudseed::Left)
  , right(reverbRate, Cloudseed::Right)
  {}

  int32_t rate;
  Cloudseed::ReverbChannel left;
  Cloudseed::ReverbChannel right;
  double values[Cloudseed::Count] = {};

  // The settings of the last passes: once the same settings have been applied twice in a row,
  // applying them again changes nothing but the input filters' restart, so a pass does only that.
  SpaceSettings lastSettings = {};
  int identicalPasses = 0;

  float inLeft[Cloudseed::ReverbChannel::kMaxBlock] = {};
  float inRight[Cloudseed::ReverbChannel::kMaxBlock] = {};
  float outLeft[Cloudseed::ReverbChannel::kMaxBlock] = {};
  float outRight[Cloudseed::ReverbChannel::kMaxBlock] = {};
};

} // namespace brimvale::engine
