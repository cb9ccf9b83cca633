#include "engine/cloudseed/AllpassDiffuser.h"

#include "engine/cloudseed/RandomBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Cloudseed
{

AllpassDiffuser::AllpassDiffuser()
{
  seedValues.reserve(kTableSize);
  RebuildTable();
  Update();
  SetModRate(modRate);
}

void AllpassDiffuser::RebuildTable()
{
  RandomBuffer::Generate(static_cast<uint64_t>(static_cast<int64_t>(seed)), kTableSize, crossSeed, seedValues);
}

void AllpassDiffuser::Process(const float* in, float* out, int n)
{
  n = std::min(n, kMaxBlock);
  if (n < 1)
    return;

  const int used = std::min<int>(stages, kMaxStages);
  for (int i = 0; i < std::max(used, 1); ++i)
  {
    ModulatedAllpass& stage = filters[i];
    const float* source = i == 0 ? in : mWork;
    if (stage.modulationEnabled)
      stage.ProcessWithMod(source, mWork, n);
    else
      stage.ProcessNoMod(source, mWork, n);
  }
  std::memcpy(out, mWork, sizeof(float) * static_cast<size_t>(n));
}

void AllpassDiffuser::Update()
{
  for (int i = 0; i < kMaxStages; ++i)
  {
    const double scale = std::pow(10.0, static_cast<double>(seedValues[i])) * 0.1;
    filters[i].sampleDelay = static_cast<int32_t>(scale * delay);
  }
}

void AllpassDiffuser::SetModRate(float hz)
{
  modRate = hz;
  for (int i = 0; i < kMaxStages; ++i)
  {
    const double spread = seedValues[kMaxStages * 2 + i] * 0.3 + 0.85;
    filters[i].modRate = static_cast<float>(spread * hz / sampleRate);
  }
}

void AllpassDiffuser::SetSeed(int32_t newSeed)
{
  seed = newSeed;
  RebuildTable();
  Update();
}

void AllpassDiffuser::SetCrossSeed(float newCrossSeed)
{
  crossSeed = newCrossSeed;
  RebuildTable();
  Update();
}

void AllpassDiffuser::ClearBuffers()
{
  for (ModulatedAllpass& stage : filters)
    stage.ClearBuffer();
}

} // namespace Cloudseed
