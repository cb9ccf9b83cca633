#pragma once

// Parameter indices, in creation order; the host sees them as ids 0..36.
enum EParams
{
  kSampleAPlay = 0,
  kSampleALevel,
  kSampleAPan,
  kSampleAStart,
  kSampleASpeed,
  kSampleASpeedMode,
  kSampleASemitones,
  kSampleAReverse,
  kSampleBPlay,
  kSampleBLevel,
  kSampleBPan,
  kSampleBStart,
  kSampleBSpeed,
  kSampleBSpeedMode,
  kSampleBSemitones,
  kSampleBReverse,
  kBlend,
  kBlendLfo,
  kFilterCutoff,
  kFilterResonance,
  kFilterDrive,
  kFilterLfoA,
  kFilterLfoB,
  kFilterMode,
  kMotionARate,
  kMotionADepth,
  kMotionAShape,
  kMotionADestination,
  kMotionBRate,
  kMotionBDepth,
  kMotionBShape,
  kMotionBDestination,
  kSpaceSize,
  kSpaceMix,
  kMaster,
  kSpaceDecay,
  kSpaceWidth,
  kNumParams
};

// The editor controls that the plug-in addresses by tag.
enum EControlTags
{
  kCtrlTagPanel = 0,
  kCtrlTagBlend,
  kCtrlTagFilterDisplay,
  kCtrlTagMeter,
  kCtrlTagSampleALoad,
  kCtrlTagSampleBLoad,
  kCtrlTagInit,
  kCtrlTagLink,
  kCtrlTagSampleARate,
  kCtrlTagSampleASemi,
  kCtrlTagSampleBRate,
  kCtrlTagSampleBSemi,
};
