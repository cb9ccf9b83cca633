// What a Windows host does around a plug-in's editor window, for tests that run the real module
// under Wine: the module host's frame, message loop and look at the pixels the editor drew with
// OpenGL, and a watchdog that answers the modal dialogs of this process.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "tests/support/WinDesktop.h"
#include "tools/host/GLWindowPixels.h"
#include "tools/host/WinHostFrame.h"
#include "tools/host/WinMessagePump.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace testhost
{

using wintest::ProcessWindowsOfClass;
using wintest::ThreadCount;

/** Answers the modal dialogs ("#32770") of this process from a thread of its own: each new one is
 * given to answer, once. When the time is up, or on destruction, every dialog and menu ("#32768")
 * still open is dismissed, so that no modal loop outlives the test. */
class DialogWatchdog
{
public:
  using Answer = std::function<void(HWND dialog)>;

  DialogWatchdog(Answer answer, std::chrono::milliseconds limit);
  ~DialogWatchdog();
  DialogWatchdog(const DialogWatchdog&) = delete;
  DialogWatchdog& operator=(const DialogWatchdog&) = delete;

  int Answered() const { return mAnswered; }
  bool TimedOut() const { return mTimedOut; }

private:
  void Run(std::chrono::milliseconds limit);
  static void DismissAll();

  Answer mAnswer;
  std::atomic<bool> mStop{false};
  std::atomic<int> mAnswered{0};
  std::atomic<bool> mTimedOut{false};
  std::thread mThread;
};

/** Sets the text of a dialog's control from another thread without waiting for it forever. */
void SetDialogItemText(HWND dialog, int id, const std::wstring& text);

} // namespace testhost
