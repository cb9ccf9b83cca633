// The signal the module and plug-in tests load as a sample layer.
#pragma once

#include <cstddef>
#include <vector>

namespace testhost
{

// A stereo test signal: two detuned sines with a slow amplitude swell, peak below 0.8.
std::vector<std::vector<float>> MakeTestSignal(int sampleRate, double seconds);

// One sine tone of the given frequency and amplitude, frames long, at the given rate.
std::vector<float> MakeTone(double hz, size_t frames, float amplitude, double sampleRate);

} // namespace testhost
