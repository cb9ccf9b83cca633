// The framework timer on the main run loop: it must fire in every mode that AppKit runs (menus,
// modal panels, drags and live resize run their own), and never after it was stopped.
#import <AppKit/AppKit.h>
#include <CoreFoundation/CoreFoundation.h>

#include <StandIns/RunLoopTimers.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "iplug/IPlugTimer.h"
#include "tests/iplug/TestPlug.h"

using namespace iplug;

namespace
{
// One pass of the main run loop that handles what is due and waits far less than a period.
void RunOnePass(NSString* mode)
{
  [[NSRunLoop mainRunLoop] runMode:mode beforeDate:[NSDate dateWithTimeIntervalSinceNow:0.002]];
}

void RunFor(NSString* mode, double seconds)
{
  NSDate* until = [NSDate dateWithTimeIntervalSinceNow:seconds];
  while ([until timeIntervalSinceNow] > 0)
    [[NSRunLoop mainRunLoop] runMode:mode beforeDate:until];
}

NSArray* AppKitModes()
{
  return [NSArray arrayWithObjects:NSDefaultRunLoopMode, NSModalPanelRunLoopMode, NSEventTrackingRunLoopMode, nil];
}

void RunEveryMode(double secondsEach)
{
  for (NSString* mode in AppKitModes())
    RunFor(mode, secondsEach);
}

// The most calls that a timer made at `created` can have made by now: one at once, then one per
// whole period, as a timer never fires early (a late one skips what it missed).
int MostCallsSince(NSDate* created, double periodMs)
{
  return static_cast<int>(-[created timeIntervalSinceNow] * 1000 / periodMs) + 1;
}
} // namespace

class MacTimerInMode : public ::testing::TestWithParam<const char*>
{};

TEST_P(MacTimerInMode, FiresOnTheNextPassThenEveryPeriod)
{
  @autoreleasepool
  {
    NSString* mode = [NSString stringWithUTF8String:GetParam()];
    int calls = 0;
    Timer* fired = nullptr;
    NSDate* created = [NSDate date];
    std::unique_ptr<Timer> timer(Timer::Create(
      [&](Timer& t) {
        ++calls;
        fired = &t;
      },
      20));
    RunOnePass(mode);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(fired, timer.get());

    // 200 ms hold ten periods; a loaded machine may lose some.
    RunFor(mode, 0.2);
    EXPECT_GE(calls, 1 + 5);
    EXPECT_LE(calls, MostCallsSince(created, 20));
  }
}

INSTANTIATE_TEST_SUITE_P(AppKitModes, MacTimerInMode,
                         ::testing::Values("NSDefaultRunLoopMode", "NSModalPanelRunLoopMode",
                                           "NSEventTrackingRunLoopMode"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param).substr(2, std::string(info.param).size() - 2 - 11);
                         });

TEST(MacTimer, APeriodOfOneHundredMillisecondsIsNotTakenForTwenty)
{
  @autoreleasepool
  {
    int calls = 0;
    NSDate* created = [NSDate date];
    std::unique_ptr<Timer> timer(Timer::Create([&](Timer&) { ++calls; }, 100));
    RunFor(NSDefaultRunLoopMode, 0.25);
    EXPECT_GE(calls, 2);
    EXPECT_LE(calls, MostCallsSince(created, 100));
  }
}

TEST(MacTimer, NoCallAfterStopAndAStopTwiceIsHarmless)
{
  @autoreleasepool
  {
    const long liveBefore = StandInLiveRunLoopTimers();
    int calls = 0;
    std::unique_ptr<Timer> timer(Timer::Create([&](Timer&) { ++calls; }, 20));
    EXPECT_EQ(StandInLiveRunLoopTimers(), liveBefore + 1);
    RunOnePass(NSDefaultRunLoopMode);
    EXPECT_EQ(calls, 1);
    timer->Stop();
    timer->Stop();
    RunEveryMode(0.06);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(StandInLiveRunLoopTimers(), liveBefore) << "the run-loop timer was not released";
  }
}

TEST(MacTimer, DeletingARunningTimerEndsItsCalls)
{
  @autoreleasepool
  {
    const long liveBefore = StandInLiveRunLoopTimers();
    int calls = 0;
    std::unique_ptr<Timer> timer(Timer::Create([&](Timer&) { ++calls; }, 20));
    RunOnePass(NSEventTrackingRunLoopMode);
    EXPECT_EQ(calls, 1);
    timer.reset();
    RunEveryMode(0.06);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(StandInLiveRunLoopTimers(), liveBefore);
  }
}

TEST(MacTimer, ACallbackMayStopOrDeleteItsOwnTimer)
{
  for (const bool deleteIt : {false, true})
  {
    @autoreleasepool
    {
      const long liveBefore = StandInLiveRunLoopTimers();
      int calls = 0;
      Timer* timer = Timer::Create(
        [&calls, deleteIt](Timer& t) {
          ++calls;
          if (deleteIt)
            delete &t;
          else
            t.Stop();
        },
        20);
      RunEveryMode(0.06);
      EXPECT_EQ(calls, 1) << (deleteIt ? "delete" : "stop");
      if (!deleteIt || calls == 0) // a timer that never called back still belongs to the test
        delete timer;
      EXPECT_EQ(StandInLiveRunLoopTimers(), liveBefore) << (deleteIt ? "delete" : "stop");
    }
  }
}

TEST(MacTimer, ThePlugInTimerCallsOnIdleUntilThePlugInIsGone)
{
  @autoreleasepool
  {
    const long liveBefore = StandInLiveRunLoopTimers();
    {
      test::TestPlug plug(test::MakeTestConfig(0));
      plug.CreateTimer();
      NSDate* created = [NSDate date];
      plug.CreateTimer(); // replaces the first, which must not go on running
      EXPECT_EQ(StandInLiveRunLoopTimers(), liveBefore + 1);
      RunFor(NSModalPanelRunLoopMode, 0.07);
      int idles = 0;
      for (const std::string& e : plug.events)
        idles += e == "idle";
      EXPECT_GE(idles, 2);
      EXPECT_LE(idles, MostCallsSince(created, 20));
    }
    EXPECT_EQ(StandInLiveRunLoopTimers(), liveBefore);
    RunEveryMode(0.03); // would reach the destroyed plug-in if its timer were still scheduled
  }
}

// The run-loop stand-in beneath the timer behaves as CoreFoundation does, including the fault
// that the timer works around.
TEST(MacRunLoopStandIn, TimersAreCreatedAtPlusOneAndHeldByTheRunLoopUntilInvalidated)
{
  @autoreleasepool
  {
    struct Probe
    {
      int fires = 0;
      int releases = 0;
    } probe;
    CFRunLoopTimerContext context = {0, &probe, nullptr, [](const void* info) { ++((Probe*)info)->releases; }, nullptr};
    const long liveBefore = StandInLiveRunLoopTimers();
    CFRunLoopTimerRef timer = CFRunLoopTimerCreate(
      kCFAllocatorDefault, CFAbsoluteTimeGetCurrent(), 0.01, 0, 0,
      [](CFRunLoopTimerRef, void* info) { ++((Probe*)info)->fires; }, &context);
    EXPECT_EQ(CFGetRetainCount(timer), 1);
    CFRunLoopAddTimer(CFRunLoopGetMain(), timer, kCFRunLoopDefaultMode);
    EXPECT_EQ(CFGetRetainCount(timer), 2);
    RunOnePass(NSDefaultRunLoopMode);
    EXPECT_EQ(probe.fires, 1);
    CFRunLoopTimerInvalidate(timer);
    EXPECT_FALSE(CFRunLoopTimerIsValid(timer));
    EXPECT_EQ(CFGetRetainCount(timer), 1);
    EXPECT_EQ(probe.releases, 1);
    RunFor(NSDefaultRunLoopMode, 0.03);
    EXPECT_EQ(probe.fires, 1);
    CFRelease(timer);
    EXPECT_EQ(StandInLiveRunLoopTimers(), liveBefore);
    EXPECT_EQ(probe.releases, 1);
  }
}

TEST(MacRunLoopStandIn, ATimerInTheCommonModesNeverFiresAsOnGNUstep)
{
  @autoreleasepool
  {
    struct Case
    {
      CFRunLoopMode mode;
      bool fires;
    };
    const Case cases[] = {{kCFRunLoopDefaultMode, true}, {kCFRunLoopCommonModes, false}};
    for (const Case& c : cases)
    {
      int fires = 0;
      CFRunLoopTimerContext context = {0, &fires, nullptr, nullptr, nullptr};
      CFRunLoopTimerRef timer = CFRunLoopTimerCreate(
        kCFAllocatorDefault, CFAbsoluteTimeGetCurrent(), 0.01, 0, 0,
        [](CFRunLoopTimerRef, void* info) { ++*(int*)info; }, &context);
      CFRunLoopAddTimer(CFRunLoopGetMain(), timer, c.mode);
      RunEveryMode(0.03);
      EXPECT_EQ(fires > 0, c.fires) << [(NSString*)c.mode UTF8String];
      CFRunLoopTimerInvalidate(timer);
      CFRelease(timer);
    }
  }
}

TEST(MacRunLoopStandIn, ATimerRemovedFromOneModeGoesOnInTheOthers)
{
  @autoreleasepool
  {
    int fires = 0;
    CFRunLoopTimerContext context = {0, &fires, nullptr, nullptr, nullptr};
    CFRunLoopTimerRef timer = CFRunLoopTimerCreate(
      kCFAllocatorDefault, CFAbsoluteTimeGetCurrent(), 0.01, 0, 0, [](CFRunLoopTimerRef, void* info) { ++*(int*)info; },
      &context);
    CFRunLoopRef mainLoop = CFRunLoopGetMain();
    EXPECT_EQ(mainLoop, CFRunLoopGetCurrent()); // the tests run on the main thread
    CFRunLoopAddTimer(mainLoop, timer, kCFRunLoopDefaultMode);
    CFRunLoopAddTimer(mainLoop, timer, (CFRunLoopMode)NSEventTrackingRunLoopMode);
    CFRunLoopRemoveTimer(mainLoop, timer, kCFRunLoopDefaultMode);
    RunFor(NSDefaultRunLoopMode, 0.03);
    EXPECT_EQ(fires, 0);
    RunFor(NSEventTrackingRunLoopMode, 0.03);
    EXPECT_GE(fires, 1);
    EXPECT_EQ(CFGetRetainCount(timer), 2);
    CFRunLoopRemoveTimer(mainLoop, timer, (CFRunLoopMode)NSEventTrackingRunLoopMode);
    EXPECT_EQ(CFGetRetainCount(timer), 1) << "a timer in no mode is no longer held by the run loop";
    EXPECT_TRUE(CFRunLoopTimerIsValid(timer));
    const int firedBefore = fires;
    RunEveryMode(0.03);
    EXPECT_EQ(fires, firedBefore);
    CFRelease(timer);
  }
}
