// The module's 20 ms framework timer on Windows: a thread-less Win32 timer, so it ticks only
// while the host's main thread pumps messages. This test program starts no timer of its own, so
// every WM_TIMER it sees is the instance's (Wine hides the procedure's address behind a handle).
#include "tests/host/BrimvaleModuleFixture.h"

#include <windows.h>

#include <climits>

using namespace testhost;

using WindowsTimerTest = BrimvaleModuleTest;

namespace
{

// Pumps the thread's messages as a host's main loop does, for ms milliseconds or until ticks
// WM_TIMER messages were seen; returns how many were seen.
int PumpAndCountTimerTicks(DWORD ms, int ticks = INT_MAX)
{
  int seen = 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && seen < ticks)
  {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      if (msg.message == WM_TIMER)
        ++seen;
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
  return seen;
}

} // namespace

// A loaded machine, a sanitizer or Wine only ever delays a tick, so the checks are one-sided: ten
// ticks come within a generous window, never faster than the period allows, and none at all come
// in several periods' time after the instance is gone.
TEST_F(WindowsTimerTest, TicksWhileTheHostPumpsMessagesAndStopsWithTheInstance)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  PumpAndCountTimerTicks(1000, 1); // the first tick starts the measured stretch
  const DWORD start = GetTickCount();
  ASSERT_EQ(PumpAndCountTimerTicks(20000, 10), 10);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 10u * 20u * 3u / 4u) << "ten ticks of a 20 ms timer in " << elapsed << " ms";

  instance.reset();
  PumpAndCountTimerTicks(50);                                          // anything posted before the timer was killed
  const DWORD quiet = 3 * elapsed / 10 > 200 ? 3 * elapsed / 10 : 200; // three periods as measured
  EXPECT_EQ(PumpAndCountTimerTicks(quiet), 0) << "in " << quiet << " ms after the instance went";
}
