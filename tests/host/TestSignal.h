// The signal the module and plug-in tests load as a sample layer.
#pragma once

#include <vector>

namespace testhost
{

// A stereo test signal: two detuned sines with a slow amplitude swell, peak below 0.8.
std::vector<std::vector<float>> MakeTestSignal(int sampleRate, double seconds);

} // namespace testhost
