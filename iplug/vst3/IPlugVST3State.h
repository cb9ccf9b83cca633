// How a VST3 instance's state travels through the host's stream: the plug-in's chunk followed by
// a 32-bit bypass flag.
#pragma once

#include "iplug/IPlugByteChunk.h"

#include "pluginterfaces/base/ibstream.h"

namespace iplug
{

// A stream longer than this is not taken as a state; it also keeps chunk positions far from
// the limits of their int type.
constexpr int kMaxVST3StateBytes = 256 * 1024 * 1024;

/** Writes chunk, then bypassed as an int32; false when the stream takes fewer bytes than given. */
bool WriteVST3State(Steinberg::IBStream* stream, const IByteChunk& chunk, bool bypassed);

/** Reads the whole stream into chunk in pieces of 128 bytes, until a read gives nothing or fails
 *  (a failure is read past when tolerateErrors). False when the stream holds more than
 *  kMaxVST3StateBytes or the chunk cannot grow. */
bool ReadVST3Stream(Steinberg::IBStream* stream, IByteChunk& chunk, bool tolerateErrors);

/** The bypass flag that follows the plug-in's chunk, which ends at pos; false when it can't be read. */
bool ReadVST3Bypass(Steinberg::IBStream* stream, int pos, bool& bypassed);

} // namespace iplug
