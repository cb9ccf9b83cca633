// One reverb channel at the default Space settings, without the engine around it.
#include "bench/engine_bench.h"
#include "engine/cloudseed/ReverbChannel.h"
#include "engine/SpaceSettings.h"

#include <cmath>
#include <memory>
#include <vector>

using brimvale::engine::ComputeSpaceSettings;
using brimvale::engine::SpaceSettings;

namespace
{
void ReverbChannelProcess(benchmark::State& state)
{
  const int blockSize = static_cast<int>(state.range(0));
  auto channel = std::make_unique<Cloudseed::ReverbChannel>(static_cast<int>(enginebench::kRate), Cloudseed::Left);
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
  enginebench::ReportRealtime(state, blockSize);
}
BENCHMARK(ReverbChannelProcess)->Arg(512)->Arg(64)->Unit(benchmark::kMicrosecond)->UseRealTime();
} // namespace
