// Untrusted bytes through the WAV reader and the path helpers: whatever the input, no crash, no
// hang, no allocation beyond the input's size, and an accepted file gives matching channels in -1..1.
#include "engine/SampleFiles.h"
#include "engine/WavReader.h"

#include <cstdlib>
#include <string>

using brimvale::engine::FileNameFromPath;
using brimvale::engine::MemoryByteSource;
using brimvale::engine::NormalizeAudioFilePath;
using brimvale::engine::ReadWavSamples;
using brimvale::engine::SampleBuffer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  MemoryByteSource source(data, size);
  SampleBuffer out;
  if (ReadWavSamples(source, out))
  {
    if (out.left.empty() || out.left.size() != out.right.size() || !(out.sampleRate > 0.0))
      std::abort();
    for (size_t i = 0; i < out.left.size(); ++i)
      if (!(out.left[i] >= -1.0f && out.left[i] <= 1.0f && out.right[i] >= -1.0f && out.right[i] <= 1.0f))
        std::abort();
  }

  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string path = NormalizeAudioFilePath(text.c_str());
  if (path.size() > text.size())
    std::abort();
  FileNameFromPath(path.c_str());
  return 0;
}
