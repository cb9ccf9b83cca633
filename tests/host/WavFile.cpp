#include "tests/host/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace testhost {

namespace {

void PutU32(std::vector<unsigned char>& b, uint32_t v)
{
  for (int i = 0; i < 4; ++i)
    b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void PutU16(std::vector<unsigned char>& b, uint16_t v)
{
  b.push_back(static_cast<unsigned char>(v));
  b.push_back(static_cast<unsigned char>(v >> 8));
}

void PutTag(std::vector<unsigned char>& b, const char* tag)
{
  b.insert(b.end(), tag, tag + 4);
}

} // namespace

bool WriteWav(const std::string& path, const std::vector<std::vector<float>>& channels,
              int sampleRate, EWavFormat format)
{
  if (channels.empty())
    return false;
  const uint16_t nChans = static_cast<uint16_t>(channels.size());
  const size_t frames = channels[0].size();
  const uint16_t bytesPerSample = format == EWavFormat::kPcm16 ? 2 : 4;
  const uint32_t dataBytes = static_cast<uint32_t>(frames * nChans * bytesPerSample);

  std::vector<unsigned char> b;
  b.reserve(44 + dataBytes);
  PutTag(b, "RIFF");
  PutU32(b, 36 + dataBytes);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  PutU32(b, 16);
  PutU16(b, format == EWavFormat::kPcm16 ? 1 : 3);
  PutU16(b, nChans);
  PutU32(b, static_cast<uint32_t>(sampleRate));
  PutU32(b, static_cast<uint32_t>(sampleRate) * nChans * bytesPerSample);
  PutU16(b, static_cast<uint16_t>(nChans * bytesPerSample));
  PutU16(b, static_cast<uint16_t>(8 * bytesPerSample));
  PutTag(b, "data");
  PutU32(b, dataBytes);
  for (size_t i = 0; i < frames; ++i)
  {
    for (const auto& channel : channels)
    {
      const float s = i < channel.size() ? channel[i] : 0.0f;
      if (format == EWavFormat::kPcm16)
      {
        const float clipped = std::clamp(s, -1.0f, 1.0f);
        PutU16(b, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clipped * 32767.0f))));
      }
      else
      {
        uint32_t bits = 0;
        static_assert(sizeof(bits) == sizeof(s), "32-bit float");
        std::memcpy(&bits, &s, sizeof(bits));
        PutU32(b, bits);
      }
    }
  }

  std::ofstream file(std::filesystem::u8path(path), std::ios::binary);
  file.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return static_cast<bool>(file);
}

std::vector<std::vector<float>> MakeTestSignal(int sampleRate, double seconds)
{
  const size_t frames = static_cast<size_t>(seconds * sampleRate);
  std::vector<std::vector<float>> out(2, std::vector<float>(frames));
  const double twoPi = 6.283185307179586;
  for (size_t i = 0; i < frames; ++i)
  {
    const double t = static_cast<double>(i) / sampleRate;
    const double swell = 0.5 + 0.25 * std::sin(twoPi * 0.5 * t);
    out[0][i] = static_cast<float>(swell * std::sin(twoPi * 220.0 * t));
    out[1][i] = static_cast<float>(swell * std::sin(twoPi * 221.5 * t));
  }
  return out;
}

} // namespace testhost
