#include "engine/cloudseed/ModulatedAllpass.h"
#include "engine/cloudseed/AllpassKernel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Cloudseed
{
using namespace allpass;

void ModulatedAllpass::ProcessWithMod(const float* input, float* output, int n)
{
  for (int done = 0; done < n; done += kMaxChunk)
    ProcessChunkWithMod(input + done, output + done, std::min(kMaxChunk, n - done));
}

void ModulatedAllpass::ProcessChunkWithMod(const float* input, float* output, int n)
{
  ModulationPlan plan;
  PlanPhases(n, plan);
  PlanReads(plan);
  RunPlanned(input, output, n, plan);
}

void ModulatedAllpass::PlanPhases(int n, ModulationPlan& plan)
{
  // A counter at or past the interval (also after a run without modulation) updates at once.
  const int first = samplesProcessed >= kUpdateInterval ? 0 : kUpdateInterval - static_cast<int>(samplesProcessed);
  plan.updates = 0;
  for (int at = first; at < n; at += kUpdateInterval)
  {
    modPhase = AdvancePhase(modPhase, modRate * 8);
    plan.phases[plan.updates++] = modPhase;
  }
  for (int u = plan.updates; u % 4 != 0; ++u)
    plan.phases[u] = 0.0f;
}

void ModulatedAllpass::PlanReads(ModulationPlan& plan)
{
  if (plan.updates > 0 && modAmount >= sampleDelay)
    modAmount = static_cast<float>(sampleDelay - 1);
  for (int u = 0; u < plan.updates; u += 4)
  {
    Int4 distance;
    Float4 gainsOfA, gainsOfB;
    ModulatedReads(Load4(plan.phases + u), Splat4(static_cast<float>(sampleDelay)), Splat4(modAmount), distance,
                   gainsOfA, gainsOfB);
    StoreInt4(plan.distances + u, distance);
    Store4(plan.gainsA + u, gainsOfA);
    Store4(plan.gainsB + u, gainsOfB);
  }
}

void ModulatedAllpass::RunPlanned(const float* input, float* output, int n, const ModulationPlan& plan)
{
  int idx = index;
  int u = 0;
  for (int i = 0; i < n;)
  {
    if (samplesProcessed >= kUpdateInterval)
    {
      delayA = plan.distances[u];
      delayB = plan.distances[u] + 1;
      gainA = plan.gainsA[u];
      gainB = plan.gainsB[u];
      ++u;
      samplesProcessed = 0;
    }
    const int piece = std::min(n - i, kUpdateInterval - static_cast<int>(samplesProcessed));
    if (interpolationEnabled)
      RunAllpass<true>(buffer, idx, delayA, delayB, gainA, gainB, feedback, input + i, output + i, piece);
    else
      RunAllpass<false>(buffer, idx, delayA, delayB, gainA, gainB, feedback, input + i, output + i, piece);
    samplesProcessed += static_cast<uint64_t>(piece);
    i += piece;
  }
  index = idx;
}

void ModulatedAllpass::ProcessNoMod(const float* input, float* output, int n)
{
  if (n < 1)
    return;
  const int distance = std::clamp(sampleDelay, 0, kSize);
  int idx = index;
  RunAllpass<false>(buffer, idx, distance, distance, 1.0f, 0.0f, feedback, input, output, n);
  index = idx;
  samplesProcessed += static_cast<uint64_t>(n);
}

void ModulatedAllpass::ClearBuffer()
{
  std::memset(buffer, 0, sizeof(buffer));
}

} // namespace Cloudseed
