#include "engine/BrimvaleEngine.h"

#include "engine/EngineMath.h"
#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>

using brimvale::utility::kPi;

namespace brimvale::engine
{

namespace
{
constexpr double kMaxLevel = 1.5;
constexpr double kPanRange = 100.0; // Pan runs from -100 (left) to 100 (right)
constexpr double kMinHostRate = 1000.0;
// A Start change up to this size is ignored, so that a small wobble does not re-seek.
constexpr double kReseekThreshold = 0.002;

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

double BrimvaleEngine::EffectiveSampleSpeed(double speed, int speedMode, double semitones)
{
  const double value = speedMode == 1 ? std::pow(2.0, std::round(semitones) / 12.0) : speed;
  return Clamp(value, kMinSpeed, kMaxSpeed);
}

BrimvaleEngine::StereoSample BrimvaleEngine::LayerGains(double level, double pan)
{
  const double p = Clamp((pan + kPanRange) / (2.0 * kPanRange), 0.0, 1.0);
  const double lv = Clamp(level, 0.0, kMaxLevel);
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
  if (state.lastStart < 0.0 || std::fabs(state.lastStart - s) > kReseekThreshold)
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

  const double host = hostRate > kMinHostRate ? hostRate : kMinHostRate;
  const double step = Clamp(speed, kMinSpeed, kMaxSpeed) * buffer.sampleRate / host;
  state.position = pos + (reverse ? -step : step);

  // A balance law: each side keeps its own channel.
  return {gains.left * l, gains.right * r};
}

} // namespace brimvale::engine
