// What a Windows host does around a plug-in's editor window, for tests that run the real module
// under Wine: a top-level frame of its own, a message loop with time limits, a watchdog that answers
// the modal dialogs of this process, and a look at the pixels the editor drew with OpenGL.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "tests/support/WinDesktop.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace testhost
{

/** A plain top-level window standing in for the host's editor frame. */
class HostFrame
{
public:
  HostFrame(int clientWidth, int clientHeight);
  ~HostFrame();
  HostFrame(const HostFrame&) = delete;
  HostFrame& operator=(const HostFrame&) = delete;

  HWND Get() const { return mWnd; }

private:
  HWND mWnd = nullptr;
};

using wintest::ProcessWindowsOfClass;
using wintest::PumpFor;
using wintest::PumpMessages;
using wintest::PumpUntil;
using wintest::ThreadCount;

/** The editor child windows (class "IPlugWndClass") of a parent. */
std::vector<HWND> EditorWindowsOf(HWND parent);

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

/** RGBA pixels of a window, top row first. */
struct Pixels
{
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;

  const unsigned char* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  /** The pixels of the rectangle [l, r) x [t, b), row by row. */
  std::vector<unsigned char> Cut(int l, int t, int r, int b) const;
  /** The pixels of the rectangle that pass the test. */
  int Count(int l, int t, int r, int b, const std::function<bool(const unsigned char* rgb)>& test) const;
};

/** What an OpenGL window shows: read with a second context made current on the window's device
 * context (its pixel format set by the editor), from the given buffer. Empty when no context can be
 * made there. */
Pixels ReadGLWindowPixels(HWND window, unsigned int glBuffer);
/** Writes the pixels as a PNG; whether it was written. */
bool WritePNG(const Pixels& pixels, const std::string& path);

} // namespace testhost
