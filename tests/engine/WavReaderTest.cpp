#include "engine/SampleFiles.h"
#include "engine/WavReader.h"
#include "tools/wav/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using brimvale::engine::DecodeWavSample;
using brimvale::engine::MemoryByteSource;
using brimvale::engine::ReadWavSamples;
using brimvale::engine::SampleBuffer;
using wavwriter::WavBuilder;

namespace
{
using Bytes = std::vector<uint8_t>;

Bytes U32(uint32_t v)
{
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

struct Case
{
  const char* name;
  Bytes bytes;
  bool accepted;
  size_t frames;
  double rate;
  float firstLeft;
  float firstRight;
};

std::vector<Case> Cases()
{
  const std::vector<double> stereo = {0.5, -0.25, 0.125, 0.75};
  const std::vector<double> mono = {0.5, -0.25, 0.125};
  const float q16 = 16384.0f / 32768.0f, m16 = -8192.0f / 32768.0f;
  return {
    {"pcm16 mono", WavBuilder().Header().Fmt(1, 1, 44100, 16).Data(mono).Bytes(), true, 3, 44100, q16, q16},
    {"pcm16 stereo", WavBuilder().Header().Fmt(1, 2, 48000, 16).Data(stereo).Bytes(), true, 2, 48000, q16, m16},
    {"pcm24 stereo 96k", WavBuilder().Header().Fmt(1, 2, 96000, 24).Data(stereo).Bytes(), true, 2, 96000, 0.5f, -0.25f},
    {"pcm32", WavBuilder().Header().Fmt(1, 2, 48000, 32).Data(stereo).Bytes(), true, 2, 48000, 0.5f, -0.25f},
    {"float32", WavBuilder().Header().Fmt(3, 1, 22050, 32).Data(mono).Bytes(), true, 3, 22050, 0.5f, 0.5f},
    {"extensible float", WavBuilder().Header().FmtExtensible(3, 2, 48000, 32).Data(stereo).Bytes(), true, 2, 48000,
     0.5f, -0.25f},
    {"extensible pcm24", WavBuilder().Header().FmtExtensible(1, 1, 48000, 24).Data(mono).Bytes(), true, 3, 48000, 0.5f,
     0.5f},
    {"pcm8", WavBuilder().Header().Fmt(1, 1, 44100, 8).Data(mono).Bytes(), false, 0, 0, 0, 0},
    {"three channels", WavBuilder().Header().Fmt(1, 3, 44100, 16).Data({0.1, 0.2, 0.3}).Bytes(), false, 0, 0, 0, 0},
    {"zero channels", WavBuilder().Header().Fmt(1, 0, 44100, 16).Data(mono).Bytes(), false, 0, 0, 0, 0},
    {"rate zero", WavBuilder().Header().Fmt(1, 1, 0, 16).Data(mono).Bytes(), false, 0, 0, 0, 0},
    {"float64", WavBuilder().Header().Fmt(3, 1, 44100, 64).Chunk("data", Bytes(16, 0)).Bytes(), false, 0, 0, 0, 0},
    {"pcm20", WavBuilder().Header().Fmt(1, 1, 44100, 20).Chunk("data", Bytes(12, 0)).Bytes(), false, 0, 0, 0, 0},
    {"list between fmt and data",
     WavBuilder().Header().Fmt(1, 1, 44100, 16).Chunk("LIST", Bytes(10, 7)).Data(mono).Bytes(), true, 3, 44100, q16,
     q16},
    {"odd chunk with pad byte",
     WavBuilder().Header().Chunk("junk", Bytes(5, 1)).Fmt(1, 1, 44100, 16).Data(mono).Bytes(), true, 3, 44100, q16,
     q16},
    {"data before fmt", WavBuilder().Header().Data(mono).Fmt(1, 1, 8000, 16).Bytes(), true, 3, 8000, q16, q16},
    {"two data chunks", WavBuilder().Header().Fmt(1, 1, 44100, 16).Data(mono).Data({-0.5, 0.25}).Bytes(), true, 2,
     44100, -0.5f, -0.5f},
    {"a later fmt overrides", WavBuilder().Header().Fmt(1, 2, 44100, 16).Fmt(1, 1, 32000, 16).Data(mono).Bytes(), true,
     3, 32000, q16, q16},
    {"short fmt is skipped", WavBuilder().Header().Chunk("fmt ", Bytes(14, 1)).Data(mono).Bytes(), false, 0, 0, 0, 0},
    {"no data", WavBuilder().Header().Fmt(1, 1, 44100, 16).Bytes(), false, 0, 0, 0, 0},
    {"empty data", WavBuilder().Header().Fmt(1, 1, 44100, 16).Chunk("data", {}).Bytes(), false, 0, 0, 0, 0},
    {"less than a frame", WavBuilder().Header().Fmt(1, 2, 44100, 16).Chunk("data", Bytes(3, 0)).Bytes(), false, 0, 0, 0,
     0},
    {"trailing partial frame", WavBuilder().Header().Fmt(1, 2, 44100, 16).Chunk("data", Bytes(11, 0)).Bytes(), true, 2,
     44100, 0, 0},
    {"truncated data alone", WavBuilder().Header().Fmt(1, 1, 44100, 16).Chunk("data", Bytes(6, 0), 4000).Bytes(), false,
     0, 0, 0, 0},
    {"truncated data after good data",
     WavBuilder().Header().Fmt(1, 1, 44100, 16).Data(mono).Chunk("data", Bytes(6, 0), 4000).Bytes(), true, 3, 44100,
     q16, q16},
    {"huge declared chunk ends the walk",
     WavBuilder().Header().Fmt(1, 1, 44100, 16).Data(mono).Chunk("LIST", Bytes(4, 0), 0xffffffffu).Bytes(), true, 3,
     44100, q16, q16},
    {"huge declared data",
     WavBuilder()
       .Header()
       .Fmt(1, 1, 44100, 16)
       .Raw({'d', 'a', 't', 'a'})
       .Raw(U32(0xfffffff0u))
       .Raw(Bytes(64, 1))
       .Bytes(),
     false, 0, 0, 0, 0},
    {"truncated fmt", WavBuilder().Header().Raw({'f', 'm', 't', ' '}).Raw(U32(40)).Raw(Bytes(20, 1)).Bytes(), false, 0,
     0, 0, 0},
    {"truncated header", WavBuilder().Header().Truncate(10).Bytes(), false, 0, 0, 0, 0},
    {"empty file", Bytes(), false, 0, 0, 0, 0},
    {"not riff", WavBuilder().Header("RIFX").Fmt(1, 1, 44100, 16).Data(mono).Bytes(), false, 0, 0, 0, 0},
    {"not wave", WavBuilder().Header("RIFF", "AVI ").Fmt(1, 1, 44100, 16).Data(mono).Bytes(), false, 0, 0, 0, 0},
    {"float values are clamped", WavBuilder().Header().Fmt(3, 2, 44100, 32).Data({2.0, -3.0}).Bytes(), true, 1, 44100,
     1.0f, -1.0f},
    {"nan plays as silence",
     WavBuilder()
       .Header()
       .Fmt(3, 2, 44100, 32)
       .Data({std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()})
       .Bytes(),
     true, 1, 44100, 0.0f, -1.0f},
  };
}

TEST(WavReader, Layouts)
{
  for (const Case& c : Cases())
  {
    SampleBuffer out;
    out.left = {0.3f};
    out.right = {0.3f};
    out.sampleRate = 12345.0;
    MemoryByteSource source(c.bytes.data(), c.bytes.size());
    ASSERT_EQ(ReadWavSamples(source, out), c.accepted) << c.name;
    if (!c.accepted)
    {
      EXPECT_EQ(out.left, std::vector<float>{0.3f}) << c.name << ": a refused file changes nothing";
      EXPECT_EQ(out.sampleRate, 12345.0) << c.name;
      continue;
    }
    ASSERT_EQ(out.left.size(), c.frames) << c.name;
    ASSERT_EQ(out.right.size(), c.frames) << c.name;
    EXPECT_EQ(out.sampleRate, c.rate) << c.name;
    EXPECT_FLOAT_EQ(out.left[0], c.firstLeft) << c.name;
    EXPECT_FLOAT_EQ(out.right[0], c.firstRight) << c.name;
  }
}

TEST(WavReader, EveryTruncationOfAGoodFileIsHandled)
{
  const Bytes good =
    WavBuilder().Header().Fmt(1, 2, 44100, 24).Chunk("LIST", Bytes(9, 2)).Data({0.1, 0.2, 0.3, 0.4, 0.5, 0.6}).Bytes();
  for (size_t size = 0; size <= good.size(); ++size)
  {
    SampleBuffer out;
    MemoryByteSource source(good.data(), size);
    const bool accepted = ReadWavSamples(source, out);
    EXPECT_EQ(accepted, size == good.size()) << size;
  }
}

// Long enough to be decoded in several pieces for every layout, with a chunk after it, so the walk
// passes the body and comes back for it.
TEST(WavReader, ALongDataChunkKeepsEveryFrame)
{
  struct Layout
  {
    uint16_t formatTag;
    uint16_t channels;
    uint16_t bits;
  };
  const Layout layouts[] = {{1, 1, 16}, {1, 2, 16}, {1, 2, 24}, {1, 1, 32}, {3, 2, 32}};
  constexpr size_t kFrames = 10007;
  // Multiples of 2^-10 are exact in every layout.
  auto value = [](size_t frame, size_t channel) {
    return static_cast<double>(static_cast<int>((frame * 37 + channel * 501) % 2001) - 1000) / 1024.0;
  };
  for (const Layout& layout : layouts)
  {
    SCOPED_TRACE(testing::Message() << layout.formatTag << "/" << layout.channels << "/" << layout.bits);
    std::vector<double> samples;
    for (size_t frame = 0; frame < kFrames; ++frame)
      for (size_t channel = 0; channel < layout.channels; ++channel)
        samples.push_back(value(frame, channel));
    const Bytes bytes = WavBuilder()
                          .Header()
                          .Fmt(layout.formatTag, layout.channels, 48000, layout.bits)
                          .Data(samples)
                          .Chunk("LIST", Bytes(10, 7))
                          .Bytes();
    SampleBuffer out;
    MemoryByteSource source(bytes.data(), bytes.size());
    ASSERT_TRUE(ReadWavSamples(source, out));
    ASSERT_EQ(out.left.size(), kFrames);
    size_t wrong = 0;
    for (size_t frame = 0; frame < kFrames; ++frame)
      if (out.left[frame] != static_cast<float>(value(frame, 0)) ||
          out.right[frame] != static_cast<float>(value(frame, layout.channels - 1)))
        ++wrong;
    EXPECT_EQ(wrong, 0u);
  }
}

TEST(WavReader, DecodeWavSample)
{
  struct Case
  {
    Bytes bytes;
    uint16_t formatTag;
    uint16_t bits;
    double expected;
  };
  const float half = 0.5f, big = 7.0f;
  Bytes halfBytes(4), bigBytes(4);
  std::memcpy(halfBytes.data(), &half, 4);
  std::memcpy(bigBytes.data(), &big, 4);
  const Case cases[] = {
    {{0x00, 0x80}, 1, 16, -1.0},
    {{0xff, 0x7f}, 1, 16, 32767.0 / 32768.0},
    {{0x01, 0x00}, 1, 16, 1.0 / 32768.0},
    {{0x00, 0x00, 0x80}, 1, 24, -1.0},
    {{0xff, 0xff, 0x7f}, 1, 24, 8388607.0 / 8388608.0},
    {{0xff, 0xff, 0xff}, 1, 24, -1.0 / 8388608.0},
    {{0x00, 0x00, 0x00, 0x80}, 1, 32, -1.0},
    {{0x00, 0x00, 0x00, 0x40}, 1, 32, 0.5},
    {halfBytes, 3, 32, 0.5},
    {bigBytes, 3, 32, 1.0},
    {{0x00, 0x80}, 2, 16, 0.0},
    {{0x00, 0x80}, 1, 8, 0.0},
    {{0x00, 0x80, 0, 0}, 3, 16, 0.0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecodeWavSample(c.bytes.data(), c.formatTag, c.bits), c.expected) << c.formatTag << "/" << c.bits;
}
} // namespace
