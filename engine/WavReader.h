#pragma once

#include "engine/ByteSource.h"
#include "engine/SampleBuffer.h"

#include <cstdint>

namespace brimvale::engine
{

// Decodes a RIFF/WAVE stream of 16-, 24- or 32-bit PCM or 32-bit float, mono or stereo, into the
// channels and rate of out (its name is the caller's). False when the stream is not such a file or
// its sample is longer than kMaxSampleFrames; out is then unchanged. The only memory set aside is
// the sample's floats: the stream's bytes are decoded a small piece at a time, and a body that is
// not kept is never read.
bool ReadWavSamples(ByteSource& source, SampleBuffer& out);

// One sample value in -1..1: 32-bit float (formatTag 3) or 16/24/32-bit PCM (formatTag 1); 0 otherwise.
double DecodeWavSample(const unsigned char* bytes, uint16_t formatTag, uint16_t bitsPerSample);

} // namespace brimvale::engine
