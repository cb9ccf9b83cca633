#include <gtest/gtest.h>

#include <memory>

#include "iplug/IPlugManualTimer.h"

using namespace iplug;

TEST(ManualTimer, FiresOncePerWholePeriodThatPasses)
{
  int fired = 0;
  ManualTimer timer([&](Timer&) { ++fired; }, 20);
  ManualTimer::AdvanceAll(19);
  EXPECT_EQ(fired, 0);
  ManualTimer::AdvanceAll(1);
  EXPECT_EQ(fired, 1);
  ManualTimer::AdvanceAll(45);
  EXPECT_EQ(fired, 3);
  ManualTimer::AdvanceAll(15);
  EXPECT_EQ(fired, 4) << "the 5 ms left over from before count";
  timer.Tick();
  EXPECT_EQ(fired, 5);
}

TEST(ManualTimer, StoppedTwiceDoesNothingTheSecondTime)
{
  int fired = 0;
  ManualTimer timer([&](Timer&) { ++fired; }, 10);
  timer.Stop();
  timer.Stop();
  ManualTimer::AdvanceAll(100);
  timer.Tick();
  EXPECT_EQ(fired, 0);
  EXPECT_FALSE(timer.IsRunning());
}

TEST(ManualTimer, ACallbackMayDeleteItsOwnTimer)
{
  int fired = 0;
  auto* timer = new ManualTimer(
    [&](Timer& t) {
      ++fired;
      delete &t;
    },
    10);
  (void)timer;
  ManualTimer::AdvanceAll(50);
  EXPECT_EQ(fired, 1);
  ManualTimer::AdvanceAll(50);
  EXPECT_EQ(fired, 1);
}

TEST(ManualTimer, CreateGivesARunningTimerOfThePlatform)
{
  int fired = 0;
  std::unique_ptr<Timer> timer(Timer::Create([&](Timer&) { ++fired; }, 20));
  ASSERT_NE(timer, nullptr);
  // Without a platform timer of its own, the build's timers are advanced by hand.
  if (dynamic_cast<ManualTimer*>(timer.get()) != nullptr)
  {
    ManualTimer::AdvanceAll(40);
    EXPECT_EQ(fired, 2);
  }
  timer->Stop();
}
