#include "engine/BrimvaleEngine.h"

#include "engine/CloudSeedSpace.h"

namespace brimvale::engine
{

namespace
{
constexpr double kMinSampleRate = 1000.0;
// Motion B starts a quarter cycle after Motion A; each draws its own random sequence.
constexpr uint32_t kLfoASeed = 0x18273645u;
constexpr uint32_t kLfoBSeed = 0x91827364u;
constexpr double kLfoBPhase = 0.25;
} // namespace

BrimvaleEngine::BrimvaleEngine() = default;

BrimvaleEngine::~BrimvaleEngine() = default;

void BrimvaleEngine::Reset(double rate)
{
  // Written so that a NaN rate falls to the floor as well.
  sampleRate = rate >= kMinSampleRate ? rate : kMinSampleRate;

  layerA = LayerState{};
  layerB = LayerState{};

  lfoA = LfoState{};
  lfoA.seed = kLfoASeed;
  lfoB = LfoState{};
  lfoB.phase = kLfoBPhase;
  lfoB.seed = kLfoBSeed;

  for (StateVariableFilter* filter : {&stage1Left, &stage1Right, &stage2Left, &stage2Right})
    filter->Reset();
  allpassLeft.Reset();
  allpassRight.Reset();

  const int32_t rate32 = ReverbRate(sampleRate);
  if (!space)
    CreateSpace(rate32);
  if (space)
    RateSpace(rate32);
}

} // namespace brimvale::engine
