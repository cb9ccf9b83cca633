// Real-time cost of the engine in the situations that load it differently: the default patch, the
// largest and longest Space, every Motion destination moving, and a tail dying away after the
// samples stop. Each at a large and a small host block.
#include "bench/engine_bench.h"

#include <cstdint>

namespace
{
using brimvale::engine::BrimvaleEngine;
using brimvale::engine::EMotionDestination;
using enginebench::StereoBlock;
using Params = BrimvaleEngine::Params;

enum class EScenario
{
  kDefault,
  kLargeSpace,
  kAllMotion,
  kSilentTail,
};

// Motion has two LFOs and four destinations that add work of their own (the filter follows the
// LFOs through the Filter LFO amounts whatever the destination), so the destinations turn every
// block: Motion A runs through these in order and Motion B two steps behind. Each block moves two
// of them, and every four blocks each has been moved by both LFOs.
constexpr EMotionDestination kMovingDestinations[] = {EMotionDestination::kBlend, EMotionDestination::kSpace,
                                                      EMotionDestination::kAStart, EMotionDestination::kBSpeed};
constexpr int kMovingCount = static_cast<int>(sizeof(kMovingDestinations) / sizeof(kMovingDestinations[0]));

void TurnDestinations(Params& params, int block)
{
  params.motionADestination = static_cast<int32_t>(kMovingDestinations[block % kMovingCount]);
  params.motionBDestination = static_cast<int32_t>(kMovingDestinations[(block + 2) % kMovingCount]);
}

Params ScenarioParams(EScenario scenario)
{
  Params params;
  switch (scenario)
  {
  case EScenario::kDefault: break;
  case EScenario::kLargeSpace:
    params.spaceSize = 1.0;
    params.spaceDecay = 12.0;
    break;
  case EScenario::kAllMotion:
    params.motionADepth = 1.0;
    params.motionBDepth = 1.0;
    params.blendLfo = 1.0;
    TurnDestinations(params, 0);
    break;
  case EScenario::kSilentTail:
    params.playA = false;
    params.playB = false;
    break;
  }
  return params;
}

// The layers play this long, then the tail rings on without them. At the default decay it falls
// below the smallest normal float after some seven minutes, where the engine's flush of denormals
// makes it exact silence; eight minutes puts the measurement in that state, the cost of silence.
constexpr double kPlaySeconds = 3.0;
constexpr double kTailSeconds = 480.0;
constexpr int kTailRenderBlock = 4096;

// Rendering the tail away takes several seconds, so it is done once, in large blocks, and the engine
// kept for every run of the scenario; more blocks only leave it as quiet.
BrimvaleEngine* SilentTailEngine()
{
  static const std::unique_ptr<BrimvaleEngine> engine = [] {
    auto fresh = enginebench::MakePlayingEngine();
    if (fresh)
    {
      enginebench::RenderSeconds(*fresh, Params{}, kPlaySeconds, kTailRenderBlock);
      enginebench::RenderSeconds(*fresh, ScenarioParams(EScenario::kSilentTail), kTailSeconds, kTailRenderBlock);
    }
    return fresh;
  }();
  return engine.get();
}

void EngineScenario(benchmark::State& state, EScenario scenario)
{
  std::unique_ptr<BrimvaleEngine> own;
  BrimvaleEngine* engine = scenario == EScenario::kSilentTail ? SilentTailEngine()
                                                              : (own = enginebench::MakePlayingEngine()).get();
  if (engine == nullptr)
  {
    state.SkipWithError("sample did not load");
    return;
  }

  StereoBlock block(static_cast<int>(state.range(0)));
  Params params = ScenarioParams(scenario);
  int blockIndex = 0;
  const auto next = [&] {
    if (scenario == EScenario::kAllMotion)
      TurnDestinations(params, blockIndex++);
    block.Render(*engine, params);
  };
  for (int i = 0; i < enginebench::kWarmUpBlocks; ++i)
    next();

  for (auto _ : state)
    next();

  enginebench::ReportRealtime(state, block.Frames());
  // Tells a silent tail from the scenarios that sound.
  next();
  state.counters["output_peak"] = block.Peak();
}

struct Scenario
{
  const char* name;
  EScenario scenario;
};

// The benchmark floor holds the default patch by this name.
constexpr Scenario kScenarios[] = {
  {"EngineProcessBlock", EScenario::kDefault},
  {"EngineScenario/large_space", EScenario::kLargeSpace},
  {"EngineScenario/all_motion", EScenario::kAllMotion},
  {"EngineScenario/silent_tail", EScenario::kSilentTail},
};

[[maybe_unused]] const bool kRegistered = [] {
  for (const Scenario& s : kScenarios)
    benchmark::RegisterBenchmark(s.name, EngineScenario, s.scenario)
      ->Arg(512)
      ->Arg(64)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  return true;
}();
} // namespace
