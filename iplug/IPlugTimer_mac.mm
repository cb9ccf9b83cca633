// The framework timer on macOS: a run-loop timer on the main run loop.
#include "iplug/IPlugPlatformTimer.h"

#import <AppKit/AppKit.h>
#include <CoreFoundation/CoreFoundation.h>

#include <utility>

namespace iplug
{
namespace
{
class Timer_impl final : public PlatformTimer
{
public:
  using PlatformTimer::PlatformTimer;
  ~Timer_impl() override { Stop(); }

  void Start()
  {
    // First fire now, so the first call comes on the run loop's next pass.
    CFRunLoopTimerContext context = {0, this, nullptr, nullptr, nullptr};
    mOSTimer = CFRunLoopTimerCreate(kCFAllocatorDefault, CFAbsoluteTimeGetCurrent(), mIntervalMs / 1000.0, 0, 0,
                                    TimerProc, &context);
    if (!mOSTimer)
      return;
    // The modes that menus, modal panels, drags and live resize run besides the default one. On a
    // Mac they make up the common modes; they are named one by one because a run loop that does
    // not expand the common modes (GNUstep's) would otherwise never fire the timer. The names are
    // AppKit's constants, which are CFStrings on a Mac.
    const CFRunLoopMode modes[] = {kCFRunLoopDefaultMode, (CFRunLoopMode)NSModalPanelRunLoopMode,
                                   (CFRunLoopMode)NSEventTrackingRunLoopMode};
    CFRunLoopRef mainLoop = CFRunLoopGetMain();
    for (CFRunLoopMode mode : modes)
      CFRunLoopAddTimer(mainLoop, mOSTimer, mode);
  }

  void Stop() override
  {
    if (!mOSTimer)
      return;
    CFRunLoopTimerInvalidate(mOSTimer);
    CFRelease(mOSTimer);
    mOSTimer = nullptr;
  }

private:
  static void TimerProc(CFRunLoopTimerRef, void* info)
  {
    auto* timer = static_cast<Timer_impl*>(info);
    timer->mFunc(*timer);
  }

  CFRunLoopTimerRef mOSTimer = nullptr;
};
} // namespace

Timer* Timer::Create(ITimerFunction func, uint32_t intervalMs)
{
  return PlatformTimer::CreateStarted<Timer_impl>(std::move(func), intervalMs);
}

} // namespace iplug
