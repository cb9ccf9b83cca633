// The Windows forms of the framework's platform services, run under Wine.
#include <gtest/gtest.h>

#include "iplug/IPlugPaths.h"
#include "iplug/IPlugTimer.h"

#include <windows.h>

#include <cstdio>
#include <memory>

using namespace iplug;

namespace
{
// Pumps the thread's messages for ms milliseconds, or until done() holds.
template <typename Done>
void PumpMessagesFor(DWORD ms, Done done)
{
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && !done())
  {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
}

void PumpMessagesFor(DWORD ms)
{
  PumpMessagesFor(ms, [] { return false; });
}
} // namespace

// A busy machine or Wine only delays the ticks, so the waits for them are generous and the checks
// that nothing more arrives run for several periods.
TEST(WindowsTimer, FiresWhileMessagesArePumpedAndStopsForGood)
{
  int calls = 0;
  Timer* seen = nullptr;
  std::unique_ptr<Timer> timer(Timer::Create(
    [&](Timer& t) {
      ++calls;
      seen = &t;
    },
    20));
  PumpMessagesFor(20000, [&] { return calls >= 3; });
  EXPECT_GE(calls, 3);
  EXPECT_EQ(seen, timer.get());

  timer->Stop();
  timer->Stop(); // a second stop does nothing
  const int afterStop = calls;
  PumpMessagesFor(200);
  EXPECT_EQ(calls, afterStop);
}

TEST(WindowsTimer, ACallbackMayStopItsOwnTimer)
{
  int calls = 0;
  std::unique_ptr<Timer> timer(Timer::Create(
    [&](Timer& t) {
      ++calls;
      t.Stop();
    },
    10));
  PumpMessagesFor(20000, [&] { return calls >= 1; });
  PumpMessagesFor(200);
  EXPECT_EQ(calls, 1);
}

TEST(WindowsResources, FindsTheEmbeddedFontIgnoringCase)
{
  HMODULE module = GetModuleHandleW(nullptr);
  WDL_String found;
  ASSERT_EQ(LocateResource("roboto-regular.ttf", "ttf", found, nullptr, module, nullptr), kWinBinary);

  int size = 0;
  const void* bytes = LoadWinResource(found.Get(), "ttf", size, module);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(size, BRIMVALE_FONT_SIZE);
  EXPECT_EQ(0, memcmp(bytes, "\x00\x01\x00\x00", 4)); // a TrueType file

  EXPECT_EQ(LoadWinResource("\"NO-SUCH.TTF\"", "TTF", size, module), nullptr);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(LocateResource("no-such.ttf", "ttf", found, nullptr, module, nullptr), kNotFound);
}
