#include "engine/BrimvaleEngine.h"

#include "engine/CloudSeedSpace.h"
#include "engine/SampleFiles.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace
{
constexpr uint32_t kLfoASeed = 0x18273645u;
constexpr uint32_t kLfoBSeed = 0x91827364u;
} // namespace

int32_t BrimvaleEngine::ReverbRate(double engineRate)
{
  // Rounded half away from zero; the ceiling only keeps an absurd host rate inside the int range.
  return static_cast<int32_t>(std::lround(std::min(engineRate, 1.0e9)));
}

BrimvaleEngine::BrimvaleEngine() = default;

BrimvaleEngine::~BrimvaleEngine() = default;

void BrimvaleEngine::CreateSpace(int32_t rate)
{
  // Without the memory for it the Space stage stays dry rather than throwing into the host.
  space.reset(new (std::nothrow) CloudSeedSpace(rate));
  if (space)
    spaceRate = rate;
}

void BrimvaleEngine::RateSpace(int32_t rate)
{
  space->rate = rate;
  space->left.SetSamplerate(rate);
  space->left.ClearBuffers();
  space->right.SetSamplerate(rate);
  space->right.ClearBuffers();
  space->identicalPasses = 0;
  spaceRate = rate;
}

void BrimvaleEngine::Reset(double rate)
{
  // Written so that a NaN rate falls to the floor as well.
  sampleRate = rate >= 1000.0 ? rate : 1000.0;

  layerA = LayerState{};
  layerB = LayerState{};

  lfoA = LfoState{};
  lfoA.seed = kLfoASeed;
  lfoB = LfoState{};
  lfoB.phase = 0.25;
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

bool BrimvaleEngine::LoadSample(const char* path, const char* fallbackName, SampleBuffer& target, LayerState& layer)
{
  SampleBuffer decoded;
  if (!LoadWavFile(path, decoded, fallbackName))
    return false;

  std::lock_guard<std::mutex> lock(mutex);
  layer = LayerState{};
  // Swapping keeps the release of the old sample's memory out of the locked section.
  std::swap(target, decoded);
  return true;
}

bool BrimvaleEngine::LoadSampleA(const char* path)
{
  return LoadSample(path, "Starter A", sampleA, layerA);
}

bool BrimvaleEngine::LoadSampleB(const char* path)
{
  return LoadSample(path, "Starter B", sampleB, layerB);
}

void BrimvaleEngine::ClearLayer(SampleBuffer& target, LayerState& layer)
{
  std::vector<float>().swap(target.left);
  std::vector<float>().swap(target.right);
  target.sampleRate = 44100.0;
  target.name = "No sample";
  layer = LayerState{};
}

void BrimvaleEngine::ClearSampleA()
{
  std::lock_guard<std::mutex> lock(mutex);
  ClearLayer(sampleA, layerA);
}

void BrimvaleEngine::ClearSampleB()
{
  std::lock_guard<std::mutex> lock(mutex);
  ClearLayer(sampleB, layerB);
}

void BrimvaleEngine::ClearSamples()
{
  std::lock_guard<std::mutex> lock(mutex);
  ClearLayer(sampleA, layerA);
  ClearLayer(sampleB, layerB);
}
