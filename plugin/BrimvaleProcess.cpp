// The two running roads: the audio thread hands every block's parameter values to the engine;
// the main thread's timer drains the meter and animates the editor's Motion previews.
#include "plugin/Brimvale.h"

#include "plugin/editor/BVMotionShapes.h"
#include "plugin/BrimvaleMessages.h"
#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>

using brimvale::editor::ShapeValueForPhase;
using brimvale::engine::BrimvaleEngine;
using iplug::kOutput;

void Brimvale::ProcessBlock(double**, double** outputs, int nFrames)
{
  int nChans = NChannelsConnected(kOutput);
  if (nChans < 1)
    nChans = std::clamp(MaxNChannels(kOutput), 1, 2);
  const BrimvaleEngine::Params params = ReadEngineParams();
  mEngine.ProcessBlock(outputs, nChans, nFrames, params);
  mMeterSender.ProcessBlock(outputs, nFrames, kCtrlTagMeter, std::min(nChans, 2), 0);
}

BrimvaleEngine::Params Brimvale::ReadEngineParams() const
{
  auto value = [this](int idx) { return GetParam(idx)->Value(); };
  auto flag = [&value](int idx) { return value(idx) >= 0.5; };
  auto whole = [&value](int idx) { return static_cast<int32_t>(value(idx)); };

  BrimvaleEngine::Params p;
  p.playA = flag(kSampleAPlay);
  p.playB = flag(kSampleBPlay);
  p.reverseA = flag(kSampleAReverse);
  p.reverseB = flag(kSampleBReverse);
  p.levelA = value(kSampleALevel);
  p.levelB = value(kSampleBLevel);
  p.panA = value(kSampleAPan);
  p.panB = value(kSampleBPan);
  p.startA = value(kSampleAStart);
  p.startB = value(kSampleBStart);
  p.speedA = value(kSampleASpeed);
  p.speedB = value(kSampleBSpeed);
  p.speedModeA = whole(kSampleASpeedMode);
  p.speedModeB = whole(kSampleBSpeedMode);
  p.semitonesA = value(kSampleASemitones);
  p.semitonesB = value(kSampleBSemitones);
  p.blend = value(kBlend);
  p.blendLfo = value(kBlendLfo);
  p.filterCutoff = value(kFilterCutoff);
  p.filterResonance = value(kFilterResonance);
  p.filterDrive = value(kFilterDrive);
  p.filterLfoA = value(kFilterLfoA);
  p.filterLfoB = value(kFilterLfoB);
  p.filterMode = whole(kFilterMode);
  p.motionARate = value(kMotionARate);
  p.motionADepth = value(kMotionADepth);
  p.motionAShape = whole(kMotionAShape);
  p.motionADestination = whole(kMotionADestination);
  p.motionBRate = value(kMotionBRate);
  p.motionBDepth = value(kMotionBDepth);
  p.motionBShape = whole(kMotionBShape);
  p.motionBDestination = whole(kMotionBDestination);
  p.spaceMix = value(kSpaceMix);
  p.spaceSize = value(kSpaceSize);
  p.spaceDecay = value(kSpaceDecay);
  p.spaceWidth = value(kSpaceWidth);
  p.master = value(kMaster);
  return p;
}

void Brimvale::OnReset()
{
  mEngine.Reset(GetSampleRate());
  mMeterSender.Reset(GetSampleRate());
}

void Brimvale::OnIdle()
{
  mMeterSender.TransmitData(*this);
  // The previews only run while someone can see them.
  if (GetUI())
    SendMotionPreviews();
}

void Brimvale::OnParamChangeUI(int paramIdx, iplug::EParamSource)
{
  if (paramIdx == kSampleASpeedMode || paramIdx == kSampleBSpeedMode)
    UpdateSampleSpeedModeControls();
}

namespace
{

using brimvale::engine::EMotionDestination;
using brimvale::engine::kNumShapes;
using brimvale::utility::kTwoPi;

double Clamp01(double v)
{
  return std::clamp(v, 0.0, 1.0);
}

// One timer tick moves a preview by rate/20 of a cycle.
double AdvancePhase(double phase, double rate)
{
  const double inc = rate < 0.0 ? 0.0 : std::min(rate, 20.0) / 20.0;
  const double next = phase + inc;
  return next - std::floor(next);
}

} // namespace

void Brimvale::SendMotionPreviews()
{
  auto value = [this](int idx) { return GetParam(idx)->Value(); };

  mPreviewPhaseA = AdvancePhase(mPreviewPhaseA, value(kMotionARate));
  mPreviewPhaseB = AdvancePhase(mPreviewPhaseB, value(kMotionBRate));

  const int shapeA = static_cast<int>(value(kMotionAShape));
  const int shapeB = static_cast<int>(value(kMotionBShape));
  const int destA = static_cast<int>(value(kMotionADestination));
  const int destB = static_cast<int>(value(kMotionBDestination));
  const double depthA = Clamp01(value(kMotionADepth));
  const double depthB = Clamp01(value(kMotionBDepth));
  const double blendLfo = Clamp01(value(kBlendLfo));

  const double previewA = ShapeValueForPhase(mPreviewPhaseA, std::clamp(shapeA, 0, kNumShapes - 1)) * depthA;
  const double previewB = ShapeValueForPhase(mPreviewPhaseB, std::clamp(shapeB, 0, kNumShapes - 1)) * depthB;

  double cutoff = value(kFilterCutoff) + BrimvaleEngine::kFilterLfoSpanHz * previewA * Clamp01(value(kFilterLfoA)) +
                  BrimvaleEngine::kFilterLfoSpanHz * previewB * Clamp01(value(kFilterLfoB));
  cutoff = std::clamp(cutoff, 40.0, BrimvaleEngine::kMaxModulatedCutoffHz);

  constexpr int kToBlend = static_cast<int>(EMotionDestination::kBlend);
  double blend = value(kBlend);
  if (destA == kToBlend)
    blend += previewA * blendLfo * BrimvaleEngine::kBlendSwing;
  if (destB == kToBlend)
    blend += previewB * blendLfo * BrimvaleEngine::kBlendSwing;
  SendControlValueFromDelegate(kCtrlTagBlend, Clamp01(blend));

  const double cutoffNormalized = Clamp01(GetParam(kFilterCutoff)->ToNormalized(cutoff));
  SendControlMsgFromDelegate(kCtrlTagFilterDisplay, kMsgTagFilterDisplay, sizeof(double), &cutoffNormalized);

  PanelScopePayload scope;
  scope.blendPhase = kTwoPi * mPreviewPhaseA;
  scope.blendDepth = blendLfo;
  scope.motionAPhase = mPreviewPhaseA;
  scope.motionBPhase = mPreviewPhaseB;
  scope.motionADepth = depthA;
  scope.motionBDepth = depthB;
  scope.motionAShape = shapeA;
  scope.motionBShape = shapeB;
  SendControlMsgFromDelegate(kCtrlTagPanel, kMsgTagPanelScope, sizeof(scope), &scope);
}
