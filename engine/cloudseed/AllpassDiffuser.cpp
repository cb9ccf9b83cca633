#include "engine/cloudseed/AllpassDiffuser.h"

#include "engine/cloudseed/RandomBuffer.h"
#include "engine/cloudseed/ReferenceBuild.h"

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

  // The modulation of every stage is worked out before any stage runs: each step for all stages
  // at once keeps the values one step writes well clear of the next step's reads of them.
  // The plans live on the stack, where the same few kilobytes serve every diffuser in turn and stay
  // in the nearest cache.
  ModulatedAllpass::ModulationPlan plans[kMaxStages];
  const int used = std::max(std::min<int>(stages, kMaxStages), 1);
  for (int i = 0; i < used; ++i)
    if (filters[i].modulationEnabled && kSideBySide)
      filters[i].PlanPhases(n, plans[i]);
  for (int i = 0; i < used; ++i)
    if (filters[i].modulationEnabled && kSideBySide)
      filters[i].PlanReads(plans[i]);
  for (int i = 0; i < used; ++i)
  {
    ModulatedAllpass& stage = filters[i];
    if (i + 1 < used)
      filters[i + 1].Prefetch(n);
    const float* source = i == 0 ? in : mWork;
    if (stage.modulationEnabled && kSideBySide)
      stage.RunPlanned(source, mWork, n, plans[i]);
    else if (stage.modulationEnabled)
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
