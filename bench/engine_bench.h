// What the engine's benchmarks share: an engine playing the 10 s stereo sample on both layers,
// one block of output, and the real-time factor they report.
#pragma once

#include "engine/BrimvaleEngine.h"
#include "tests/engine/support/TestWavFiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <time.h>
#include <vector>

namespace enginebench
{
constexpr double kRate = 48000.0;

// Blocks rendered before measuring, so that the scratch buffers are sized and the LFOs running.
constexpr int kWarmUpBlocks = 20;

// Seconds of audio rendered per second of the benchmark's time ("realtime_factor"): the engine keeps
// up above 1. Those of brimvale_engine_bench, the floor's among them, run with UseRealTime, so that
// the time is the wall clock's: a block that waits (on a lock, on the disk) is late in a host all the
// same, where CPU time would count the wait as free. Averaged over the threads, so that with one
// engine per thread it reads per engine.
inline void ReportRealtime(benchmark::State& state, int framesPerIteration)
{
  state.counters["realtime_factor"] = benchmark::Counter(
    framesPerIteration / kRate, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kAvgThreads);
  state.SetItemsProcessed(state.iterations() * framesPerIteration);
}

// This thread's CPU time in seconds: a figure of the thread's own work that other threads' load on
// the machine does not inflate.
inline double ThreadCpuSeconds()
{
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The file is written once per program; every engine of every thread reads the same one.
inline const std::string& TenSecondSample()
{
  static const enginetest::TempFolder folder;
  static const std::string path = folder.Write("ten-seconds.wav",
                                               enginetest::StereoSineWav(48000, 480000, 220.0, 331.0, 0.5));
  return path;
}

// An engine at kRate with the 10 s sample on both layers; null when the sample does not load.
inline std::unique_ptr<brimvale::engine::BrimvaleEngine> MakePlayingEngine()
{
  auto engine = std::make_unique<brimvale::engine::BrimvaleEngine>();
  engine->Reset(kRate);
  const char* path = TenSecondSample().c_str();
  if (!engine->LoadSampleA(path) || !engine->LoadSampleB(path))
    return nullptr;
  return engine;
}

// A stereo output block of a fixed size.
class StereoBlock
{
public:
  explicit StereoBlock(int frames) : mLeft(static_cast<size_t>(frames)), mRight(static_cast<size_t>(frames)) {}

  int Frames() const { return static_cast<int>(mLeft.size()); }

  void Render(brimvale::engine::BrimvaleEngine& engine, const brimvale::engine::BrimvaleEngine::Params& params)
  {
    double* outputs[2] = {mLeft.data(), mRight.data()};
    engine.ProcessBlock(outputs, 2, Frames(), params);
    benchmark::DoNotOptimize(mLeft.data());
    benchmark::DoNotOptimize(mRight.data());
  }

  // The largest magnitude of either channel.
  double Peak() const
  {
    double peak = 0.0;
    for (size_t i = 0; i < mLeft.size(); ++i)
      peak = std::max(peak, std::max(std::abs(mLeft[i]), std::abs(mRight[i])));
    return peak;
  }

private:
  std::vector<double> mLeft;
  std::vector<double> mRight;
};

// Renders about so many seconds in blocks of the given size: the set-up of a benchmark that needs
// the engine far into a tail.
inline void RenderSeconds(brimvale::engine::BrimvaleEngine& engine,
                          const brimvale::engine::BrimvaleEngine::Params& params, double seconds, int blockFrames)
{
  StereoBlock block(blockFrames);
  for (double done = 0.0; done < seconds; done += blockFrames / kRate)
    block.Render(engine, params);
}
} // namespace enginebench
