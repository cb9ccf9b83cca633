#pragma once

#include <cstdint>

namespace brimvale
{

/** A four-character code as hosts read it: the first character in the most significant byte. */
constexpr int FourCharCode(const char (&code)[5])
{
  return int(uint32_t(uint8_t(code[0])) << 24 | uint32_t(uint8_t(code[1])) << 16 | uint32_t(uint8_t(code[2])) << 8 |
             uint32_t(uint8_t(code[3])));
}

// Hosts store these with every project and preset that uses the plug-in: they never change.
constexpr int kUniqueID = FourCharCode("BVm1");
constexpr int kMakerID = FourCharCode("Duzi");
/** The module's one class, each word written most significant byte first; the last is the unique id. */
constexpr uint32_t kClassIdWords[4] = {0xF2AEE70D, 0x00DE4F4E, 0x50776C6C, uint32_t(kUniqueID)};

} // namespace brimvale

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
