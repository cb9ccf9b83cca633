#include "tests/engine/support/TestWavFiles.h"

#include "tools/wav/WavBuilder.h"
#include "tools/wav/WavFile.h"
#include "utility/MathConstants.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>

namespace enginetest
{
namespace
{
std::filesystem::path FromUtf8(const std::string& text)
{
  // u8path is the portable way to say "these bytes are UTF-8" in C++17, also on Windows.
  return std::filesystem::u8path(text);
}
} // namespace

std::vector<uint8_t> StereoSineWav(uint32_t sampleRate, size_t frames, double leftHz, double rightHz, double amplitude)
{
  std::vector<double> samples;
  samples.reserve(frames * 2);
  const double twoPi = brimvale::utility::kTwoPi;
  for (size_t i = 0; i < frames; ++i)
  {
    const double t = static_cast<double>(i) / sampleRate;
    samples.push_back(amplitude * std::sin(twoPi * leftHz * t));
    samples.push_back(amplitude * std::sin(twoPi * rightHz * t));
  }
  return wavwriter::WavBuilder().Header().Fmt(1, 2, sampleRate, 16).Data(samples).Bytes();
}

std::vector<uint8_t> ConstantWav(uint32_t sampleRate, size_t frames, double value)
{
  return wavwriter::WavBuilder().Header().Fmt(1, 1, sampleRate, 16).Data(std::vector<double>(frames, value)).Bytes();
}

TempFolder::TempFolder()
{
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("brimvale-engine-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path);
  mPath = path.u8string();
}

TempFolder::~TempFolder()
{
  std::error_code ignored;
  std::filesystem::remove_all(FromUtf8(mPath), ignored);
}

std::string TempFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
  const std::string path = (FromUtf8(mPath) / FromUtf8(name)).u8string();
  wavwriter::WriteFile(path, bytes);
  return path;
}

} // namespace enginetest
