#pragma once

// Modal dialogs, message boxes and drags run their own message loops on the test's thread: these
// helpers work them from a second thread, always within a time limit, so that no case can hang.
#include "WinEditorFixture.h"

#include <atomic>
#include <string>
#include <vector>

namespace wintest
{

/** The texts of a window's children, each followed by a newline (a message box's message is one). */
inline std::wstring ChildTexts(HWND window)
{
  std::wstring texts;
  EnumChildWindows(
    window,
    [](HWND child, LPARAM lParam) -> BOOL {
      wchar_t text[512] = {};
      GetWindowTextW(child, text, 512);
      *reinterpret_cast<std::wstring*>(lParam) += std::wstring(text) + L"\n";
      return TRUE;
    },
    reinterpret_cast<LPARAM>(&texts));
  return texts;
}

inline void PressButton(HWND dialog, int id)
{
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

/** Waits on its own thread for a dialog of this process and hands it, once it shows, to act.
 * Past the limit it cancels every dialog of this process, so that the modal call returns. */
class DialogDriver
{
public:
  explicit DialogDriver(std::function<void(HWND)> act, std::chrono::milliseconds limit = std::chrono::seconds(5))
  : mThread([this, act, limit] { Run(act, limit); })
  {}
  ~DialogDriver()
  {
    mStop = true;
    mThread.join();
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool Acted() const { return mActed; }
  bool TimedOut() const { return mTimedOut; }

private:
  void Run(const std::function<void(HWND)>& act, std::chrono::milliseconds limit)
  {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!mStop)
    {
      const std::vector<HWND> dialogs = ProcessWindowsOfClass(L"#32770");
      if (std::chrono::steady_clock::now() > end)
      {
        mTimedOut = true;
        for (HWND dialog : dialogs)
        {
          PressButton(dialog, IDCANCEL);
          PostMessageW(dialog, WM_CLOSE, 0, 0);
        }
      }
      else if (!mActed && !dialogs.empty())
      {
        // Give the dialog a moment to finish setting itself up after it shows.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        act(dialogs.front());
        mActed = true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  std::atomic<bool> mStop{false};
  std::atomic<bool> mActed{false};
  std::atomic<bool> mTimedOut{false};
  std::thread mThread;
};

} // namespace wintest
