#include "engine/BrimvaleEngine.h"
#include "utility/MathConstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
using brimvale::utility::kTwoPi;
using Engine = brimvale::engine::BrimvaleEngine;
using brimvale::engine::LfoShape;
using brimvale::engine::NextRandom;
using brimvale::engine::RenderLfoSample;

TEST(Motion, NextRandomStepsTheGenerator)
{
  Engine::LfoState state;
  state.seed = 0;
  // 0 * 1664525 + 1013904223 = 0x3C6EF35F; its top 24 bits are 0x3C6EF3 = 3960563.
  EXPECT_NEAR(NextRandom(state), 3960563.0 / 16777215.0 * 2.0 - 1.0, 1e-15);
  EXPECT_EQ(state.seed, 0x3C6EF35Fu);
  for (int i = 0; i < 1000; ++i)
  {
    const double v = NextRandom(state);
    ASSERT_GE(v, -1.0);
    ASSERT_LE(v, 1.0);
  }
}

TEST(Motion, ShapesAtKnownPhases)
{
  struct Case
  {
    Engine::LfoShape shape;
    double phaseAfter;
    double expected;
  };
  const Case cases[] = {
    {LfoShape::kSine, 0.25, 1.0},     {LfoShape::kSine, 0.75, -1.0},        {LfoShape::kTriangle, 0.5, 1.0},
    {LfoShape::kTriangle, 0.25, 0.0}, {LfoShape::kTriangle, 0.0625, -0.75}, {LfoShape::kRampUp, 0.25, -0.5},
    {LfoShape::kRampUp, 0.875, 0.75}, {LfoShape::kRampDown, 0.25, 0.5},     {LfoShape::kRampDown, 0.875, -0.75},
  };
  for (const Case& c : cases)
  {
    Engine::LfoState exact;
    exact.phase = c.phaseAfter - 0.0125; // 12.5 Hz at the rate floor of 1000 Hz: 0.0125 per sample
    EXPECT_NEAR(RenderLfoSample(exact, 12.5, 10.0, c.shape), c.expected, 1e-12)
      << static_cast<int>(c.shape) << " at " << c.phaseAfter;
    EXPECT_NEAR(exact.phase, c.phaseAfter, 1e-15);
  }
}

TEST(Motion, RateIsLimitedToTwentyHertz)
{
  const std::pair<double, double> cases[] = {{100.0, 20.0}, {-3.0, 0.0}, {5.0, 5.0}};
  for (const auto& c : cases)
  {
    Engine::LfoState state;
    RenderLfoSample(state, c.first, 48000.0, LfoShape::kSine);
    EXPECT_NEAR(state.phase, c.second / 48000.0, 1e-15) << c.first;
  }
}

// The random and glider values are drawn on the cycle's wrap whatever shape is shown: first the
// Random value, then the Glider's pair, and at every wrap a new Random value and a new target.
TEST(Motion, RandomAndGliderDrawsFollowTheCycles)
{
  for (LfoShape shape : {LfoShape::kSine, LfoShape::kRandom, LfoShape::kGlider})
  {
    Engine::LfoState state;
    state.seed = 0x18273645u;
    Engine::LfoState generator = state;
    std::vector<double> draws;
    for (int i = 0; i < 7; ++i)
      draws.push_back(NextRandom(generator));

    const double rate = 20.0, fs = 1000.0; // a cycle every 50 samples
    std::vector<double> outputs;
    for (int i = 0; i < 49; ++i)
      outputs.push_back(RenderLfoSample(state, rate, fs, shape));
    EXPECT_EQ(state.randomValue, draws[0]) << static_cast<int>(shape);
    EXPECT_EQ(state.gliderFrom, draws[1]) << static_cast<int>(shape);
    EXPECT_EQ(state.gliderTo, draws[2]) << static_cast<int>(shape);

    for (int i = 0; i < 50; ++i) // through the first wrap
      outputs.push_back(RenderLfoSample(state, rate, fs, shape));
    EXPECT_EQ(state.randomValue, draws[3]) << static_cast<int>(shape);
    EXPECT_EQ(state.gliderFrom, draws[2]) << static_cast<int>(shape);
    EXPECT_EQ(state.gliderTo, draws[4]) << static_cast<int>(shape);

    if (shape == LfoShape::kRandom)
    {
      for (int i = 0; i < 49; ++i)
        EXPECT_EQ(outputs[i], draws[0]) << i;
      EXPECT_EQ(outputs.back(), draws[3]);
    }
    if (shape == LfoShape::kGlider)
    {
      for (double v : outputs)
        EXPECT_LE(std::fabs(v), 1.0);
    }
  }
}

// The glider follows its target with a one-pole lag of 64 samples: on a slow cycle it trails the
// moving target by about 64 samples' worth of its movement.
TEST(Motion, GliderTrailsItsMovingTarget)
{
  Engine::LfoState state;
  state.seed = 99;
  double value = 0.0;
  for (int i = 0; i < 2000; ++i)
    value = RenderLfoSample(state, 0.5, 48000.0, LfoShape::kGlider);
  const double span = state.gliderTo - state.gliderFrom;
  const double target = state.gliderFrom + span * state.phase;
  const double perSample = span * 0.5 / 48000.0;
  EXPECT_NEAR(target - value, 63.0 * perSample, std::fabs(perSample) * 2.0);
}

TEST(Motion, DriftPhasesMoveOnlyWhileDriftIsShown)
{
  Engine::LfoState state;
  for (int i = 0; i < 100; ++i)
    RenderLfoSample(state, 10.0, 1000.0, LfoShape::kSine);
  EXPECT_EQ(state.driftPhase1, 0.0);
  EXPECT_EQ(state.driftPhase2, 0.0);
  const double first = RenderLfoSample(state, 10.0, 1000.0, LfoShape::kDrift);
  EXPECT_NEAR(state.driftPhase1, 0.31 * 10.0 / 1000.0, 1e-15);
  EXPECT_NEAR(state.driftPhase2, 0.47 * 10.0 / 1000.0, 1e-15);
  EXPECT_NEAR(first, (std::sin(kTwoPi * 0.0031) + std::sin(kTwoPi * 0.0047 + 0.73)) / 2.0, 1e-12);
}

TEST(Motion, EffectiveSampleSpeed)
{
  struct Case
  {
    double speed;
    int mode;
    double semitones;
    double expected;
  };
  const Case cases[] = {
    {1.0, 0, 7.0, 1.0},
    {5.0, 0, 0.0, 4.0},
    {0.01, 0, 0.0, 0.125},
    {2.0, 1, 12.5, std::pow(2.0, 13.0 / 12.0)},
    {2.0, 1, -12.5, std::pow(2.0, -13.0 / 12.0)},
    {1.0, 1, 0.4, 1.0},
    {1.0, 1, 48.0, 4.0},
    {1.0, 1, -48.0, 0.125},
    {3.0, 2, 12.0, 3.0},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(Engine::EffectiveSampleSpeed(c.speed, c.mode, c.semitones), c.expected)
      << c.speed << " " << c.mode << " " << c.semitones;
}

TEST(Motion, DestinationsAddTheLfos)
{
  struct Case
  {
    int destA, destB;
    double lfoA, lfoB, blendLfo;
    double blend, mix, startA, speedB;
  };
  // Starting from blend 0.5, mix 0.42, start 0.9, speed B 0.125.
  const Case cases[] = {
    {0, 0, 1.0, 1.0, 1.0, 1.0, 0.42, 0.9, 0.125},   {0, 1, 0.5, 1.0, 0.5, 0.625, 0.42, 0.9, 0.125},
    {1, 1, 1.0, -1.0, 1.0, 0.5, 0.42, 0.9, 0.125},  {2, 2, 1.0, 1.0, 0.0, 0.5, 0.92, 0.9, 0.125},
    {2, 1, -1.0, 0.0, 0.0, 0.5, 0.17, 0.9, 0.125},  {3, 3, 0.4, 0.4, 0.0, 0.5, 0.42, 1.0, 0.125},
    {4, 4, -1.0, -1.0, 0.0, 0.5, 0.42, 0.9, 0.0},   {4, 1, 1.0, 0.0, 0.0, 0.5, 0.42, 0.9, 0.625},
    {-3, 9, 0.5, 1.0, 1.0, 0.75, 0.42, 0.9, 0.625}, // destinations limited to 0..4
  };
  for (const Case& c : cases)
  {
    Engine::Params params;
    params.motionADestination = c.destA;
    params.motionBDestination = c.destB;
    params.blendLfo = c.blendLfo;
    double blend = 0.5, mix = 0.42, startA = 0.9, speedB = 0.125;
    Engine::ApplyMotionDestinations(c.lfoA, c.lfoB, params, blend, mix, startA, speedB);
    EXPECT_DOUBLE_EQ(blend, c.blend) << c.destA << "/" << c.destB;
    EXPECT_DOUBLE_EQ(mix, c.mix) << c.destA << "/" << c.destB;
    EXPECT_DOUBLE_EQ(startA, c.startA) << c.destA << "/" << c.destB;
    EXPECT_DOUBLE_EQ(speedB, c.speedB) << c.destA << "/" << c.destB;
  }
}
} // namespace
