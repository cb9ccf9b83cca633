#pragma once

#include <cstdint>

// The Motion "Shape" choices, in parameter order.
enum LfoShape
{
  kSine = 0,
  kTriangle,
  kRampUp,
  kRampDown,
  kRandom,
  kDrift,
  kGlider,
};

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
