// What a block costs once the samples have stopped and the Space tail has rung down to the smallest
// floats, against a block of the same patch with both layers playing. Computed on, such a tail keeps
// the reverb's loops turning subnormal numbers, which many processors handle many times slower than
// normal ones; flushed to zero, it costs no more than a full block.
#include "bench/engine_bench.h"

#include <memory>

namespace
{
using brimvale::engine::BrimvaleEngine;
using enginebench::StereoBlock;
using Params = BrimvaleEngine::Params;

constexpr int kBlockFrames = 512;

// The smallest Space at a medium decay: unflushed, its loops reach the smallest floats some 100 s
// after the samples stop and stay there, a few units in the last place going round for good; 150 s
// puts the measurement in that state. Flushed, the same tail is exact silence by then.
constexpr double kSpaceSize = 0.0;
constexpr double kSpaceDecay = 4.0;
constexpr double kPlaySeconds = 3.0;
constexpr double kTailSeconds = 150.0;
constexpr int kTailRenderBlock = 4096;

Params Patch(bool playing)
{
  Params params;
  params.spaceSize = kSpaceSize;
  params.spaceDecay = kSpaceDecay;
  params.playA = params.playB = playing;
  return params;
}

// Ringing the tail down takes seconds, so it is done once and the engine kept for every run: more
// blocks leave it where it is.
BrimvaleEngine* RungDownEngine()
{
  static const std::unique_ptr<BrimvaleEngine> engine = [] {
    auto fresh = enginebench::MakePlayingEngine();
    if (fresh)
    {
      enginebench::RenderSeconds(*fresh, Patch(true), kPlaySeconds, kTailRenderBlock);
      enginebench::RenderSeconds(*fresh, Patch(false), kTailSeconds, kTailRenderBlock);
    }
    return fresh;
  }();
  return engine.get();
}

void EngineTailBlock(benchmark::State& state)
{
  const std::unique_ptr<BrimvaleEngine> full = enginebench::MakePlayingEngine();
  BrimvaleEngine* tail = RungDownEngine();
  if (full == nullptr || tail == nullptr)
  {
    state.SkipWithError("sample did not load");
    return;
  }

  const Params playing = Patch(true);
  const Params stopped = Patch(false);
  StereoBlock fullBlock(kBlockFrames), tailBlock(kBlockFrames);
  for (int i = 0; i < enginebench::kWarmUpBlocks; ++i)
  {
    fullBlock.Render(*full, playing);
    tailBlock.Render(*tail, stopped);
  }

  // This thread's CPU time: the two blocks take turns, so the machine's load weighs on both alike and
  // their ratio holds where each figure alone would not.
  double fullSeconds = 0.0, tailSeconds = 0.0;
  for (auto _ : state)
  {
    const double start = enginebench::ThreadCpuSeconds();
    fullBlock.Render(*full, playing);
    const double between = enginebench::ThreadCpuSeconds();
    tailBlock.Render(*tail, stopped);
    const double end = enginebench::ThreadCpuSeconds();
    fullSeconds += between - start;
    tailSeconds += end - between;
  }

  state.counters["full_block_us"] = benchmark::Counter(fullSeconds * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["tail_block_us"] = benchmark::Counter(tailSeconds * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["full_over_tail"] = tailSeconds > 0.0 ? fullSeconds / tailSeconds : 0.0;
  // Zero when the tail was flushed; the smallest floats when it still rings.
  state.counters["tail_peak"] = tailBlock.Peak();
}
BENCHMARK(EngineTailBlock)->Unit(benchmark::kMicrosecond);
} // namespace
