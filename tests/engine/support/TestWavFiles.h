// WAV files for the engine's tests and benchmarks, and a temporary folder to put them in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace enginetest
{

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
