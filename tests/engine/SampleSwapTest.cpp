#include "tests/engine/support/EngineRender.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using brimvale::engine::BrimvaleEngine;
using namespace enginetest;

namespace
{
class SampleSwap : public ::testing::Test
{
protected:
  TempFolder folder;
};

// Loads swap samples while blocks render: every block sees one sample or the other, never a mix,
// and both are heard in turn.
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
  std::atomic<int> loads{0}, failedLoads{0};
  std::thread loader([&] {
    for (int i = 0; !done.load(); ++i)
    {
      if (!engine->LoadSampleA((i % 2 ? low : high).c_str()))
        ++failedLoads;
      ++loads;
    }
  });

  // The low sample renders as a positive constant, the high one as a negative one. Rendering goes
  // on until the layer has changed sides a few times, or the loader has had ample time to do it.
  std::vector<double> left(256), right(256);
  double* outputs[2] = {left.data(), right.data()};
  int torn = 0, silent = 0, blocks = 0, changes = 0;
  bool lastPositive = true;
  while (blocks < 400 || (changes < 4 && loads.load() < 20000))
  {
    engine->ProcessBlock(outputs, 2, 256, params);
    ++blocks;
    for (int i = 1; i < 256; ++i)
      if (left[i] != left[0] || right[i] != right[0])
        ++torn;
    silent += left[0] == 0.0;
    if ((left[0] > 0.0) != lastPositive)
      ++changes;
    lastPositive = left[0] > 0.0;
  }
  done = true;
  loader.join();
  EXPECT_EQ(torn, 0);
  EXPECT_EQ(silent, 0);
  EXPECT_EQ(failedLoads.load(), 0) << "of " << loads.load();
  EXPECT_GE(changes, 4) << "both samples heard in turn, over " << blocks << " blocks and " << loads.load() << " loads";
}
} // namespace
