#pragma once

#include "engine/BrimvaleEngine.h"
#include "engine/ByteSource.h"

// Decodes a RIFF/WAVE stream of 16-, 24- or 32-bit PCM or 32-bit float, mono or stereo, into the
// channels and rate of out (its name is the caller's). False when the stream is not such a file;
// out is then unchanged. Memory set aside never exceeds what the source still holds.
bool ReadWavSamples(ByteSource& source, BrimvaleEngine::SampleBuffer& out);
