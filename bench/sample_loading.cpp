// Decoding a minute of stereo 24-bit PCM: the engine's own reader next to libsndfile on the same
// file, both ending in 32-bit float frames in memory. "ratio_to_libsndfile" is the engine's time per
// load over libsndfile's, measured just before in the same run.
#include "engine/SampleBuffer.h"
#include "engine/SampleFiles.h"
#include "tests/engine/support/TestWavFiles.h"
#include "tools/wav/WavBuilder.h"
#include "utility/MathConstants.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using brimvale::engine::LoadWavFile;
using brimvale::engine::SampleBuffer;

namespace
{
constexpr uint32_t kRate = 48000;
constexpr size_t kFrames = 60 * kRate;

// A chord on each side, one of them swelling, over a little noise, so that every byte of the
// samples varies as in a recording.
std::vector<uint8_t> MinuteOfStereo24()
{
  const double twoPi = brimvale::utility::kTwoPi;
  std::vector<double> samples;
  samples.reserve(kFrames * 2);
  uint32_t noise = 1;
  for (size_t i = 0; i < kFrames; ++i)
  {
    const double t = static_cast<double>(i) / kRate;
    noise = noise * 1664525u + 1013904223u;
    const double hiss = 0.01 * (static_cast<double>(noise >> 8) / 8388608.0 - 1.0);
    samples.push_back(0.4 * std::sin(twoPi * 110.0 * t) + 0.2 * std::sin(twoPi * 164.8 * t) + hiss);
    samples.push_back((0.3 + 0.2 * std::sin(twoPi * 0.25 * t)) * std::sin(twoPi * 138.6 * t) + hiss);
  }
  return wavwriter::WavBuilder().Header().Fmt(1, 2, kRate, 24).Data(samples).Bytes();
}

struct MinuteFile
{
  enginetest::TempFolder folder;
  std::vector<uint8_t> bytes = MinuteOfStereo24();
  std::string path = folder.Write("minute-24bit.wav", bytes);
};

// Written once per program, for both readers.
const MinuteFile& TheMinuteFile()
{
  static const MinuteFile file;
  return file;
}

// Frames decoded, zero on failure.
size_t LoadWithEngine(const std::string& path)
{
  SampleBuffer buffer;
  if (!LoadWavFile(path.c_str(), buffer, "minute"))
    return 0;
  benchmark::DoNotOptimize(buffer.left.data());
  return buffer.left.size();
}

size_t LoadWithSndfile(const std::string& path)
{
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr)
    return 0;
  std::vector<float> frames(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  const sf_count_t read = sf_readf_float(file, frames.data(), info.frames);
  sf_close(file);
  benchmark::DoNotOptimize(frames.data());
  return read < 0 ? 0 : static_cast<size_t>(read);
}

struct Reader
{
  size_t (*load)(const std::string& path);
  bool isReference;
};

// Seconds per load of the reference reader; zero until it has run.
double gReferenceSeconds = 0.0;

void SampleLoad(benchmark::State& state, Reader reader)
{
  const MinuteFile& file = TheMinuteFile();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
  {
    if (reader.load(file.path) != kFrames)
    {
      state.SkipWithError("the file did not load whole");
      return;
    }
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const double secondsPerLoad = elapsed.count() / static_cast<double>(state.iterations());

  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.bytes.size()));
  state.counters["ms_per_load"] = secondsPerLoad * 1e3;
  if (reader.isReference)
    gReferenceSeconds = secondsPerLoad;
  else if (gReferenceSeconds > 0.0)
    state.counters["ratio_to_libsndfile"] = secondsPerLoad / gReferenceSeconds;
}
// The reference first, so that the engine's run can be held against it.
BENCHMARK_CAPTURE(SampleLoad, libsndfile, Reader{&LoadWithSndfile, true})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(SampleLoad, LoadWavFile, Reader{&LoadWithEngine, false})
  ->Unit(benchmark::kMillisecond)
  ->UseRealTime();
} // namespace
