// The files the render program and the tests write, read back by the engine's own WAV reader.
#include "engine/ByteSource.h"
#include "engine/SampleFiles.h"
#include "engine/WavReader.h"
#include "tools/wav/WavFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using brimvale::engine::LoadWavFile;
using brimvale::engine::MemoryByteSource;
using brimvale::engine::ReadWavSamples;
using brimvale::engine::SampleBuffer;
using wavwriter::EWavFormat;

namespace
{

using Channels = std::vector<std::vector<float>>;

// A shorter channel is padded with silence; a mono file reads back on both sides.
TEST(WavFile, TheEngineReadsBackWhatWasEncoded)
{
  const std::vector<float> wide = {0.5f, -0.25f, 0.999f, -1.0f, 0.1234f};
  const std::vector<float> narrow = {-0.75f, 0.0f, 0.3f};
  struct Case
  {
    const char* name;
    Channels channels;
    EWavFormat format;
    int rate;
    double tolerance;
  };
  const double halfStep16 = 0.5 / 32768.0 + 1e-9;
  const Case cases[] = {
    {"pcm16 stereo", {wide, narrow}, EWavFormat::kPcm16, 44100, halfStep16},
    {"pcm16 mono", {wide}, EWavFormat::kPcm16, 22050, halfStep16},
    {"float32 stereo", {wide, narrow}, EWavFormat::kFloat32, 96000, 0.0},
  };
  for (const Case& c : cases)
  {
    const std::vector<uint8_t> bytes = wavwriter::EncodeWav(c.channels, c.rate, c.format);
    MemoryByteSource source(bytes.data(), bytes.size());
    SampleBuffer out;
    ASSERT_TRUE(ReadWavSamples(source, out)) << c.name;
    EXPECT_EQ(out.sampleRate, c.rate) << c.name;
    ASSERT_EQ(out.left.size(), wide.size()) << c.name;
    ASSERT_EQ(out.right.size(), wide.size()) << c.name;
    const std::vector<float>& right = c.channels.back();
    for (size_t i = 0; i < wide.size(); ++i)
    {
      EXPECT_NEAR(out.left[i], wide[i], c.tolerance) << c.name << " left " << i;
      EXPECT_NEAR(out.right[i], i < right.size() ? right[i] : 0.0f, c.tolerance) << c.name << " right " << i;
    }
  }
}

TEST(WavFile, WritesToAUtf8PathAndRefusesNoChannels)
{
  const auto dir = std::filesystem::temp_directory_path() / "brimvale-wav-writer-test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / std::filesystem::u8path(u8"gr\u00fc\u00dfe.wav")).u8string();
  ASSERT_TRUE(wavwriter::WriteWav(path, {{0.25f, -0.5f}, {0.75f, 0.0f}}, 48000, EWavFormat::kFloat32));
  SampleBuffer out;
  ASSERT_TRUE(LoadWavFile(path.c_str(), out, "fallback"));
  EXPECT_EQ(out.left, (std::vector<float>{0.25f, -0.5f}));
  EXPECT_EQ(out.right, (std::vector<float>{0.75f, 0.0f}));

  EXPECT_FALSE(wavwriter::WriteWav((dir / "none.wav").u8string(), {}, 48000, EWavFormat::kPcm16));
  std::filesystem::remove_all(dir);
}

} // namespace
