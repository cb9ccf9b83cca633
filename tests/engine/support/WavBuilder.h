#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace enginetest
{

// Builds RIFF/WAVE files chunk by chunk, well-formed or not.
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

// A stereo 16-bit file of frames frames: left and right sine waves of their own frequencies.
std::vector<uint8_t> StereoSineWav(uint32_t sampleRate, size_t frames, double leftHz, double rightHz, double amplitude);

// A mono 16-bit file holding one value throughout.
std::vector<uint8_t> ConstantWav(uint32_t sampleRate, size_t frames, double value);

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder
{
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Writes bytes to name (UTF-8) inside the folder and returns the UTF-8 path.
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  const std::string& Path() const { return mPath; }

private:
  std::string mPath;
};

} // namespace enginetest
