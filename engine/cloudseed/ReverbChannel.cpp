#include "engine/cloudseed/ReverbChannel.h"

#include "engine/cloudseed/ModulationPhase.h"
#include "engine/cloudseed/RandomBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace Cloudseed
{
namespace
{
constexpr uint32_t kPhaseSeeds[2] = {0x2545f491u, 0x9e3779b9u};

// Truncation toward zero that stays defined for values beyond the int range (and NaN).
int32_t ToInt(double value)
{
  if (!(value == value))
    return 0;
  constexpr double lo = std::numeric_limits<int32_t>::min();
  constexpr double hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(value, lo, hi));
}

bool IsOn(double value)
{
  return value >= 0.5;
}

float DecibelsToGain(double dB)
{
  return dB <= -30.0 ? 0.0f : static_cast<float>(std::pow(10.0, dB / 20.0));
}
} // namespace

ReverbChannel::ReverbChannel(int rate, ChannelLR side)
: sampleRate(rate)
, lowCut(48000.0f, 20.0f)
, highCut(48000.0f, 20000.0f)
, channelLr(side)
{
  mLineTable.reserve(AllpassDiffuser::kTableSize);

  ModulationPhase phases(kPhaseSeeds[side == Right ? 1 : 0]);
  preDelay.modPhase = phases.Next();
  for (ModulatedAllpass& stage : earlyDiffuser.filters)
  {
    stage.modPhase = phases.Next();
    stage.interpolationEnabled = true;
  }
  for (DelayLine& line : lines)
  {
    line.delay.modPhase = phases.Next();
    for (ModulatedAllpass& stage : line.diffuser.filters)
      stage.modPhase = phases.Next();
  }

  SetSamplerate(rate);
}

void ReverbChannel::SetSamplerate(int rate)
{
  sampleRate = std::max(rate, 1);
  const float rateF = static_cast<float>(sampleRate);

  lowCut.SetSamplerate(rateF);
  highCut.SetSamplerate(rateF);
  earlyDiffuser.sampleRate = sampleRate;
  earlyDiffuser.SetModRate(earlyDiffuser.modRate);
  for (DelayLine& line : lines)
  {
    line.diffuser.sampleRate = sampleRate;
    line.diffuser.SetModRate(line.diffuser.modRate);
    line.lowShelf.SetSamplerate(rateF);
    line.highShelf.SetSamplerate(rateF);
    line.lowpass.SetSamplerate(rateF);
  }

  ReapplyAllParams();
  ClearBuffers();
  UpdateLines();
}

void ReverbChannel::ReapplyAllParams()
{
  for (int id = 0; id < Count; ++id)
    SetParameter(id, parameters[id]);
}

void ReverbChannel::ClearBuffers()
{
  lowCut.ClearBuffers();
  highCut.ClearBuffers();
  preDelay.ClearBuffer();
  multitap.ClearBuffer();
  earlyDiffuser.ClearBuffers();
  for (DelayLine& line : lines)
    line.ClearBuffers();
}

double ReverbChannel::GetParameter(int id) const
{
  return id >= 0 && id < Count ? parameters[id] : 0.0;
}

void ReverbChannel::SetLinesDiffuserDelay(double ms)
{
  const int32_t samples = ToInt(sampleRate * ms / 1000.0);
  for (DelayLine& line : lines)
  {
    line.diffuser.delay = samples;
    line.diffuser.Update();
  }
}

void ReverbChannel::SetParameter(int id, double value)
{
  if (id < 0 || id >= Count)
    return;
  parameters[id] = value;

  const auto msToSamples = [this](double ms) { return ToInt(sampleRate * ms / 1000.0); };
  const bool on = IsOn(value);
  const float valueF = static_cast<float>(value);

  switch (id)
  {
  case Interpolation:
    for (DelayLine& line : lines)
      for (ModulatedAllpass& stage : line.diffuser.filters)
        stage.interpolationEnabled = on;
    break;
  case LowCutEnabled:
    lowCutEnabled = on;
    if (on)
      lowCut.ClearBuffers();
    break;
  case HighCutEnabled:
    highCutEnabled = on;
    if (on)
      highCut.ClearBuffers();
    break;
  case InputMix: inputMix = valueF; break;
  case LowCut: lowCut.SetCutoffHz(valueF); break;
  case HighCut: highCut.SetCutoffHz(valueF); break;
  case DryOut: dryOut = DecibelsToGain(value); break;
  case EarlyOut: earlyOut = DecibelsToGain(value); break;
  case LateOut: lateOut = DecibelsToGain(value); break;
  case TapEnabled:
    if (on != multitapEnabled)
      multitap.ClearBuffer();
    multitapEnabled = on;
    break;
  case TapCount:
    multitap.count = std::clamp(ToInt(value), 1, static_cast<int32_t>(MultitapDelay::kMaxTaps));
    multitap.UpdateTaps();
    break;
  case TapDecay: multitap.decay = valueF; break;
  case TapPredelay: preDelay.sampleDelay = msToSamples(value); break;
  case TapLength:
    multitap.length = static_cast<float>(std::max(msToSamples(value), 10));
    multitap.UpdateTaps();
    break;
  case EarlyDiffuseEnabled:
    if (on != earlyDiffuseEnabled)
      earlyDiffuser.ClearBuffers();
    earlyDiffuseEnabled = on;
    break;
  case EarlyDiffuseCount: earlyDiffuser.stages = ToInt(value); break;
  case EarlyDiffuseDelay:
    earlyDiffuser.delay = msToSamples(value);
    earlyDiffuser.Update();
    break;
  case EarlyDiffuseModAmount:
    for (int i = 0; i < AllpassDiffuser::kMaxStages; ++i)
    {
      ModulatedAllpass& stage = earlyDiffuser.filters[i];
      const double spread = earlyDiffuser.seedValues[AllpassDiffuser::kMaxStages + i] * 0.3 + 0.85;
      stage.modAmount = static_cast<float>(spread * sampleRate * value / 1000.0);
      stage.modulationEnabled = value > 0.5;
    }
    break;
  case EarlyDiffuseFeedback:
    for (ModulatedAllpass& stage : earlyDiffuser.filters)
      stage.feedback = valueF;
    break;
  case EarlyDiffuseModRate: earlyDiffuser.SetModRate(valueF); break;
  case LateMode:
    for (DelayLine& line : lines)
      line.lateStageTap = on;
    break;
  case LateLineCount: lineCount = std::clamp(ToInt(value), 1, static_cast<int32_t>(kMaxLines)); break;
  case LateDiffuseEnabled:
    for (DelayLine& line : lines)
    {
      if (on != line.diffuserEnabled)
        line.diffuser.ClearBuffers();
      line.diffuserEnabled = on;
    }
    break;
  case LateDiffuseCount:
    for (DelayLine& line : lines)
      line.diffuser.stages = ToInt(value);
    break;
  case LateLineSize:
  case LateLineModAmount:
  case LateDiffuseModAmount:
  case LateLineDecay:
  case LateLineModRate:
  case LateDiffuseModRate: UpdateLines(); break;
  case LateDiffuseDelay: SetLinesDiffuserDelay(value); break;
  case LateDiffuseFeedback:
    for (DelayLine& line : lines)
      for (ModulatedAllpass& stage : line.diffuser.filters)
        stage.feedback = valueF;
    break;
  case EqLowShelfEnabled:
    for (DelayLine& line : lines)
      line.lowShelfEnabled = on;
    break;
  case EqHighShelfEnabled:
    for (DelayLine& line : lines)
      line.highShelfEnabled = on;
    break;
  case EqLowpassEnabled:
    for (DelayLine& line : lines)
      line.cutoffEnabled = on;
    break;
  case EqLowFreq:
    for (DelayLine& line : lines)
    {
      line.lowShelf.frequency = valueF;
      line.lowShelf.Update();
    }
    break;
  case EqHighFreq:
    for (DelayLine& line : lines)
    {
      line.highShelf.frequency = valueF;
      line.highShelf.Update();
    }
    break;
  case EqCutoff:
    for (DelayLine& line : lines)
      line.lowpass.SetCutoffHz(valueF);
    break;
  case EqLowGain:
    for (DelayLine& line : lines)
    {
      line.lowShelf.SetGainDb(valueF);
      line.lowShelf.Update();
    }
    break;
  case EqHighGain:
    for (DelayLine& line : lines)
    {
      line.highShelf.SetGainDb(valueF);
      line.highShelf.Update();
    }
    break;
  case EqCrossSeed:
    crossSeed = channelLr == Right ? valueF * 0.5f : 1.0f - valueF * 0.5f;
    multitap.crossSeed = crossSeed;
    multitap.RebuildTable();
    earlyDiffuser.SetCrossSeed(crossSeed);
    UpdateLines();
    UpdatePostDiffusion();
    break;
  case SeedTap:
    multitap.seed = ToInt(value);
    multitap.RebuildTable();
    break;
  case SeedDiffusion: earlyDiffuser.SetSeed(ToInt(value)); break;
  case SeedDelay:
    delayLineSeed = ToInt(value);
    UpdateLines();
    break;
  case SeedPostDiffusion:
    postDiffusionSeed = ToInt(value);
    UpdatePostDiffusion();
    break;
  default: break;
  }
}

void ReverbChannel::UpdateLines()
{
  const int32_t lineSize = ToInt(sampleRate * parameters[LateLineSize] / 1000.0);
  const double modAmount = sampleRate * parameters[LateLineModAmount] / 1000.0;
  const double modRate = parameters[LateLineModRate];
  const double decay = sampleRate * parameters[LateLineDecay];
  const double diffModAmount = sampleRate * parameters[LateDiffuseModAmount] / 1000.0;
  const float diffModRate = static_cast<float>(parameters[LateDiffuseModRate]);

  RandomBuffer::Generate(static_cast<uint64_t>(static_cast<int64_t>(delayLineSeed)), AllpassDiffuser::kTableSize,
                         crossSeed, mLineTable);

  for (int i = 0; i < kMaxLines; ++i)
  {
    DelayLine& line = lines[i];
    const double amount = (mLineTable[i] * 0.3 + 0.7) * modAmount;
    const double rate = (mLineTable[12 + i] * 0.3 + 0.7) * modRate / sampleRate;
    const double delay = std::max(amount + 2.0, (mLineTable[24 + i] + 0.5) * lineSize);
    line.delay.sampleDelay = ToInt(delay);
    line.delay.modAmount = static_cast<float>(amount);
    line.delay.modRate = static_cast<float>(rate);
    line.feedback = static_cast<float>(std::pow(10.0, (-60.0 * delay / decay) / 20.0));
    line.SetDiffuserModAmount(static_cast<float>(diffModAmount));
    line.diffuser.SetModRate(diffModRate);
  }
}

void ReverbChannel::UpdatePostDiffusion()
{
  for (int i = 1; i <= kMaxLines; ++i)
  {
    const int32_t seed = static_cast<int32_t>(static_cast<int64_t>(postDiffusionSeed) * i);
    lines[i - 1].SetDiffuserSeed(seed, crossSeed);
  }
}

void ReverbChannel::Process(const float* in, float* out, int n)
{
  for (int done = 0; done < n; done += kMaxBlock)
    ProcessChunk(in + done, out + done, std::min(kMaxBlock, n - done));
}

void ReverbChannel::ProcessChunk(const float* in, float* out, int n)
{
  const size_t bytes = sizeof(float) * static_cast<size_t>(n);
  std::memcpy(mWork, in, bytes);

  if (lowCutEnabled)
    lowCut.Process(mWork, n);
  if (highCutEnabled)
    highCut.Process(mWork, n);
  for (int i = 0; i < n; ++i)
    if (mWork[i] * mWork[i] < 1e-9f)
      mWork[i] = 0.0f;

  preDelay.Process(mWork, mWork, n);
  if (multitapEnabled)
    multitap.Process(mWork, mWork, n);
  if (earlyDiffuseEnabled)
    earlyDiffuser.Process(mWork, mWork, n);
  std::memcpy(mEarly, mWork, bytes);

  // The lines run in two parts around their damping, which runs for all of them side by side.
  OnePoleLowpass* damping[kMaxLines];
  float* damped[kMaxLines];
  int dampedCount = 0;
  for (int l = 0; l < lineCount; ++l)
  {
    if (l + 1 < lineCount)
      lines[l + 1].Prefetch(n);
    lines[l].ProcessUpToDamping(mEarly, mLineOut[l], n);
    if (lines[l].cutoffEnabled)
    {
      damping[dampedCount] = &lines[l].lowpass;
      damped[dampedCount++] = lines[l].Work();
    }
  }
  OnePoleLowpass::ProcessSideBySide(damping, damped, dampedCount, n);
  std::memset(mLate, 0, bytes);
  for (int l = 0; l < lineCount; ++l)
  {
    lines[l].FinishProcess(mLineOut[l], n);
    for (int i = 0; i < n; ++i)
      mLate[i] += mLineOut[l][i];
  }
  const float lateScale = 1.0f / std::sqrt(static_cast<float>(lineCount));
  for (int i = 0; i < n; ++i)
    mLate[i] *= lateScale;

  for (int i = 0; i < n; ++i)
    out[i] = in[i] * dryOut + mEarly[i] * earlyOut + mLate[i] * lateOut;
}

} // namespace Cloudseed
