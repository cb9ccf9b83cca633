#pragma once

#include <cstdint>

namespace brimvale::engine
{

// The Motion "Shape" choices, in parameter order.
enum class LfoShape : int32_t
{
  kSine = 0,
  kTriangle,
  kRampUp,
  kRampDown,
  kRandom,
  kDrift,
  kGlider,
};

constexpr int kNumShapes = static_cast<int>(LfoShape::kGlider) + 1;

// The state of one Motion LFO.
struct LfoState
{
  double phase = 0.0;
  double randomValue = 0.0;
  double driftPhase1 = 0.0;
  double driftPhase2 = 0.0;
  double gliderFrom = 0.0;
  double gliderTo = 0.0;
  double gliderValue = 0.0;
  bool randomReady = false;
  bool gliderReady = false;
  uint32_t seed = 0x12345678u;
};

// Advances the LFO by one sample and returns its value in -1..1. The random and glider draws
// follow the cycle count whatever shape is shown.
double RenderLfoSample(LfoState& state, double rate, double sampleRate, LfoShape shape);

// One draw of the LFO's random generator, in -1..1.
double NextRandom(LfoState& state);

} // namespace brimvale::engine
