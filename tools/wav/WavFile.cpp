#include "tools/wav/WavFile.h"

#include "tools/wav/WavBuilder.h"

#include <filesystem>
#include <fstream>

namespace wavwriter
{

std::vector<uint8_t> EncodeWav(const std::vector<std::vector<float>>& channels, int sampleRate, EWavFormat format)
{
  const size_t frames = channels.empty() ? 0 : channels[0].size();
  std::vector<double> interleaved;
  interleaved.reserve(frames * channels.size());
  for (size_t i = 0; i < frames; ++i)
    for (const auto& channel : channels)
      interleaved.push_back(i < channel.size() ? channel[i] : 0.0);
  const bool pcm = format == EWavFormat::kPcm16;
  return WavBuilder()
    .Header()
    .Fmt(pcm ? 1 : 3, static_cast<uint16_t>(channels.size()), static_cast<uint32_t>(sampleRate), pcm ? 16 : 32)
    .Data(interleaved)
    .Bytes();
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
  // u8path is the portable way to say "these bytes are UTF-8" in C++17, also on Windows.
  std::ofstream file(std::filesystem::u8path(path), std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool WriteWav(const std::string& path, const std::vector<std::vector<float>>& channels, int sampleRate,
              EWavFormat format)
{
  return !channels.empty() && WriteFile(path, EncodeWav(channels, sampleRate, format));
}

} // namespace wavwriter
