// Counts every heap allocation of the process (tests/support/AllocationCounter), to show what the
// audio path allocates.
#include "engine/CloudSeedSpace.h"
#include "tests/engine/support/EngineRender.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

using brimvale::engine::BrimvaleEngine;
using brimvale::engine::EMotionDestination;
using brimvale::engine::LfoShape;
using namespace enginetest;

namespace
{
class RealTime : public ::testing::Test
{
protected:
  TempFolder folder;
  const std::string path = folder.Write("pad.wav", StereoSineWav(48000, 48000, 220.0, 330.0, 0.5));
};

TEST_F(RealTime, SteadyBlocksAllocateNothing)
{
  auto engine = MakeEngine(48000.0, path, path);
  BrimvaleEngine::Params params;
  params.motionAShape = static_cast<int32_t>(LfoShape::kGlider);
  params.motionADestination = static_cast<int32_t>(EMotionDestination::kAStart);
  std::vector<double> left(1024), right(1024);
  double* outputs[2] = {left.data(), right.data()};
  engine->ProcessBlock(outputs, 2, 1024, params); // the longest block sizes the scratch buffers

  const long long before = testsupport::AllocationCount();
  for (int block = 0; block < 60; ++block)
  {
    params.spaceSize = block < 30 ? 0.78 : 0.4; // a control change re-applies every setting
    engine->ProcessBlock(outputs, 2, (block % 3 == 0) ? 1024 : 333, params);
  }
  EXPECT_EQ(testsupport::AllocationCount() - before, 0);
}

TEST_F(RealTime, OneEngineStaysNearSixtyFourMebibytes)
{
  const long long before = testsupport::AllocatedBytes();
  auto engine = std::make_unique<BrimvaleEngine>();
  engine->Reset(48000.0);
  const double mebibytes = static_cast<double>(testsupport::AllocatedBytes() - before) / (1024.0 * 1024.0);
  EXPECT_GT(mebibytes, 60.0);
  EXPECT_LT(mebibytes, 68.0);
}

} // namespace
