#include "tools/wav/WavBuilder.h"

#include <cmath>
#include <cstring>

namespace wavwriter
{
namespace
{
void PutU16(std::vector<uint8_t>& out, uint32_t v)
{
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
  PutU16(out, v & 0xffffu);
  PutU16(out, v >> 16);
}

std::vector<uint8_t> FmtBody(uint16_t formatTag, uint16_t channels, uint32_t sampleRate, uint16_t bits)
{
  std::vector<uint8_t> body;
  PutU16(body, formatTag);
  PutU16(body, channels);
  PutU32(body, sampleRate);
  PutU32(body, sampleRate * channels * (bits / 8u));
  PutU16(body, static_cast<uint16_t>(channels * (bits / 8u)));
  PutU16(body, bits);
  return body;
}
} // namespace

WavBuilder& WavBuilder::Header(const char* riff, const char* wave)
{
  mBytes.insert(mBytes.end(), riff, riff + 4);
  PutU32(mBytes, 0);
  mBytes.insert(mBytes.end(), wave, wave + 4);
  return *this;
}

WavBuilder& WavBuilder::Fmt(uint16_t formatTag, uint16_t channels, uint32_t sampleRate, uint16_t bitsPerSample)
{
  mFormatTag = formatTag;
  mBits = bitsPerSample;
  return Chunk("fmt ", FmtBody(formatTag, channels, sampleRate, bitsPerSample));
}

WavBuilder& WavBuilder::FmtExtensible(uint16_t subFormat, uint16_t channels, uint32_t sampleRate,
                                      uint16_t bitsPerSample)
{
  mFormatTag = subFormat;
  mBits = bitsPerSample;
  std::vector<uint8_t> body = FmtBody(65534, channels, sampleRate, bitsPerSample);
  PutU16(body, 22);            // extension size
  PutU16(body, bitsPerSample); // valid bits
  PutU32(body, 3);             // channel mask
  PutU16(body, subFormat);     // first two bytes of the sub-format identifier
  static const uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
  body.insert(body.end(), kGuidTail, kGuidTail + 14);
  return Chunk("fmt ", body);
}

WavBuilder& WavBuilder::Chunk(const char* id, const std::vector<uint8_t>& body, int64_t declaredSize, bool pad)
{
  mBytes.insert(mBytes.end(), id, id + 4);
  PutU32(mBytes, static_cast<uint32_t>(declaredSize < 0 ? static_cast<int64_t>(body.size()) : declaredSize));
  mBytes.insert(mBytes.end(), body.begin(), body.end());
  if (pad && (body.size() & 1u) != 0)
    mBytes.push_back(0);
  return *this;
}

WavBuilder& WavBuilder::Data(const std::vector<double>& samples)
{
  std::vector<uint8_t> body;
  for (double s : samples)
  {
    if (mFormatTag == 3)
    {
      const float f = static_cast<float>(s);
      uint32_t raw;
      std::memcpy(&raw, &f, 4);
      PutU32(body, raw);
    }
    else if (mBits == 8)
    {
      body.push_back(static_cast<uint8_t>(std::lround(s * 127.0) + 128));
    }
    else
    {
      const double scale = std::ldexp(1.0, mBits - 1);
      const int64_t v = std::llround(std::fmax(-scale, std::fmin(scale - 1.0, s * scale)));
      for (int b = 0; b < mBits / 8; ++b)
        body.push_back(static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * b)));
    }
  }
  return Chunk("data", body);
}

WavBuilder& WavBuilder::Raw(const std::vector<uint8_t>& bytes)
{
  mBytes.insert(mBytes.end(), bytes.begin(), bytes.end());
  return *this;
}

WavBuilder& WavBuilder::Truncate(size_t size)
{
  if (size < mBytes.size())
    mBytes.resize(size);
  return *this;
}

const std::vector<uint8_t>& WavBuilder::Bytes()
{
  if (mBytes.size() >= 8 && std::memcmp(mBytes.data(), "RIFF", 4) == 0)
  {
    const uint32_t size = static_cast<uint32_t>(mBytes.size() - 8);
    for (int b = 0; b < 4; ++b)
      mBytes[4 + b] = static_cast<uint8_t>(size >> (8 * b));
  }
  return mBytes;
}

} // namespace wavwriter
