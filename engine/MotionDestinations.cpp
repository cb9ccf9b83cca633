#include "engine/BrimvaleEngine.h"

#include "engine/EngineMath.h"

namespace brimvale::engine
{

namespace
{
// How far a full-scale LFO moves each destination (the Blend: BrimvaleEngine::kBlendSwing).
constexpr double kSpaceMixSwing = 0.25;
constexpr double kStartSwing = 0.25;
constexpr double kSpeedSwing = 0.5;
} // namespace

void BrimvaleEngine::ApplyMotionDestinations(double lfoA, double lfoB, const Params& params, double& blend,
                                             double& spaceMix, double& startA, double& speedB)
{
  const auto apply = [&](double lfo, int32_t destination) {
    switch (
      static_cast<EMotionDestination>(static_cast<int32_t>(Clamp(destination, 0.0, kNumMotionDestinations - 1.0))))
    {
    case EMotionDestination::kBlend:
      blend = Clamp(blend + lfo * Clamp(params.blendLfo, 0.0, 1.0) * kBlendSwing, 0.0, 1.0);
      break;
    case EMotionDestination::kSpace: spaceMix = Clamp(spaceMix + lfo * kSpaceMixSwing, 0.0, 1.0); break;
    case EMotionDestination::kAStart: startA = Clamp(startA + lfo * kStartSwing, 0.0, 1.0); break;
    case EMotionDestination::kBSpeed: speedB = Clamp(speedB + lfo * kSpeedSwing, 0.0, kMaxSpeed); break;
    case EMotionDestination::kFilter: break; // acts through the Filter LFO amounts only
    }
  };
  apply(lfoA, params.motionADestination);
  apply(lfoB, params.motionBDestination);
}

} // namespace brimvale::engine
