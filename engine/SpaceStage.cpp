#include "engine/BrimvaleEngine.h"

#include "engine/CloudSeedSpace.h"
#include "engine/SpaceSettings.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace brimvale::engine
{

namespace
{
bool SameSettings(const SpaceSettings& a, const SpaceSettings& b)
{
  for (size_t i = 0; i < a.size(); ++i)
    if (!(a[i].normalised == b[i].normalised && a[i].channel == b[i].channel))
      return false;
  return true;
}
} // namespace

int32_t BrimvaleEngine::ReverbRate(double engineRate)
{
  // Rounded half away from zero; the ceiling only keeps an absurd host rate inside the int range.
  return static_cast<int32_t>(std::lround(std::min(engineRate, 1.0e9)));
}

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

void BrimvaleEngine::ConfigureCloudSeed(const Params& params)
{
  const int32_t rate = ReverbRate(sampleRate);
  if (!space)
    CreateSpace(rate);
  else if (spaceRate != rate)
    RateSpace(rate);
  if (!space)
    return;

  const SpaceSettings settings = ComputeSpaceSettings(params.spaceSize, params.spaceDecay);
  const bool same = SameSettings(settings, space->lastSettings);
  if (same && space->identicalPasses >= 2)
  {
    for (const Cloudseed::Parameter id : {Cloudseed::LowCutEnabled, Cloudseed::HighCutEnabled})
    {
      space->left.SetParameter(id, settings[id].channel);
      space->right.SetParameter(id, settings[id].channel);
    }
    return;
  }

  for (int id = 0; id < Cloudseed::Count; ++id)
  {
    space->values[id] = settings[id].normalised;
    space->left.SetParameter(id, settings[id].channel);
    space->right.SetParameter(id, settings[id].channel);
  }
  space->identicalPasses = same ? space->identicalPasses + 1 : 1;
  space->lastSettings = settings;
}

void BrimvaleEngine::ProcessCloudSeedSpace(int nFrames, const Params& params)
{
  if (nFrames < 1)
    return;

  ConfigureCloudSeed(params);
  if (!space)
  {
    std::copy(dryLeft.begin(), dryLeft.end(), wetLeft.begin());
    std::copy(dryRight.begin(), dryRight.end(), wetRight.begin());
    return;
  }

  CloudSeedSpace& s = *space;
  for (int offset = 0; offset < nFrames; offset += Cloudseed::ReverbChannel::kMaxBlock)
  {
    const int n = std::min(nFrames - offset, static_cast<int>(Cloudseed::ReverbChannel::kMaxBlock));
    const float c = static_cast<float>(s.values[Cloudseed::InputMix]) * 0.5f;
    for (int i = 0; i < n; ++i)
    {
      const float dryL = dryLeft[offset + i];
      const float dryR = dryRight[offset + i];
      s.inLeft[i] = dryL * (1.0f - c) + dryR * c;
      s.inRight[i] = dryR * (1.0f - c) + dryL * c;
    }
    s.left.Process(s.inLeft, s.outLeft, n);
    s.right.Process(s.inRight, s.outRight, n);
    std::copy(s.outLeft, s.outLeft + n, wetLeft.begin() + offset);
    std::copy(s.outRight, s.outRight + n, wetRight.begin() + offset);
  }
}

} // namespace brimvale::engine
