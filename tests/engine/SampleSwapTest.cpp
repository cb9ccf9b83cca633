#include "tests/engine/support/EngineRender.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace enginetest;

namespace
{
class SampleSwap : public ::testing::Test
{
protected:
  TempFolder folder;
};

// Loads swap samples while blocks render: every block sees one sample or the other, never a mix.
TEST_F(SampleSwap, NeverTearsABlock)
{
  const std::string low = folder.Write("low.wav", ConstantWav(48000, 4000, 0.25));
  const std::string high = folder.Write("high.wav", ConstantWav(48000, 3000, -0.5));
  auto engine = MakeEngine(48000.0, low, "");
  BrimvaleEngine::Params params; // layer A alone, unfiltered and dry, no motion
  params.blend = 0.0;
  params.spaceMix = 0.0;
  params.filterMode = 7;
  params.motionADepth = params.motionBDepth = 0.0;

  std::atomic<bool> done{false};
  std::thread loader([&] {
    for (int i = 0; !done.load(); ++i)
      engine->LoadSampleA((i % 2 ? low : high).c_str());
  });

  std::vector<double> left(256), right(256);
  double* outputs[2] = {left.data(), right.data()};
  int torn = 0;
  for (int block = 0; block < 400; ++block)
  {
    engine->ProcessBlock(outputs, 2, 256, params);
    for (int i = 1; i < 256; ++i)
      if (left[i] != left[0] || right[i] != right[0])
        ++torn;
  }
  done = true;
  loader.join();
  EXPECT_EQ(torn, 0);
}
} // namespace
