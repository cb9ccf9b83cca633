// The module's 20 ms framework timer on Windows: a thread-less Win32 timer, so it ticks only
// while the host's main thread pumps messages. This test program starts no timer of its own, so
// every WM_TIMER it sees is the instance's (Wine hides the procedure's address behind a handle).
#include "tests/host/BrimvaleModuleFixture.h"

#include <windows.h>

using namespace testhost;

using WindowsTimerTest = BrimvaleModuleTest;

namespace
{

// Pumps the thread's messages as a host's main loop does, counting timer ticks.
int PumpAndCountTimerTicks(DWORD ms)
{
  int ticks = 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms)
  {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      if (msg.message == WM_TIMER)
        ++ticks;
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
  return ticks;
}

} // namespace

TEST_F(WindowsTimerTest, TicksWhileTheHostPumpsMessagesAndStopsWithTheInstance)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  const int ticks = PumpAndCountTimerTicks(400);
  EXPECT_GE(ticks, 8);  // 20 nominal; the emulated timer is coarser
  EXPECT_LE(ticks, 25);

  instance.reset();
  PumpAndCountTimerTicks(50);  // anything posted before the timer was killed
  EXPECT_EQ(PumpAndCountTimerTicks(150), 0);
}
