// Real-time cost of the engine: seconds of audio rendered per CPU second ("realtime_factor").
#include "engine/BrimvaleEngine.h"
#include "engine/cloudseed/ReverbChannel.h"
#include "engine/SpaceSettings.h"
#include "tests/engine/support/TestWavFiles.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
constexpr double kRate = 48000.0;

void ReportRealtime(benchmark::State& state, int framesPerIteration)
{
  state.counters["realtime_factor"] = benchmark::Counter(framesPerIteration / kRate,
                                                         benchmark::Counter::kIsIterationInvariantRate);
  state.SetItemsProcessed(state.iterations() * framesPerIteration);
}

// Both layers playing a 10 s stereo sample with the default settings.
void EngineProcessBlock(benchmark::State& state)
{
  const int blockSize = static_cast<int>(state.range(0));
  enginetest::TempFolder folder;
  const std::string path = folder.Write("ten-seconds.wav", enginetest::StereoSineWav(48000, 480000, 220.0, 331.0, 0.5));

  auto engine = std::make_unique<BrimvaleEngine>();
  engine->Reset(kRate);
  if (!engine->LoadSampleA(path.c_str()) || !engine->LoadSampleB(path.c_str()))
  {
    state.SkipWithError("sample did not load");
    return;
  }

  std::vector<double> left(blockSize), right(blockSize);
  double* outputs[2] = {left.data(), right.data()};
  const BrimvaleEngine::Params params;
  for (int i = 0; i < 20; ++i)
    engine->ProcessBlock(outputs, 2, blockSize, params);

  for (auto _ : state)
  {
    engine->ProcessBlock(outputs, 2, blockSize, params);
    benchmark::DoNotOptimize(left.data());
    benchmark::DoNotOptimize(right.data());
  }
  ReportRealtime(state, blockSize);
}
BENCHMARK(EngineProcessBlock)->Arg(512)->Arg(64)->Unit(benchmark::kMicrosecond);

// One reverb channel at the default Space settings, without the engine around it.
void ReverbChannelProcess(benchmark::State& state)
{
  const int blockSize = static_cast<int>(state.range(0));
  auto channel = std::make_unique<Cloudseed::ReverbChannel>(48000, Cloudseed::Left);
  const SpaceSettings settings = ComputeSpaceSettings(0.78, 8.5);
  for (int id = 0; id < Cloudseed::Count; ++id)
    channel->SetParameter(id, settings[id].channel);

  std::vector<float> in(blockSize), out(blockSize);
  for (int i = 0; i < blockSize; ++i)
    in[i] = static_cast<float>(0.3 * std::sin(i * 0.05));

  for (auto _ : state)
  {
    channel->Process(in.data(), out.data(), blockSize);
    benchmark::DoNotOptimize(out.data());
  }
  ReportRealtime(state, blockSize);
}
BENCHMARK(ReverbChannelProcess)->Arg(512)->Arg(64)->Unit(benchmark::kMicrosecond);
} // namespace
