#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace iplug
{

// Host parameter ids beyond the plug-in's own parameters (ids 0 .. n-1).
constexpr Steinberg::Vst::ParamID kBypassParam = 0x10000;
constexpr Steinberg::Vst::ParamID kPresetParam = 0x10001;
constexpr Steinberg::Vst::ParamID kMIDICCParamStartIdx = 0x10002;

// Per MIDI channel: the 128 control changes, then channel pressure, then pitch bend.
constexpr int kCountCCParams = 130;
constexpr int kAftertouchCCParam = 128;
constexpr int kPitchBendCCParam = 129;
// Proxies are registered for the first MIDI channel only.
constexpr int kNumRegisteredCCChannels = 1;

} // namespace iplug
