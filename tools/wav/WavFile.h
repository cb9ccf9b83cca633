// Whole WAV files from sample channels, as the render program writes its output and the tests
// write their sample layers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wavwriter
{

enum class EWavFormat
{
  kPcm16,
  kFloat32
};

// Channels of equal length (a shorter one is padded with silence); 16-bit samples are clipped to -1..1.
std::vector<uint8_t> EncodeWav(const std::vector<std::vector<float>>& channels, int sampleRate, EWavFormat format);

// Writes bytes to the file at path (UTF-8 on every platform), replacing it.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

// EncodeWav written to path; false when there are no channels or the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<std::vector<float>>& channels, int sampleRate,
              EWavFormat format);

} // namespace wavwriter
