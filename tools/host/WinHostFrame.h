// The window a Windows host gives a plug-in's editor: a plain top-level frame of its own, and a way
// to find the editor's child window inside it.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

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

/** The editor child windows (class "IPlugWndClass") of a parent. */
std::vector<HWND> EditorWindowsOf(HWND parent);

} // namespace testhost
