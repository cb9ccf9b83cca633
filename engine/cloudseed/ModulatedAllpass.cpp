#include "engine/cloudseed/ModulatedAllpass.h"
#include "engine/cloudseed/AllpassKernel.h"
#include "engine/cloudseed/WideVectors.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Cloudseed
{
using namespace allpass;

template <bool Interpolate>
void ModulatedAllpass::RunPlannedPieces(const float* input, float* output, int n, const ModulationPlan& plan)
{
  // The stage's state is held in locals for the block, so that the buffer writes cannot be taken
  // for writes to it. The block runs as the rest of the interval begun in the last block, whole
  // intervals each with its update first, and the start of one more.
  int idx = index;
  uint64_t counter = samplesProcessed;
  int32_t distanceA = delayA, distanceB = delayB;
  float weightA = gainA, weightB = gainB;
  const float fb = feedback;
  int i = 0;
  if (counter < kUpdateInterval)
  {
    i = std::min(n, kUpdateInterval - static_cast<int>(counter));
    RunAllpass<Interpolate>(buffer, idx, distanceA, distanceB, weightA, weightB, fb, input, output, i);
    counter += static_cast<uint64_t>(i);
  }
  for (int u = 0; i < n; ++u)
  {
    distanceA = plan.distances[u];
    distanceB = distanceA + 1;
    weightA = plan.gainsA[u];
    weightB = plan.gainsB[u];
    const int piece = std::min(n - i, kUpdateInterval);
    RunAllpass<Interpolate>(buffer, idx, distanceA, distanceB, weightA, weightB, fb, input + i, output + i, piece);
    counter = static_cast<uint64_t>(piece);
    i += piece;
  }
  index = idx;
  samplesProcessed = counter;
  delayA = distanceA;
  delayB = distanceB;
  gainA = weightA;
  gainB = weightB;
}

void ModulatedAllpass::RunUnmodulated(const float* input, float* output, int n)
{
  const int distance = std::clamp(sampleDelay, 0, kSize);
  int idx = index;
  RunAllpass<false>(buffer, idx, distance, distance, 1.0f, 0.0f, feedback, input, output, n);
  index = idx;
  samplesProcessed += static_cast<uint64_t>(n);
}

namespace
{
BRIMVALE_BUILD_TWICE(PlanReadsOfStage, (const ModulatedAllpass& stage, ModulatedAllpass::ModulationPlan& plan), {
  for (int u = 0; u < plan.updates; u += kReadsAtOnce)
    AllpassReads(plan.phases + u, static_cast<float>(stage.sampleDelay), stage.modAmount, plan.distances + u,
                 plan.gainsA + u, plan.gainsB + u);
})

BRIMVALE_BUILD_TWICE(RunPlannedStage,
                     (ModulatedAllpass & stage, const float* input, float* output, int n,
                      const ModulatedAllpass::ModulationPlan& plan),
                     {
                       if (stage.interpolationEnabled)
                         stage.RunPlannedPieces<true>(input, output, n, plan);
                       else
                         stage.RunPlannedPieces<false>(input, output, n, plan);
                     })

BRIMVALE_BUILD_TWICE(RunUnmodulatedStage, (ModulatedAllpass & stage, const float* input, float* output, int n),
                     { stage.RunUnmodulated(input, output, n); })
} // namespace

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
  for (int u = plan.updates; u % kReadsAtOnce != 0; ++u)
    plan.phases[u] = 0.0f;
}

void ModulatedAllpass::PlanReads(ModulationPlan& plan)
{
  if (plan.updates > 0 && modAmount >= sampleDelay)
    modAmount = static_cast<float>(sampleDelay - 1);
  (WideVectorsAvailable() ? PlanReadsOfStageWide : PlanReadsOfStageBaseline)(*this, plan);
}

void ModulatedAllpass::RunPlanned(const float* input, float* output, int n, const ModulationPlan& plan)
{
  (WideVectorsAvailable() ? RunPlannedStageWide : RunPlannedStageBaseline)(*this, input, output, n, plan);
}

void ModulatedAllpass::ProcessNoMod(const float* input, float* output, int n)
{
  if (n >= 1)
    (WideVectorsAvailable() ? RunUnmodulatedStageWide : RunUnmodulatedStageBaseline)(*this, input, output, n);
}

void ModulatedAllpass::Prefetch(int n) const
{
  // The reads start near delayA behind the write; an update may move them by the modulation depth.
  constexpr int kFloatsPerLine = 16;
  const int reach = n + kUpdateInterval;
  const int readFrom = Ring::Wrap(index - std::min(delayB, kSize - 1));
  for (int k = 0; k < reach; k += kFloatsPerLine)
  {
    __builtin_prefetch(buffer + Ring::Forward(readFrom, k));
    __builtin_prefetch(buffer + Ring::Forward(index, k), 1);
  }
}

void ModulatedAllpass::ClearBuffer()
{
  std::memset(buffer, 0, sizeof(buffer));
}

} // namespace Cloudseed
