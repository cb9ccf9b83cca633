// What the platform timers (Win32's, the macOS main run loop's) share; programs without one get
// the manual timer instead.
#pragma once

#include "iplug/IPlugTimer.h"

#include <utility>

namespace iplug
{

/** A platform timer keeps the function it calls and its period; each kind supplies Start, which
 *  sets the platform's timer going, and stops it when deleted. */
class PlatformTimer : public Timer
{
public:
  PlatformTimer(ITimerFunction func, uint32_t intervalMs) : mFunc(std::move(func)), mIntervalMs(intervalMs) {}

  PlatformTimer(const PlatformTimer&) = delete;
  PlatformTimer& operator=(const PlatformTimer&) = delete;

  /** Timer::Create on a platform: a timer of its kind T, already started. */
  template <class T>
  static Timer* CreateStarted(ITimerFunction func, uint32_t intervalMs)
  {
    auto* timer = new T(std::move(func), intervalMs);
    timer->Start();
    return timer;
  }

protected:
  ITimerFunction mFunc;
  uint32_t mIntervalMs;
};

} // namespace iplug
