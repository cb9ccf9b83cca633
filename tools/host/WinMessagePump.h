// A host's message loop, in the small: the editor window redraws on timer messages and takes its
// input as messages, so a Windows host program that waits for it pumps this thread's messages.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <chrono>
#include <functional>
#include <thread>

namespace testhost
{

/** Dispatches every waiting message of this thread. */
inline void PumpMessages()
{
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
  {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

/** Pumps messages until done() holds or the time is up; whether it came to hold. */
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5))
{
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done())
  {
    if (std::chrono::steady_clock::now() > end)
      return false;
    PumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

/** Pumps messages for the given time. */
inline void PumpFor(std::chrono::milliseconds duration)
{
  PumpUntil([] { return false; }, duration);
}

} // namespace testhost
