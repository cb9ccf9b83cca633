// brimvale_demo_samples DIR: writes the two sample layers of the demo render, a slow chord pad
// (pad.wav) and a breathing noise texture (texture.wav), as 16-bit stereo WAVs at 48 kHz.
#include "tools/wav/WavFile.h"
#include "utility/MathConstants.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using brimvale::utility::kTwoPi;
using wavwriter::EWavFormat;
using wavwriter::WriteWav;

namespace
{

constexpr int kRate = 48000;

using Channels = std::vector<std::vector<float>>;

// A minor chord, each voice slightly detuned between the ears, swelling in and out so the loop
// point is quiet.
Channels Pad(double seconds)
{
  const double voices[] = {110.0, 164.81, 220.0, 261.63, 329.63};
  const auto frames = static_cast<size_t>(seconds * kRate);
  Channels out(2, std::vector<float>(frames));
  for (size_t i = 0; i < frames; ++i)
  {
    const double t = static_cast<double>(i) / kRate;
    const double swell = 0.5 - 0.5 * std::cos(kTwoPi * t / seconds);
    for (int c = 0; c < 2; ++c)
    {
      double sum = 0.0;
      for (double f : voices)
        sum += std::sin(kTwoPi * f * (c ? 1.003 : 0.997) * t);
      out[static_cast<size_t>(c)][i] = static_cast<float>(0.12 * swell * sum);
    }
  }
  return out;
}

// Low-passed noise under a slow breath, each channel with its own seed.
Channels Texture(double seconds)
{
  const auto frames = static_cast<size_t>(seconds * kRate);
  Channels out(2, std::vector<float>(frames));
  for (int c = 0; c < 2; ++c)
  {
    uint32_t state = c ? 0x9E3779B9u : 0x85EBCA6Bu;
    double low = 0.0;
    for (size_t i = 0; i < frames; ++i)
    {
      state = state * 1664525u + 1013904223u;
      const double white = static_cast<double>(state >> 8) / 8388608.0 - 1.0;
      low += 0.02 * (white - low);
      const double t = static_cast<double>(i) / kRate;
      const double breath = 0.55 - 0.45 * std::cos(kTwoPi * t / (seconds / 2.0));
      out[static_cast<size_t>(c)][i] = static_cast<float>(2.5 * breath * low);
    }
  }
  return out;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: brimvale_demo_samples DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  if (!WriteWav(dir + "/pad.wav", Pad(8.0), kRate, EWavFormat::kPcm16) ||
      !WriteWav(dir + "/texture.wav", Texture(6.0), kRate, EWavFormat::kPcm16))
  {
    std::fprintf(stderr, "cannot write the demo samples into %s\n", dir.c_str());
    return 1;
  }
  std::printf("%s/pad.wav\n%s/texture.wav\n", dir.c_str(), dir.c_str());
  return 0;
}
