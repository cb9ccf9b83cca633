#include "engine/cloudseed/DelayLine.h"

#include <algorithm>
#include <cstring>

namespace Cloudseed
{

DelayLine::DelayLine()
: lowShelf(Biquad::LowShelf, 48000.0f)
, highShelf(Biquad::HighShelf, 48000.0f)
, lowpass(48000.0f, 1000.0f)
{
  lowShelf.SetGainDb(-20.0f);
  lowShelf.frequency = 20.0f;
  highShelf.SetGainDb(-20.0f);
  highShelf.frequency = 19000.0f;
  lowShelf.Update();
  highShelf.Update();
  diffuser.sampleRate = 48000;
  diffuser.SetModRate(diffuser.modRate);
  lowShelf.SetSamplerate(48000.0f);
  highShelf.SetSamplerate(48000.0f);
  SetDiffuserSeed(1, 0.0f);
}

void DelayLine::Process(const float* in, float* out, int n)
{
  n = std::min(n, kMaxBlock);
  if (n < 1)
    return;
  ProcessUpToDamping(in, out, n);
  if (cutoffEnabled)
    lowpass.Process(mWork, n);
  FinishProcess(out, n);
}

void DelayLine::ProcessUpToDamping(const float* in, float* out, int n)
{
  // The recirculation: the queued output of earlier chunks, then silence once the queue runs dry.
  const int fed = std::min(n, static_cast<int>(mQueueCount));
  const int firstRun = std::min(fed, kQueueSize - static_cast<int>(mQueueRead));
  const float* queued = mQueue + mQueueRead;
  for (int i = 0; i < firstRun; ++i)
    mWork[i] = in[i] + queued[i] * feedback;
  for (int i = firstRun; i < fed; ++i)
    mWork[i] = in[i] + mQueue[i - firstRun] * feedback;
  mQueueRead = (mQueueRead + fed) % kQueueSize;
  mQueueCount -= fed;
  for (int i = fed; i < n; ++i)
    mWork[i] = in[i] + 0.0f * feedback;

  delay.Process(mWork, mWork, n);

  if (!lateStageTap)
    std::memcpy(out, mWork, sizeof(float) * static_cast<size_t>(n));

  if (diffuserEnabled)
    diffuser.Process(mWork, mWork, n);
  if (lowShelfEnabled)
    lowShelf.Process(mWork, n);
  if (highShelfEnabled)
    highShelf.Process(mWork, n);
}

void DelayLine::FinishProcess(float* out, int n)
{
  const int kept = std::min(n, kQueueSize - static_cast<int>(mQueueCount));
  const int firstRun = std::min(kept, kQueueSize - static_cast<int>(mQueueWrite));
  std::memcpy(mQueue + mQueueWrite, mWork, sizeof(float) * static_cast<size_t>(firstRun));
  std::memcpy(mQueue, mWork + firstRun, sizeof(float) * static_cast<size_t>(kept - firstRun));
  mQueueWrite = (mQueueWrite + kept) % kQueueSize;
  mQueueCount += kept;

  if (lateStageTap)
    std::memcpy(out, mWork, sizeof(float) * static_cast<size_t>(n));
}

void DelayLine::SetDiffuserSeed(int seed, float crossSeed)
{
  diffuser.SetSeed(seed);
  diffuser.SetCrossSeed(crossSeed);
}

void DelayLine::SetDiffuserModAmount(float amount)
{
  for (int i = 0; i < AllpassDiffuser::kMaxStages; ++i)
  {
    ModulatedAllpass& stage = diffuser.filters[i];
    stage.modulationEnabled = amount > 0.0f;
    stage.modAmount = static_cast<float>((diffuser.seedValues[AllpassDiffuser::kMaxStages + i] * 0.3 + 0.85) * amount);
  }
}

void DelayLine::Prefetch(int n) const
{
  delay.Prefetch(n);
  if (diffuserEnabled)
    diffuser.filters[0].Prefetch(n);
}

void DelayLine::ClearBuffers()
{
  delay.ClearBuffer();
  diffuser.ClearBuffers();
  lowShelf.ClearBuffers();
  highShelf.ClearBuffers();
  lowpass.ClearBuffers();
  mQueueRead = mQueueWrite = mQueueCount = 0;
}

} // namespace Cloudseed
