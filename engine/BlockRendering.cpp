#include "engine/BrimvaleEngine.h"

#include "engine/DenormalGuard.h"
#include "engine/EngineMath.h"
#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

using brimvale::utility::kPi;

namespace brimvale::engine
{

namespace
{
using Params = BrimvaleEngine::Params;
using StereoSample = BrimvaleEngine::StereoSample;

constexpr double kMinSampleRate = 1000.0;
// The cutoff control stays within 20 Hz..0.45 of the rate.
constexpr double kMinCutoffHz = 20.0;
constexpr double kMaxCutoffOfRate = 0.45;
// Stage 2 runs at stage 1's damping for the lowest resonance and takes 0.72 of the emphasis.
constexpr double kSecondStageDamping = 1.9806;
constexpr double kSecondStageEmphasis = 0.72;
constexpr double kEmphasisPerResonance = 10.0;
constexpr double kMinDrive = 0.25;
constexpr double kMaxDrive = 8.0;
// Keeps the drive's normalisation away from a division by nearly zero.
constexpr double kMinDriveNorm = 0.001;
// The filtered signal stays within +-4 before the output's soft clip.
constexpr double kDryLimit = 4.0;
constexpr double kMaxWidth = 2.0;
constexpr double kMaxMaster = 1.5;

// A Shape setting as a shape; outside the list it takes the nearest end.
LfoShape Shape(int32_t setting)
{
  return static_cast<LfoShape>(static_cast<int32_t>(Clamp(setting, 0.0, kNumShapes - 1.0)));
}

// Every setting of one block, limited once.
struct BlockSettings
{
  BlockSettings(const Params& params, double engineRate)
  : rate(engineRate)
  , fs(std::max(engineRate, kMinSampleRate))
  , mix(Clamp(params.spaceMix, 0.0, 1.0))
  , shapeA(Shape(params.motionAShape))
  , shapeB(Shape(params.motionBShape))
  , depthA(Clamp(params.motionADepth, 0.0, 1.0))
  , depthB(Clamp(params.motionBDepth, 0.0, 1.0))
  , blend(Clamp(params.blend, 0.0, 1.0))
  , startA(Clamp(params.startA, 0.0, 1.0))
  , speedA(BrimvaleEngine::EffectiveSampleSpeed(params.speedA, params.speedModeA, params.semitonesA))
  , speedB(BrimvaleEngine::EffectiveSampleSpeed(params.speedB, params.speedModeB, params.semitonesB))
  , gainsA(BrimvaleEngine::LayerGains(params.levelA, params.panA))
  , gainsB(BrimvaleEngine::LayerGains(params.levelB, params.panB))
  , cutoff(std::max(std::min(params.filterCutoff, kMaxCutoffOfRate * engineRate), kMinCutoffHz))
  , cutoffCeiling(std::min(kMaxCutoffOfRate * engineRate, BrimvaleEngine::kMaxModulatedCutoffHz))
  , filterLfoA(Clamp(params.filterLfoA, 0.0, 1.0))
  , filterLfoB(Clamp(params.filterLfoB, 0.0, 1.0))
  , resonance(params.filterResonance)
  , emphasis(kEmphasisPerResonance * ResonanceAmount(params.filterResonance))
  , mode(static_cast<FilterMode>(params.filterMode))
  , drive(Clamp(params.filterDrive, kMinDrive, kMaxDrive))
  , norm(std::max(std::tanh(drive), kMinDriveNorm))
  , width(Clamp(params.spaceWidth, 0.0, kMaxWidth))
  , master(Clamp(params.master, 0.0, kMaxMaster))
  {}

  double rate, fs;
  // Motion and layers.
  double mix;
  LfoShape shapeA, shapeB;
  double depthA, depthB, blend, startA, speedA, speedB;
  StereoSample gainsA, gainsB;
  // Filter.
  double cutoff, cutoffCeiling, filterLfoA, filterLfoB, resonance, emphasis;
  FilterMode mode; // may hold a value outside the list: it passes the signal through
  double drive, norm;
  // Output.
  double width, master;
};

// Motion: what both LFOs give this sample, scaled by their depths, and the values they move.
struct Modulation
{
  double lfoA, lfoB;
  double blend, mix, startA, speedB;
};

Modulation RunMotion(LfoState& lfoA, LfoState& lfoB, const Params& params, const BlockSettings& block)
{
  Modulation m;
  m.lfoA = RenderLfoSample(lfoA, params.motionARate, block.rate, block.shapeA);
  m.lfoB = RenderLfoSample(lfoB, params.motionBRate, block.rate, block.shapeB);
  m.lfoA *= block.depthA;
  m.lfoB *= block.depthB;
  m.blend = block.blend;
  m.mix = block.mix;
  m.startA = block.startA;
  m.speedB = block.speedB;
  BrimvaleEngine::ApplyMotionDestinations(m.lfoA, m.lfoB, params, m.blend, m.mix, m.startA, m.speedB);
  return m;
}

// Blend: equal-power gains of the two layers. The blend moves only when a Motion LFO is aimed at
// it, so its gains are taken again only then.
class BlendGains
{
public:
  void Follow(double blend)
  {
    if (blend == mBlend)
      return;
    mBlend = blend;
    a = std::cos(blend * kPi / 2.0);
    b = std::sin(blend * kPi / 2.0);
  }

  double Mix(double layerA, double layerB) const { return layerA * a + layerB * b; }

private:
  double mBlend = -1.0;
  double a = 0.0, b = 0.0;
};

// Filter: one channel of the filter bank.
struct FilterChannel
{
  StateVariableFilter& stage1;
  StateVariableFilter& stage2;
  Biquad& allpass;
};

double ModulatedCutoff(const BlockSettings& block, const Modulation& m)
{
  return Clamp(block.cutoff +
                 BrimvaleEngine::kFilterLfoSpanHz * (m.lfoA * block.filterLfoA + m.lfoB * block.filterLfoB),
               kMinCutoffHz, block.cutoffCeiling);
}

// Coefficients follow the modulated cutoff every sample; a record the mode leaves idle gets them
// when it next runs, since they depend on nothing but this sample's cutoff. Within a block the
// resonance and mode stand still, so a cutoff equal to the last one leaves them as they are.
void SetFilterCoefficients(const FilterChannel& left, const FilterChannel& right, const BlockSettings& block, double fc,
                           double& lastCutoff)
{
  if (fc == lastCutoff)
    return;
  lastCutoff = fc;
  left.stage1.Set(block.fs, fc, block.resonance);
  right.stage1.SetCoefficients(left.stage1.g, left.stage1.k);
  if (block.mode == FilterMode::kLowpass || block.mode == FilterMode::kHighpass)
  {
    left.stage2.SetCoefficients(left.stage1.g, kSecondStageDamping);
    right.stage2.SetCoefficients(left.stage1.g, kSecondStageDamping);
  }
  else if (block.mode == FilterMode::kAllpass)
  {
    left.allpass.Set(block.fs, fc, block.resonance, FilterMode::kAllpass);
    right.allpass.b0 = left.allpass.b0;
    right.allpass.b1 = left.allpass.b1;
    right.allpass.b2 = left.allpass.b2;
    right.allpass.a1 = left.allpass.a1;
    right.allpass.a2 = left.allpass.a2;
  }
}

// The blend driven into the soft clip and normalised.
double Drive(const BlockSettings& block, double blended)
{
  return std::tanh(blended * block.drive) / block.norm;
}

// The driven blend x through stage 1 and the mode's output, limited for the Space stage.
float FilterSample(const FilterChannel& channel, const BlockSettings& block, double x)
{
  const StateVariableFilter::Output first = channel.stage1.Process(x);
  double y;
  switch (block.mode)
  {
  case FilterMode::kLowpass:
    y = channel.stage2.Process(first.low + kSecondStageEmphasis * block.emphasis * first.band).low;
    break;
  case FilterMode::kHighpass:
    y = channel.stage2.Process(first.high + kSecondStageEmphasis * block.emphasis * first.band).high;
    break;
  case FilterMode::kBandpass: y = first.band; break;
  case FilterMode::kNotch: y = x - block.emphasis * first.band; break;
  case FilterMode::kPeak: y = x + block.emphasis * first.band; break;
  case FilterMode::kAllpass: y = channel.allpass.Process(x); break;
  default: y = x; break;
  }
  return static_cast<float>(Clamp(y, -kDryLimit, kDryLimit));
}

// Output: dry and wet mixed per sample, the wet side widened, master gain and a soft clip.
double OutputSample(double dry, double mid, double side, double wetShare, double master)
{
  return std::tanh((dry * (1.0 - wetShare) + (mid + side) * wetShare) * master);
}

void WriteSilence(double** outputs, int firstChannel, int nChans, int nFrames)
{
  for (int c = firstChannel; c < nChans; ++c)
    std::fill(outputs[c], outputs[c] + nFrames, 0.0);
}

// Sizes a scratch buffer to the block; false when there is no memory for it.
template <typename T>
bool Fill(std::vector<T>& buffer, size_t frames, T value)
{
  try
  {
    buffer.assign(frames, value);
    return true;
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
}
} // namespace

void BrimvaleEngine::ProcessBlock(double** outputs, int nChans, int nFrames, const Params& params)
{
  if (nChans < 1 || outputs == nullptr)
    return;

  std::lock_guard<std::mutex> lock(mutex);
  const DenormalGuard flushTinyNumbers;
  if (nFrames < 1)
    return;

  if (sampleA.left.empty() && sampleB.left.empty())
  {
    WriteSilence(outputs, 0, nChans, nFrames);
    return;
  }

  const BlockSettings block(params, sampleRate);
  const size_t frames = static_cast<size_t>(nFrames);
  if (!Fill(dryLeft, frames, 0.0f) || !Fill(dryRight, frames, 0.0f) || !Fill(wetLeft, frames, 0.0f) ||
      !Fill(wetRight, frames, 0.0f) || !Fill(spaceMixPerSample, frames, block.mix) ||
      !Fill(movedSettings, frames, MovedSettings{}) || !Fill(drivenMix, frames, StereoSample{}))
  {
    WriteSilence(outputs, 0, nChans, nFrames);
    return;
  }

  // Motion first, then the layers with their blend and drive, then the filter: the same arithmetic
  // in the same order for every sample as one pass would do, but each pass's samples depend on one
  // another only through short state updates, so the processor works on several at once.
  for (int i = 0; i < nFrames; ++i)
  {
    const Modulation m = RunMotion(lfoA, lfoB, params, block);
    movedSettings[i] = {m.blend, m.startA, m.speedB, ModulatedCutoff(block, m)};
    spaceMixPerSample[i] = m.mix;
  }

  BlendGains blendGains;
  for (int i = 0; i < nFrames; ++i)
  {
    const MovedSettings& moved = movedSettings[i];
    blendGains.Follow(moved.blend);
    const StereoSample a = RenderLayerWithGains(sampleA, layerA, params.playA, params.reverseA, block.gainsA,
                                                moved.startA, block.speedA, block.rate);
    const StereoSample b = RenderLayerWithGains(sampleB, layerB, params.playB, params.reverseB, block.gainsB,
                                                params.startB, moved.speedB, block.rate);
    drivenMix[i] = {Drive(block, blendGains.Mix(a.left, b.left)), Drive(block, blendGains.Mix(a.right, b.right))};
  }

  const FilterChannel left{stage1Left, stage2Left, allpassLeft};
  const FilterChannel right{stage1Right, stage2Right, allpassRight};
  double lastCutoff = std::numeric_limits<double>::quiet_NaN(); // the block's first sample sets them
  for (int i = 0; i < nFrames; ++i)
  {
    SetFilterCoefficients(left, right, block, movedSettings[i].cutoff, lastCutoff);
    dryLeft[i] = FilterSample(left, block, drivenMix[i].left);
    dryRight[i] = FilterSample(right, block, drivenMix[i].right);
  }

  ProcessCloudSeedSpace(nFrames, params);

  for (int i = 0; i < nFrames; ++i)
  {
    const double w = Clamp(spaceMixPerSample[i], 0.0, 1.0);
    const double wetL = wetLeft[i];
    const double wetR = wetRight[i];
    const double mid = (wetL + wetR) / 2.0;
    const double side = (wetL - wetR) / 2.0 * block.width;
    outputs[0][i] = OutputSample(dryLeft[i], mid, side, w, block.master);
    if (nChans >= 2)
      outputs[1][i] = OutputSample(dryRight[i], mid, -side, w, block.master);
  }
  WriteSilence(outputs, 2, nChans, nFrames);
}

} // namespace brimvale::engine
