// Counts every heap allocation of the process, to show what the audio path allocates.
#include "engine/CloudSeedSpace.h"
#include "tests/engine/support/EngineRender.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<long long> gAllocations{0};
std::atomic<long long> gBytes{0};
} // namespace

void* operator new(std::size_t size)
{
  ++gAllocations;
  gBytes += static_cast<long long>(size);
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
  ++gAllocations;
  gBytes += static_cast<long long>(size);
  return std::malloc(size ? size : 1);
}

void* operator new[](std::size_t size)
{
  return operator new(size);
}

void operator delete(void* p) noexcept
{
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
  std::free(p);
}

void operator delete[](void* p) noexcept
{
  std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
  std::free(p);
}

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
  params.motionAShape = kGlider;
  params.motionADestination = kMotionDestAStart;
  std::vector<double> left(1024), right(1024);
  double* outputs[2] = {left.data(), right.data()};
  engine->ProcessBlock(outputs, 2, 1024, params); // the longest block sizes the scratch buffers

  const long long before = gAllocations.load();
  for (int block = 0; block < 60; ++block)
  {
    params.spaceSize = block < 30 ? 0.78 : 0.4; // a control change re-applies every setting
    engine->ProcessBlock(outputs, 2, (block % 3 == 0) ? 1024 : 333, params);
  }
  EXPECT_EQ(gAllocations.load() - before, 0);
}

TEST_F(RealTime, OneEngineStaysNearSixtyFourMebibytes)
{
  const long long before = gBytes.load();
  auto engine = std::make_unique<BrimvaleEngine>();
  engine->Reset(48000.0);
  const double mebibytes = static_cast<double>(gBytes.load() - before) / (1024.0 * 1024.0);
  EXPECT_GT(mebibytes, 60.0);
  EXPECT_LT(mebibytes, 68.0);
}

} // namespace
