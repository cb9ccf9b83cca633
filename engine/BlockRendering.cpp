#include "engine/BrimvaleEngine.h"

#include "engine/EngineMath.h"

#include <algorithm>
#include <cmath>
#include <new>

using EngineMath::Clamp;
using EngineMath::kPi;

namespace
{
constexpr double kSecondStageDamping = 1.9806;

double Fraction(double x)
{
  return x - std::floor(x);
}

// Brings pos into 0..len. One step of len is all a normal block needs; a step many loop lengths
// long (a tiny loop recorded at a huge rate) takes the remainder instead of looping per length.
double WrapPosition(double pos, double len)
{
  if (!std::isfinite(pos))
    return 0.0;
  if (pos < 0.0)
  {
    pos += len;
    if (pos < 0.0)
      pos = std::fmod(pos, len) + len;
  }
  if (pos >= len)
  {
    pos -= len;
    if (pos >= len)
      pos = std::fmod(pos, len);
  }
  return pos < len ? pos : 0.0;
}
} // namespace

double BrimvaleEngine::NextRandom(LfoState& state)
{
  state.seed = state.seed * 1664525u + 1013904223u;
  return static_cast<double>(state.seed >> 8) / 16777215.0 * 2.0 - 1.0;
}

double BrimvaleEngine::RenderLfoSample(LfoState& state, double rate, double sampleRate, LfoShape shape)
{
  const double old = state.phase;
  const double r = Clamp(rate, 0.0, 20.0);
  const double fs = sampleRate > 1000.0 ? sampleRate : 1000.0;
  state.phase = Fraction(state.phase + r / fs);

  if (!state.randomReady)
  {
    state.randomValue = NextRandom(state);
    state.randomReady = true;
  }
  if (old > state.phase)
  {
    state.randomValue = NextRandom(state);
    if (state.gliderReady)
    {
      state.gliderFrom = state.gliderTo;
      state.gliderTo = NextRandom(state);
    }
  }
  if (!state.gliderReady)
  {
    state.gliderFrom = NextRandom(state);
    state.gliderTo = NextRandom(state);
    state.gliderValue = state.gliderFrom;
    state.gliderReady = true;
  }

  const double p = state.phase;
  switch (shape)
  {
  case kSine: return std::sin(2.0 * kPi * p);
  case kTriangle: return 1.0 - 4.0 * std::fabs(p - 0.5);
  case kRampUp: return 2.0 * p - 1.0;
  case kRampDown: return 1.0 - 2.0 * p;
  case kRandom: return state.randomValue;
  case kDrift:
    state.driftPhase1 = Fraction(state.driftPhase1 + 0.31 * r / fs);
    state.driftPhase2 = Fraction(state.driftPhase2 + 0.47 * r / fs);
    return Clamp((std::sin(2.0 * kPi * state.driftPhase1) + std::sin(2.0 * kPi * state.driftPhase2 + 0.73)) / 2.0,
                 -1.0, 1.0);
  case kGlider:
  {
    const double target = state.gliderFrom + (state.gliderTo - state.gliderFrom) * p;
    state.gliderValue += (target - state.gliderValue) / 64.0;
    return Clamp(state.gliderValue, -1.0, 1.0);
  }
  }
  return 0.0;
}

double BrimvaleEngine::EffectiveSampleSpeed(double speed, int speedMode, double semitones)
{
  const double value = speedMode == 1 ? std::pow(2.0, std::round(semitones) / 12.0) : speed;
  return Clamp(value, 0.125, 4.0);
}

void BrimvaleEngine::ApplyMotionDestinations(double lfoA, double lfoB, const Params& params, double& blend,
                                             double& spaceMix, double& startA, double& speedB)
{
  const auto apply = [&](double lfo, int32_t destination) {
    switch (static_cast<int32_t>(Clamp(destination, 0, 4)))
    {
    case kMotionDestBlend: blend = Clamp(blend + lfo * Clamp(params.blendLfo, 0.0, 1.0) * 0.5, 0.0, 1.0); break;
    case kMotionDestSpace: spaceMix = Clamp(spaceMix + lfo * 0.25, 0.0, 1.0); break;
    case kMotionDestAStart: startA = Clamp(startA + lfo * 0.25, 0.0, 1.0); break;
    case kMotionDestBSpeed: speedB = Clamp(speedB + lfo * 0.5, 0.0, 4.0); break;
    default: break; // "Filter" acts through the Filter LFO amounts only
    }
  };
  apply(lfoA, params.motionADestination);
  apply(lfoB, params.motionBDestination);
}

BrimvaleEngine::StereoSample BrimvaleEngine::LayerGains(double level, double pan)
{
  const double p = Clamp((pan + 100.0) / 200.0, 0.0, 1.0);
  const double lv = Clamp(level, 0.0, 1.5);
  return {lv * std::cos(p * kPi / 2.0), lv * std::sin(p * kPi / 2.0)};
}

BrimvaleEngine::StereoSample BrimvaleEngine::RenderLayer(const SampleBuffer& buffer, LayerState& state, bool play,
                                                         bool reverse, double level, double pan, double start,
                                                         double speed, double hostRate)
{
  return RenderLayerWithGains(buffer, state, play, reverse, LayerGains(level, pan), start, speed, hostRate);
}

BrimvaleEngine::StereoSample BrimvaleEngine::RenderLayerWithGains(const SampleBuffer& buffer, LayerState& state,
                                                                  bool play, bool reverse, StereoSample gains,
                                                                  double start, double speed, double hostRate)
{
  const size_t frames = std::min(buffer.left.size(), buffer.right.size());
  // A single frame has no loop to run through: it plays as silence, like an empty layer.
  if (!play || frames < 2)
    return {0.0, 0.0};

  const double len = static_cast<double>(frames - 1);
  const double s = Clamp(start, 0.0, 1.0);
  double pos;
  if (state.lastStart < 0.0 || std::fabs(state.lastStart - s) > 0.002)
  {
    state.lastStart = s;
    pos = s * len;
  }
  else
  {
    pos = state.position;
  }
  pos = WrapPosition(pos, len);

  const size_t i0 = static_cast<size_t>(pos);
  const size_t i1 = i0 + 1 < frames ? i0 + 1 : 0;
  const double t = pos - static_cast<double>(i0);
  const double l = buffer.left[i0] + (buffer.left[i1] - buffer.left[i0]) * t;
  const double r = buffer.right[i0] + (buffer.right[i1] - buffer.right[i0]) * t;

  const double host = hostRate > 1000.0 ? hostRate : 1000.0;
  const double step = Clamp(speed, 0.125, 4.0) * buffer.sampleRate / host;
  state.position = pos + (reverse ? -step : step);

  // A balance law: each side keeps its own channel.
  return {gains.left * l, gains.right * r};
}

void BrimvaleEngine::ProcessBlock(double** outputs, int nChans, int nFrames, const Params& params)
{
  if (nChans < 1 || outputs == nullptr)
    return;

  std::lock_guard<std::mutex> lock(mutex);
  if (nFrames < 1)
    return;

  if (sampleA.left.empty() && sampleB.left.empty())
  {
    for (int c = 0; c < nChans; ++c)
      std::fill(outputs[c], outputs[c] + nFrames, 0.0);
    return;
  }

  const double filterLfoA = Clamp(params.filterLfoA, 0.0, 1.0);
  const double filterLfoB = Clamp(params.filterLfoB, 0.0, 1.0);
  const double drive = Clamp(params.filterDrive, 0.25, 8.0);
  const double master = Clamp(params.master, 0.0, 1.5);
  const double norm = std::max(std::tanh(drive), 0.001);
  const double baseMix = Clamp(params.spaceMix, 0.0, 1.0);
  try
  {
    const size_t frames = static_cast<size_t>(nFrames);
    dryLeft.assign(frames, 0.0f);
    dryRight.assign(frames, 0.0f);
    wetLeft.assign(frames, 0.0f);
    wetRight.assign(frames, 0.0f);
    spaceMixPerSample.assign(frames, baseMix);
  }
  catch (const std::bad_alloc&)
  {
    for (int c = 0; c < nChans; ++c)
      std::fill(outputs[c], outputs[c] + nFrames, 0.0);
    return;
  }

  const double rate = sampleRate;
  const double fs = std::max(rate, 1000.0);
  const LfoShape shapeA = static_cast<LfoShape>(Clamp(params.motionAShape, 0, 6));
  const LfoShape shapeB = static_cast<LfoShape>(Clamp(params.motionBShape, 0, 6));
  const double depthA = Clamp(params.motionADepth, 0.0, 1.0);
  const double depthB = Clamp(params.motionBDepth, 0.0, 1.0);
  const double baseBlend = Clamp(params.blend, 0.0, 1.0);
  const double baseCutoff = std::max(std::min(params.filterCutoff, 0.45 * rate), 20.0);
  const double cutoffCeiling = std::min(0.45 * rate, 18000.0);
  const double baseStartA = Clamp(params.startA, 0.0, 1.0);
  const double baseSpeedA = EffectiveSampleSpeed(params.speedA, params.speedModeA, params.semitonesA);
  const double baseSpeedB = EffectiveSampleSpeed(params.speedB, params.speedModeB, params.semitonesB);
  const double resonanceAmount = Clamp((params.filterResonance - 0.1) / 7.9, 0.0, 1.0);
  const double emphasis = 10.0 * resonanceAmount;
  const int32_t mode = params.filterMode;
  const StereoSample gainsA = LayerGains(params.levelA, params.panA);
  const StereoSample gainsB = LayerGains(params.levelB, params.panB);
  // The blend moves only when a Motion LFO is aimed at it; its gains are taken again when it does.
  double gainBlend = -1.0, gA = 0.0, gB = 0.0;

  for (int i = 0; i < nFrames; ++i)
  {
    double motionA = RenderLfoSample(lfoA, params.motionARate, rate, shapeA);
    double motionB = RenderLfoSample(lfoB, params.motionBRate, rate, shapeB);

    double blend = baseBlend;
    double mix = baseMix;
    double startA = baseStartA;
    double speedB = baseSpeedB;
    motionA *= depthA;
    motionB *= depthB;
    ApplyMotionDestinations(motionA, motionB, params, blend, mix, startA, speedB);

    if (blend != gainBlend)
    {
      gainBlend = blend;
      gA = std::cos(blend * kPi / 2.0);
      gB = std::sin(blend * kPi / 2.0);
    }
    const double fc =
      Clamp(baseCutoff + 3600.0 * (motionA * filterLfoA + motionB * filterLfoB), 20.0, cutoffCeiling);

    // Coefficients follow the modulated cutoff every sample; a record the mode leaves idle gets
    // them when it next runs, since they depend on nothing but this sample's cutoff.
    stage1Left.Set(fs, fc, params.filterResonance);
    stage1Right.SetCoefficients(stage1Left.g, stage1Left.k);
    if (mode == kLowpass || mode == kHighpass)
    {
      stage2Left.SetCoefficients(stage1Left.g, kSecondStageDamping);
      stage2Right.SetCoefficients(stage1Left.g, kSecondStageDamping);
    }
    else if (mode == kAllpass)
    {
      allpassLeft.Set(fs, fc, params.filterResonance, kAllpass);
      allpassRight.b0 = allpassLeft.b0;
      allpassRight.b1 = allpassLeft.b1;
      allpassRight.b2 = allpassLeft.b2;
      allpassRight.a1 = allpassLeft.a1;
      allpassRight.a2 = allpassLeft.a2;
    }

    const StereoSample a =
      RenderLayerWithGains(sampleA, layerA, params.playA, params.reverseA, gainsA, startA, baseSpeedA, rate);
    const StereoSample b =
      RenderLayerWithGains(sampleB, layerB, params.playB, params.reverseB, gainsB, params.startB, speedB, rate);

    const auto filter = [&](double m, StateVariableFilter& stage1, StateVariableFilter& stage2, Biquad& allpass) {
      const double x = std::tanh(m * drive) / norm;
      const StateVariableFilter::Output first = stage1.Process(x);
      switch (mode)
      {
      case kLowpass: return stage2.Process(first.low + 0.72 * emphasis * first.band).low;
      case kHighpass: return stage2.Process(first.high + 0.72 * emphasis * first.band).high;
      case kBandpass: return first.band;
      case kNotch: return x - emphasis * first.band;
      case kPeak: return x + emphasis * first.band;
      case kAllpass: return allpass.Process(x);
      default: return x;
      }
    };
    const double yL = filter(a.left * gA + b.left * gB, stage1Left, stage2Left, allpassLeft);
    const double yR = filter(a.right * gA + b.right * gB, stage1Right, stage2Right, allpassRight);

    dryLeft[i] = static_cast<float>(Clamp(yL, -4.0, 4.0));
    dryRight[i] = static_cast<float>(Clamp(yR, -4.0, 4.0));
    spaceMixPerSample[i] = mix;
  }

  ProcessCloudSeedSpace(nFrames, params);

  const double width = Clamp(params.spaceWidth, 0.0, 2.0);
  for (int i = 0; i < nFrames; ++i)
  {
    const double w = Clamp(spaceMixPerSample[i], 0.0, 1.0);
    const double wetL = wetLeft[i];
    const double wetR = wetRight[i];
    const double mid = (wetL + wetR) / 2.0;
    const double side = (wetL - wetR) / 2.0 * width;
    outputs[0][i] = std::tanh((dryLeft[i] * (1.0 - w) + (mid + side) * w) * master);
    if (nChans >= 2)
      outputs[1][i] = std::tanh((dryRight[i] * (1.0 - w) + (mid - side) * w) * master);
  }
  for (int c = 2; c < nChans; ++c)
    std::fill(outputs[c], outputs[c] + nFrames, 0.0);
}
