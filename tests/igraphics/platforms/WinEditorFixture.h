#pragma once

// An editor window on a top-level window of the test's own, with a delegate of a few parameters,
// and the message pumping that a host's loop would do.
#include "igraphics/IControl.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/platforms/IGraphicsWin.h"
#include "tests/support/WinDesktop.h"

#include <glad/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace wintest
{

class TestDelegate : public iplug::igraphics::IGEditorDelegate
{
public:
  explicit TestDelegate(int nParams = 0) : IGEditorDelegate(nParams) { SetSizeConstraints(1, 10000, 1, 10000); }
  void BeginInformHostOfParamChangeFromUI(int) override { ++gesturesBegun; }
  void EndInformHostOfParamChangeFromUI(int) override { ++gesturesEnded; }

  int gesturesBegun = 0;
  int gesturesEnded = 0;
};

/** Stands in for the system's dpi answer while it lives. */
class PoseAsDpi
{
public:
  explicit PoseAsDpi(UINT dpi) : mSaved(iplug::igraphics::IGraphicsWin::sDpiForWindow)
  {
    sDpi = dpi;
    iplug::igraphics::IGraphicsWin::sDpiForWindow = [](HWND) -> UINT { return sDpi; };
  }
  ~PoseAsDpi() { iplug::igraphics::IGraphicsWin::sDpiForWindow = mSaved; }
  PoseAsDpi(const PoseAsDpi&) = delete;
  PoseAsDpi& operator=(const PoseAsDpi&) = delete;

private:
  static inline UINT sDpi = 96;
  iplug::igraphics::IGraphicsWin::DpiForWindowFunc mSaved;
};

/** A plain top-level window standing in for the host's editor frame. */
class HostWindow
{
public:
  HostWindow(int w = 800, int h = 400)
  {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrimvaleTestHost";
    RegisterClassW(&wc); // fails harmlessly when another fixture registered it
    mWnd = CreateWindowExW(0, L"BrimvaleTestHost", L"Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, w, h, nullptr,
                           nullptr, wc.hInstance, nullptr);
  }
  ~HostWindow()
  {
    if (mWnd)
      DestroyWindow(mWnd);
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND Get() const { return mWnd; }

private:
  HWND mWnd = nullptr;
};

/** An editor of w x h units at the draw scale, opened on a host window; layout, when given, attaches
 * the controls as the editor opens. */
struct Editor
{
  Editor(int w = 300, int h = 200, float scale = 1.f, int nParams = 0, int fps = 60,
         iplug::igraphics::IGEditorDelegate::LayoutFunc layout = nullptr)
  : delegate(nParams)
  , graphics(std::make_unique<iplug::igraphics::IGraphicsWin>(delegate, w, h, fps, scale))
  {
    delegate.SetLayoutFunc(std::move(layout));
    graphics->SetWinModuleHandle(GetModuleHandleW(nullptr));
    window = static_cast<HWND>(graphics->OpenWindow(host.Get()));
  }
  ~Editor()
  {
    if (graphics)
      graphics->CloseWindow();
  }

  HostWindow host;
  TestDelegate delegate;
  std::unique_ptr<iplug::igraphics::IGraphicsWin> graphics;
  HWND window = nullptr;
};

/** A control that fills its rect with a colour that the test may change. */
class FillControl : public iplug::igraphics::IControl
{
public:
  FillControl(const iplug::igraphics::IRECT& bounds, const iplug::igraphics::IColor& color)
  : IControl(bounds)
  , mColor(color)
  {}
  void Draw(iplug::igraphics::IGraphics& g) override
  {
    ++draws;
    g.FillRect(mColor, GetRECT());
  }
  void SetColor(const iplug::igraphics::IColor& color) { mColor = color; }
  int draws = 0;

private:
  iplug::igraphics::IColor mColor;
};

/** A control that asks to be drawn on every tick. */
class AlwaysDirtyControl : public FillControl
{
public:
  using FillControl::FillControl;
  bool IsDirty() override { return true; }
};

/** Whether the editor's window class is registered: from the first open editor window to the last. */
inline bool WindowClassRegistered()
{
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  return GetClassInfoExW(GetModuleHandleW(nullptr), L"IPlugWndClass", &wc) != FALSE;
}

/** The window of this thread with that class and owner, or null. */
inline HWND FindOwnedWindow(const wchar_t* className, HWND owner)
{
  struct Search
  {
    const wchar_t* className;
    HWND owner;
    HWND found;
  } search = {className, owner, nullptr};
  EnumThreadWindows(
    GetCurrentThreadId(),
    [](HWND wnd, LPARAM param) -> BOOL {
      auto* s = reinterpret_cast<Search*>(param);
      wchar_t name[64] = {};
      GetClassNameW(wnd, name, 64);
      if (_wcsicmp(name, s->className) == 0 && GetWindow(wnd, GW_OWNER) == s->owner)
      {
        s->found = wnd;
        return FALSE;
      }
      return TRUE;
    },
    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

/** Pumps messages until the control has been drawn (false when there is none or time is up). */
inline bool PumpUntilDrawn(const FillControl* pControl)
{
  return pControl && PumpUntil([pControl] { return pControl->draws > 0; });
}

/** The window's pixels as last drawn, read back in the editor's own context (a WGL child window's
 * pixels are visible neither to GDI nor on the X screen). */
class WindowPixels
{
public:
  WindowPixels(iplug::igraphics::IGraphicsWin& graphics, HWND window)
  {
    RECT r;
    GetClientRect(window, &r);
    mWidth = r.right;
    mHeight = r.bottom;
    mRGBA.resize(static_cast<size_t>(mWidth) * mHeight * 4);
    graphics.ActivateGLContext();
    glFinish();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, mWidth, mHeight, GL_RGBA, GL_UNSIGNED_BYTE, mRGBA.data());
    graphics.DeactivateGLContext();
  }
  /** The colour at (x, y), from the window's top-left corner, in window pixels. */
  iplug::igraphics::IColor At(int x, int y) const
  {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
      return iplug::igraphics::IColor(0, 0, 0, 0);
    const uint8_t* p = &mRGBA[(static_cast<size_t>(mHeight - 1 - y) * mWidth + x) * 4];
    return iplug::igraphics::IColor(p[3], p[0], p[1], p[2]);
  }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }

private:
  int mWidth = 0;
  int mHeight = 0;
  std::vector<uint8_t> mRGBA;
};

} // namespace wintest
