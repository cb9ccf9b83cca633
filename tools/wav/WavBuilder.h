// The bytes of RIFF/WAVE files, built chunk by chunk, well-formed or not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wavwriter
{

class WavBuilder
{
public:
  // "RIFF", a size field (the final size unless given) and "WAVE".
  WavBuilder& Header(const char* riff = "RIFF", const char* wave = "WAVE");
  WavBuilder& Fmt(uint16_t formatTag, uint16_t channels, uint32_t sampleRate, uint16_t bitsPerSample);
  WavBuilder& FmtExtensible(uint16_t subFormat, uint16_t channels, uint32_t sampleRate, uint16_t bitsPerSample);
  // A chunk whose size field says declaredSize (its body size when negative); odd bodies get a pad byte.
  WavBuilder& Chunk(const char* id, const std::vector<uint8_t>& body, int64_t declaredSize = -1, bool pad = true);
  // Samples in -1..1 encoded for the format last given to Fmt; interleaved for stereo.
  WavBuilder& Data(const std::vector<double>& samples);
  WavBuilder& Raw(const std::vector<uint8_t>& bytes);
  WavBuilder& Truncate(size_t size);

  const std::vector<uint8_t>& Bytes();

private:
  std::vector<uint8_t> mBytes;
  uint16_t mFormatTag = 1;
  uint16_t mBits = 16;
};

} // namespace wavwriter
