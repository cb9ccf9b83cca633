// Writing and reading the RIFF/WAVE files that the tests and the render program use.
#pragma once

#include <string>
#include <vector>

namespace testhost {

enum class EWavFormat { kPcm16, kFloat32 };

// Channels of equal length; samples of 16-bit files are clipped to -1..1.
bool WriteWav(const std::string& path, const std::vector<std::vector<float>>& channels,
              int sampleRate, EWavFormat format);

// A stereo test signal: two detuned sines with a slow amplitude swell, peak below 0.8.
std::vector<std::vector<float>> MakeTestSignal(int sampleRate, double seconds);

} // namespace testhost
