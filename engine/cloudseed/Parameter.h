#pragma once

namespace Cloudseed
{

// The 45 settings of a reverb channel, by id.
enum Parameter
{
  Interpolation = 0,
  LowCutEnabled,
  HighCutEnabled,
  InputMix,
  LowCut,
  HighCut,
  DryOut,
  EarlyOut,
  LateOut,
  TapEnabled,
  TapCount,
  TapDecay,
  TapPredelay,
  TapLength,
  EarlyDiffuseEnabled,
  EarlyDiffuseCount,
  EarlyDiffuseDelay,
  EarlyDiffuseModAmount,
  EarlyDiffuseFeedback,
  EarlyDiffuseModRate,
  LateMode,
  LateLineCount,
  LateDiffuseEnabled,
  LateDiffuseCount,
  LateLineSize,
  LateLineModAmount,
  LateDiffuseDelay,
  LateDiffuseModAmount,
  LateLineDecay,
  LateLineModRate,
  LateDiffuseFeedback,
  LateDiffuseModRate,
  EqLowShelfEnabled,
  EqHighShelfEnabled,
  EqLowpassEnabled,
  EqLowFreq,
  EqHighFreq,
  EqCutoff,
  EqLowGain,
  EqHighGain,
  EqCrossSeed,
  SeedTap,
  SeedDiffusion,
  SeedDelay,
  SeedPostDiffusion,
  Count
};

enum ChannelLR
{
  Left = 0,
  Right = 1,
};

} // namespace Cloudseed
