#pragma once

#include "engine/ByteSource.h"
#include "engine/SampleBuffer.h"

#include <cstdint>

// Decodes a RIFF/WAVE stream of 16-, 24- or 32-bit PCM or 32-bit float, mono or stereo, into the
// channels and rate of out (its name is the caller's). False when the stream is not such a file;
// out is then unchanged. Memory set aside never exceeds what the source still holds.
bool ReadWavSamples(ByteSource& source, SampleBuffer& out);

// One sample value in -1..1: 32-bit float (formatTag 3) or 16/24/32-bit PCM (formatTag 1); 0 otherwise.
double DecodeWavSample(const unsigned char* bytes, uint16_t formatTag, uint16_t bitsPerSample);
