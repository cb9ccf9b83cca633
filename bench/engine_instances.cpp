// Several engines at once, one per thread, each on the default patch at 512 frames, as a host runs
// several instances. Each engine holds about 64 MiB, so together they contend for the caches and the
// memory bus and each runs slower than one alone: "ratio_to_one" is an engine's real-time factor
// over that of the single engine measured first in the same run.
#include "bench/engine_bench.h"

#include <atomic>

using brimvale::engine::BrimvaleEngine;

namespace
{
constexpr int kBlockFrames = 512;

// Written by the single-engine run, read by those after it; zero until it has run.
std::atomic<double> gOneEngineFactor{0.0};

void EngineInstances(benchmark::State& state)
{
  auto engine = enginebench::MakePlayingEngine();
  if (!engine)
  {
    state.SkipWithError("sample did not load");
    return;
  }
  enginebench::StereoBlock block(kBlockFrames);
  const BrimvaleEngine::Params params;
  for (int i = 0; i < enginebench::kWarmUpBlocks; ++i)
    block.Render(*engine, params);

  const double cpuStart = enginebench::ThreadCpuSeconds();
  for (auto _ : state)
    block.Render(*engine, params);
  const double cpuSeconds = enginebench::ThreadCpuSeconds() - cpuStart;

  enginebench::ReportRealtime(state, kBlockFrames);
  // This thread's own figure, the same the framework takes from its thread timer.
  const double factor = static_cast<double>(state.iterations()) * kBlockFrames / enginebench::kRate / cpuSeconds;
  if (state.threads() == 1)
    gOneEngineFactor = factor;
  if (gOneEngineFactor > 0.0)
    state.counters["ratio_to_one"] = benchmark::Counter(factor / gOneEngineFactor, benchmark::Counter::kAvgThreads);
}
BENCHMARK(EngineInstances)->Threads(1)->Threads(2)->Threads(4)->Threads(8)->Unit(benchmark::kMicrosecond);
} // namespace
