#include "engine/BrimvaleEngine.h"

#include "engine/EngineMath.h"

using EngineMath::Clamp;

namespace
{
// How far a full-scale LFO moves each destination.
constexpr double kBlendSwing = 0.5; // times the Blend LFO amount
constexpr double kSpaceMixSwing = 0.25;
constexpr double kStartSwing = 0.25;
constexpr double kSpeedSwing = 0.5;
} // namespace

void BrimvaleEngine::ApplyMotionDestinations(double lfoA, double lfoB, const Params& params, double& blend,
                                             double& spaceMix, double& startA, double& speedB)
{
  const auto apply = [&](double lfo, int32_t destination) {
    switch (static_cast<int32_t>(Clamp(destination, kMotionDestBlend, kMotionDestBSpeed)))
    {
    case kMotionDestBlend: blend = Clamp(blend + lfo * Clamp(params.blendLfo, 0.0, 1.0) * kBlendSwing, 0.0, 1.0); break;
    case kMotionDestSpace: spaceMix = Clamp(spaceMix + lfo * kSpaceMixSwing, 0.0, 1.0); break;
    case kMotionDestAStart: startA = Clamp(startA + lfo * kStartSwing, 0.0, 1.0); break;
    case kMotionDestBSpeed: speedB = Clamp(speedB + lfo * kSpeedSwing, 0.0, kMaxSpeed); break;
    default: break; // "Filter" acts through the Filter LFO amounts only
    }
  };
  apply(lfoA, params.motionADestination);
  apply(lfoB, params.motionBDestination);
}
