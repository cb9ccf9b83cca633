#pragma once

// What the Windows editor's tests do on the desktop: pump messages as a host's loop does (the editor
// redraws on timer messages and takes its input as messages, so a test waits by pumping), and find
// the modal windows of this process that a watchdog answers.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <tlhelp32.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace wintest
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

/** The visible top-level windows of this process with the given class ("#32770" for dialogs,
 * "#32768" for menus). */
inline std::vector<HWND> ProcessWindowsOfClass(const wchar_t* className)
{
  struct Search
  {
    const wchar_t* className;
    std::vector<HWND> found;
  } search{className, {}};
  EnumWindows(
    [](HWND window, LPARAM lParam) -> BOOL {
      auto* pSearch = reinterpret_cast<Search*>(lParam);
      DWORD processId = 0;
      GetWindowThreadProcessId(window, &processId);
      wchar_t name[64] = {};
      if (processId == GetCurrentProcessId() && IsWindowVisible(window) && GetClassNameW(window, name, 64) &&
          std::wstring(name) == pSearch->className)
        pSearch->found.push_back(window);
      return TRUE;
    },
    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

/** The threads of this process, as the system's snapshot counts them; -1 when it cannot. */
inline int ThreadCount()
{
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return -1;
  int n = 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    n += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return n;
}

} // namespace wintest
