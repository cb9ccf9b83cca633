#pragma once

// What the Windows editor's tests do on the desktop: pump messages as a host's loop does (the editor
// redraws on timer messages and takes its input as messages, so a test waits by pumping), and find
// the modal windows of this process that a watchdog answers.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <tlhelp32.h>

#include "tools/host/WinMessagePump.h"

#include <string>
#include <vector>

namespace wintest
{

using testhost::PumpFor;
using testhost::PumpMessages;
using testhost::PumpUntil;

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
