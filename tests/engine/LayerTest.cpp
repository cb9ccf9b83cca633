#include "engine/BrimvaleEngine.h"
#include "utility/MathConstants.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
using brimvale::utility::kPi;
using Engine = brimvale::engine::BrimvaleEngine;

// frames frames whose value is the frame number divided by scale, the same on both sides.
Engine::SampleBuffer Ramp(size_t frames, double scale, double rate = 48000.0)
{
  Engine::SampleBuffer buffer;
  for (size_t i = 0; i < frames; ++i)
  {
    buffer.left.push_back(static_cast<float>(i / scale));
    buffer.right.push_back(static_cast<float>(-(i / scale)));
  }
  buffer.sampleRate = rate;
  return buffer;
}

// The frame a rendered ramp value came from: pan fully left gives the left side at level 1.
double FrameOf(const Engine::StereoSample& s, double scale)
{
  return s.left * scale;
}

Engine::StereoSample Play(const Engine::SampleBuffer& buffer, Engine::LayerState& state, double start,
                          double speed = 1.0, bool reverse = false, double host = 48000.0)
{
  return Engine::RenderLayer(buffer, state, true, reverse, 1.0, -100.0, start, speed, host);
}

TEST(Layer, StartSeeksAndSmallMovesAreIgnored)
{
  const Engine::SampleBuffer buffer = Ramp(1001, 1000.0);
  Engine::LayerState state;
  EXPECT_NEAR(FrameOf(Play(buffer, state, 0.5), 1000.0), 500.0, 1e-3);
  EXPECT_NEAR(FrameOf(Play(buffer, state, 0.5), 1000.0), 501.0, 1e-3);
  EXPECT_NEAR(FrameOf(Play(buffer, state, 0.501), 1000.0), 502.0, 1e-3) << "0.001 does not re-seek";
  EXPECT_NEAR(FrameOf(Play(buffer, state, 0.5015), 1000.0), 503.0, 1e-3) << "measured from the last applied";
  EXPECT_NEAR(FrameOf(Play(buffer, state, 0.503), 1000.0), 503.0, 1e-3) << "0.003 re-seeks";
  EXPECT_EQ(state.lastStart, 0.503);
}

TEST(Layer, LoopRunsOverFramesZeroToLastAndBack)
{
  const Engine::SampleBuffer buffer = Ramp(5, 1.0);
  struct Case
  {
    bool reverse;
    double frames[8];
  };
  const Case cases[] = {
    {false, {0, 1, 2, 3, 0, 1, 2, 3}},
    {true, {0, 3, 2, 1, 0, 3, 2, 1}},
  };
  for (const Case& c : cases)
  {
    Engine::LayerState state;
    for (double expected : c.frames)
      EXPECT_NEAR(FrameOf(Play(buffer, state, 0.0, 1.0, c.reverse), 1.0), expected, 1e-9) << c.reverse;
  }
}

TEST(Layer, StepFollowsSpeedAndTheRecordingRate)
{
  struct Case
  {
    double sampleRate, hostRate, speed, step;
  };
  const Case cases[] = {
    {96000.0, 48000.0, 1.0, 2.0},   {48000.0, 48000.0, 0.5, 0.5}, {44100.0, 44100.0, 9.0, 4.0},
    {48000.0, 48000.0, 0.0, 0.125}, {48000.0, 10.0, 1.0, 48.0}, // host rate floor of 1000 Hz
  };
  for (const Case& c : cases)
  {
    const Engine::SampleBuffer buffer = Ramp(100000, 1.0, c.sampleRate);
    Engine::LayerState state;
    Play(buffer, state, 0.0, c.speed, false, c.hostRate);
    EXPECT_DOUBLE_EQ(state.position, c.step) << c.sampleRate << " " << c.hostRate << " " << c.speed;
  }
}

TEST(Layer, PanIsABalanceLawAndLevelIsLimited)
{
  struct Case
  {
    double level, pan, left, right;
  };
  const double half = std::cos(kPi / 4.0);
  const Case cases[] = {
    {1.0, -100.0, 1.0, 0.0}, {1.0, 0.0, half, half},
    {1.0, 100.0, 0.0, 1.0},  {2.0, -300.0, 1.5, 0.0},
    {-1.0, 0.0, 0.0, 0.0},   {0.5, 50.0, 0.5 * std::cos(0.75 * kPi / 2.0), 0.5 * std::sin(0.75 * kPi / 2.0)},
  };
  Engine::SampleBuffer buffer;
  buffer.left.assign(10, 0.8f);
  buffer.right.assign(10, -0.4f);
  for (const Case& c : cases)
  {
    Engine::LayerState state;
    const Engine::StereoSample s = Engine::RenderLayer(buffer, state, true, false, c.level, c.pan, 0.0, 1.0, 48000.0);
    EXPECT_NEAR(s.left, c.left * 0.8, 1e-7) << c.level << " " << c.pan;
    EXPECT_NEAR(s.right, c.right * -0.4, 1e-7) << c.level << " " << c.pan;
  }
}

TEST(Layer, StoppedEmptyOrSingleFrameLayersAreSilentAndHoldTheirPlace)
{
  Engine::SampleBuffer single;
  single.left = {0.9f};
  single.right = {0.9f};
  const Engine::SampleBuffer ramp = Ramp(100, 1.0);
  const Engine::SampleBuffer empty;
  struct Case
  {
    const Engine::SampleBuffer* buffer;
    bool play;
  };
  const Case cases[] = {{&ramp, false}, {&empty, true}, {&single, true}};
  for (const Case& c : cases)
  {
    Engine::LayerState state;
    state.position = 12.5;
    state.lastStart = 0.3;
    const Engine::StereoSample s = Engine::RenderLayer(*c.buffer, state, c.play, false, 1.0, 0.0, 0.3, 1.0, 48000.0);
    EXPECT_EQ(s.left, 0.0);
    EXPECT_EQ(s.right, 0.0);
    EXPECT_EQ(state.position, 12.5);
    EXPECT_EQ(state.lastStart, 0.3);
  }
}

// A position far beyond the loop is brought back in one step, not one loop length at a time: from
// 1e300 (where taking away one length changes nothing) a loop per length would never finish, so
// the work runs beside the test and a generous deadline tells a hang from any slow machine.
TEST(Layer, AStepOfManyLoopsWrapsAtOnce)
{
  auto wrapping = std::make_shared<std::promise<std::vector<double>>>();
  std::future<std::vector<double>> frames = wrapping->get_future();
  std::thread([wrapping] {
    // Two frames recorded at the highest rate a WAV header can state: each step spans millions of loops.
    Engine::SampleBuffer buffer = Ramp(2, 1.0, 4294967295.0);
    Engine::LayerState state;
    std::vector<double> heard;
    for (int i = 0; i < 1000; ++i)
      heard.push_back(FrameOf(Play(buffer, state, 0.0, 4.0, (i % 3) == 0, 1000.0), 1.0));
    for (double far : {1e300, -1e300, std::numeric_limits<double>::infinity()})
    {
      state.position = far;
      heard.push_back(FrameOf(Play(buffer, state, 0.0), 1.0));
    }
    wrapping->set_value(heard);
  }).detach();
  ASSERT_EQ(frames.wait_for(std::chrono::seconds(60)), std::future_status::ready) << "wrapping never finished";
  const std::vector<double> heard = frames.get();
  for (size_t i = 0; i < heard.size(); ++i)
  {
    EXPECT_GE(heard[i], 0.0) << i;
    EXPECT_LT(heard[i], 1.0) << i;
  }
  EXPECT_EQ(heard.back(), 0.0) << "an infinite position starts over";
}
} // namespace
