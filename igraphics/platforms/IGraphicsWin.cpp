// The editor window's life, its redraw tick and painting.
#include "igraphics/platforms/IGraphicsWin.h"

#include "igraphics/IGraphicsEditorDelegate.h"

#include <glad/gl.h>
#include <glad/wgl.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace iplug
{
namespace igraphics
{

namespace
{

constexpr const wchar_t* kWndClassName = L"IPlugWndClass";
constexpr DWORD kVBlankJoinLimitMs = 10000;
constexpr DWORD kVBlankFallbackMs = 16;
constexpr DWORD kAdapterRetryMs = 1000;
constexpr DWORD kVBlankRepostMs = 1000;
constexpr int kMaxTooltipWidth = 250;
// What a file dropped from another process brings along besides WM_DROPFILES and WM_COPYDATA.
constexpr UINT kCopyGlobalData = 0x0049;

// Editors open in this process; the window class lives while there is one.
int sOpenWindowCount = 0;

// GetProcAddress gives a FARPROC; going through the generic function type keeps the cast honest.
template <typename F>
F GetProc(HMODULE module, const char* name)
{
  return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

void RetainWindowClass(HINSTANCE instance)
{
  if (sOpenWindowCount++ > 0)
    return;
  WNDCLASSW wc = {};
  wc.style = CS_DBLCLKS | CS_OWNDC;
  wc.lpfnWndProc = IGraphicsWin::WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kWndClassName;
  RegisterClassW(&wc);
}

void ReleaseWindowClass(HINSTANCE instance)
{
  if (--sOpenWindowCount == 0)
    UnregisterClassW(kWndClassName, instance);
}

bool IsWindows8OrLater()
{
  OSVERSIONINFOEXW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  version.dwMajorVersion = 6;
  version.dwMinorVersion = 2;
  DWORDLONG mask = 0;
  mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask) != FALSE;
}

// wglGetProcAddress answers only for what came after OpenGL 1.1 (and some drivers answer 1, 2, 3
// or -1 instead of null); the 1.1 functions are exported by opengl32 itself.
GLADapiproc LoadGLProc(void* pOpenGL32, const char* name)
{
  PROC proc = IGraphicsWin::sGLProcAddress(name);
  const auto value = reinterpret_cast<intptr_t>(proc);
  if (value >= -1 && value <= 3)
    proc = GetProcAddress(static_cast<HMODULE>(pOpenGL32), name);
  return reinterpret_cast<GLADapiproc>(reinterpret_cast<void (*)()>(proc));
}

template <typename... F>
bool AllFound(F... functions)
{
  return ((functions != nullptr) && ...);
}

// NanoVG's GL2 renderer and the drawing back end call OpenGL 2.0 and the framebuffer functions
// under their core names. Microsoft's own renderer (no display driver, many remote sessions) has
// OpenGL 1.1 alone, and an older driver may offer framebuffers under their EXT names only: NanoVG
// would call through null pointers there. glad leaves what it does not look up as it was, so both
// what it found and the pointers themselves count.
bool CanDrawWithNanoVG()
{
  return GLAD_GL_VERSION_2_0 && GLAD_GL_ARB_framebuffer_object &&
         AllFound(glActiveTexture, glAttachShader, glBindAttribLocation, glBindBuffer, glBlendFuncSeparate,
                  glBufferData, glCompileShader, glCreateProgram, glCreateShader, glDeleteBuffers, glDeleteProgram,
                  glDeleteShader, glDisableVertexAttribArray, glEnableVertexAttribArray, glGenBuffers,
                  glGetProgramInfoLog, glGetProgramiv, glGetShaderInfoLog, glGetShaderiv, glGetUniformLocation,
                  glLinkProgram, glShaderSource, glStencilOpSeparate, glUniform1i, glUniform2fv, glUniform4fv,
                  glUseProgram, glVertexAttribPointer) &&
         AllFound(glBindFramebuffer, glBindRenderbuffer, glCheckFramebufferStatus, glDeleteFramebuffers,
                  glDeleteRenderbuffers, glFramebufferRenderbuffer, glFramebufferTexture2D, glGenFramebuffers,
                  glGenRenderbuffers, glRenderbufferStorage);
}

bool LoadGLEntryPoints()
{
  HMODULE openGL32 = LoadLibraryW(L"opengl32.dll");
  if (!openGL32)
    return false;
  const int version = gladLoadGLUserPtr(LoadGLProc, openGL32);
  FreeLibrary(openGL32);
  return version != 0 && CanDrawWithNanoVG();
}

// An elevated host still takes files dropped from Explorer, which runs at a lower integrity level:
// the system holds these messages back from the window unless it lets them through.
void AllowDropsFromLowerIntegrity(HWND window)
{
  if (!IGraphicsWin::sChangeWindowMessageFilterEx)
    return;
  for (UINT msg : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData})
    IGraphicsWin::sChangeWindowMessageFilterEx(window, msg, MSGFLT_ALLOW, nullptr);
}

// The redraw source paces the frames already (the vertical-blank thread waits for the blank, the
// timer keeps its own rate): SwapBuffers waiting for the display's refresh as well would halve the
// frame rate whenever a frame misses a blank.
void SwapWithoutWaiting(HDC dc)
{
  if (gladLoaderLoadWGL(dc) && GLAD_WGL_EXT_swap_control)
    wglSwapIntervalEXT(0);
}

/** Makes the context current at construction current again at destruction (none when none was). */
class KeepCurrentGLContext
{
public:
  KeepCurrentGLContext() : mDC(wglGetCurrentDC()), mContext(wglGetCurrentContext()) {}
  ~KeepCurrentGLContext() { Restore(); }
  KeepCurrentGLContext(const KeepCurrentGLContext&) = delete;
  KeepCurrentGLContext& operator=(const KeepCurrentGLContext&) = delete;

  /** Makes the earlier context current now (and only once). */
  void Restore()
  {
    if (std::exchange(mRestored, true))
      return;
    wglMakeCurrent(mDC, mContext);
  }

private:
  HDC mDC;
  HGLRC mContext;
  bool mRestored = false;
};

// The kernel display calls that wait for a vertical blank. Where gdi32 lacks any of them, or no
// adapter can be opened, every step fails and the thread falls back to sleeping.
class VBlankAdapter
{
public:
  VBlankAdapter() = default;
  ~VBlankAdapter() { Close(); }
  VBlankAdapter(const VBlankAdapter&) = delete;
  VBlankAdapter& operator=(const VBlankAdapter&) = delete;

  /** Waits for the next blank, opening the adapter first when due; false when nothing was waited for. */
  bool Step(HWND window)
  {
    if (!mOpen || !mClose || !mWait)
      return false;
    // An adapter blanks for its own display: a window moved to another one waits for that one's.
    const HMONITOR monitor = IGraphicsWin::sMonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (mAdapter && monitor != mMonitor)
      Close();
    if (mAdapter)
      return Wait();
    if (GetTickCount() - mLastFailedOpen <= kAdapterRetryMs)
      return false;
    if (!Open(window))
    {
      mLastFailedOpen = GetTickCount();
      return false;
    }
    mMonitor = monitor;
    mLastFailedOpen = 0;
    return Wait();
  }

private:
  bool Open(HWND window)
  {
    // The window's class keeps its own device context: giving it back only balances the get.
    IGraphicsWin::VBlankOpenArgs open = {};
    open.hDc = GetDC(window);
    const bool opened = open.hDc && mOpen(&open) == 0;
    if (open.hDc)
      ReleaseDC(window, open.hDc);
    if (!opened)
      return false;
    mAdapter = open.hAdapter;
    mSource = open.vidPnSourceId;
    return true;
  }

  bool Wait()
  {
    const IGraphicsWin::VBlankWaitArgs wait = {mAdapter, 0, mSource};
    if (mWait(&wait) == 0)
      return true;
    Close();
    return false;
  }

  void Close()
  {
    if (!mAdapter)
      return;
    const IGraphicsWin::VBlankCloseArgs close = {mAdapter};
    mClose(&close);
    mAdapter = 0;
  }

  const IGraphicsWin::OpenAdapterFunc mOpen = IGraphicsWin::sOpenAdapterFromHdc;
  const IGraphicsWin::CloseAdapterFunc mClose = IGraphicsWin::sCloseAdapter;
  const IGraphicsWin::WaitForVBlankFunc mWait = IGraphicsWin::sWaitForVBlank;
  UINT mAdapter = 0;
  UINT mSource = 0;
  HMONITOR mMonitor = nullptr;
  DWORD mLastFailedOpen = 0;
};

} // namespace

IGraphicsWin::DpiForWindowFunc IGraphicsWin::sDpiForWindow = GetProc<IGraphicsWin::DpiForWindowFunc>(
  GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
IGraphicsWin::GLProcAddressFunc IGraphicsWin::sGLProcAddress = wglGetProcAddress;
IGraphicsWin::MessageFilterFunc IGraphicsWin::sChangeWindowMessageFilterEx = GetProc<IGraphicsWin::MessageFilterFunc>(
  GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx");
// The module draws through gdi32, so it is loaded before anything here runs.
IGraphicsWin::OpenAdapterFunc IGraphicsWin::sOpenAdapterFromHdc = GetProc<IGraphicsWin::OpenAdapterFunc>(
  GetModuleHandleW(L"gdi32.dll"), "D3DKMTOpenAdapterFromHdc");
IGraphicsWin::CloseAdapterFunc IGraphicsWin::sCloseAdapter = GetProc<IGraphicsWin::CloseAdapterFunc>(
  GetModuleHandleW(L"gdi32.dll"), "D3DKMTCloseAdapter");
IGraphicsWin::WaitForVBlankFunc IGraphicsWin::sWaitForVBlank = GetProc<IGraphicsWin::WaitForVBlankFunc>(
  GetModuleHandleW(L"gdi32.dll"), "D3DKMTWaitForVerticalBlankEvent");
IGraphicsWin::MonitorFromWindowFunc IGraphicsWin::sMonitorFromWindow = ::MonitorFromWindow;

IGraphicsWin::IGraphicsWin(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
: IGraphicsNanoVG(dlg, w, h, fps, scale)
, mVSYNCEnabled(IsWindows8OrLater())
, mEditText(DEFAULT_TEXT_SIZE, DEFAULT_TEXT_FGCOLOR, DEFAULT_FONT, kAlignCenter, kVAlignMiddle)
{
  RetainFontCaches();
}

IGraphicsWin::~IGraphicsWin()
{
  ReleaseFontCaches();
  DestroyEditWindow();
  CloseWindow();
}

void* IGraphicsWin::OpenWindow(void* pParent)
{
  // A host that draws with OpenGL itself finds its context current again, however the opening ends.
  KeepCurrentGLContext hostContext;
  mParentWnd = static_cast<HWND>(pParent);
  // The window opens at a whole scale; the first tick applies the exact one. Below 96 dpi that
  // would be 0, a window of no size.
  const int screenScale = std::max(1, static_cast<int>(GetWindowDpiScale(mParentWnd)));
  int x = 0;
  int y = 0;
  int w = WindowWidth() * screenScale;
  int h = WindowHeight() * screenScale;
  if (mPlugWnd)
  {
    RECT r;
    GetWindowRect(mPlugWnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(mPlugWnd), reinterpret_cast<POINT*>(&r), 2);
    x = r.left;
    y = r.top;
    w = r.right - r.left;
    h = r.bottom - r.top;
  }
  // Also what is left of a window that the host destroyed with its own.
  CloseWindow();

  RetainWindowClass(mHInstance);
  mHoldsWindowClass = true;
  // The window procedure takes the window and starts its redraw source on WM_CREATE.
  if (!CreateWindowExW(0, kWndClassName, L"IPlug", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, w,
                       h, mParentWnd, nullptr, mHInstance, this))
  {
    // A window that died after its WM_CREATE went through WM_DESTROY, which stopped its redraw
    // source; the class's count goes back.
    CloseWindow();
    return nullptr;
  }
  AllowDropsFromLowerIntegrity(mPlugWnd);

  if (CreateGLContext())
    OnViewInitialized(nullptr);
  if (!GetDrawContext())
  {
    // Everything made so far goes again: the window, its redraw source, the class's count.
    CloseWindow();
    return nullptr;
  }
  SetScreenScale(static_cast<float>(screenScale));
  GetDelegate()->LayoutUI(this);
  mTouchWindow = MultiTouchEnabled() && PlatformSupportsMultiTouch() && sRegisterTouchWindow(mPlugWnd, 0);
  SetAllControlsDirty();
  if (TooltipsEnabled())
    CreateTooltipWindow();
  hostContext.Restore();
  GetDelegate()->OnUIOpen();
  return mPlugWnd;
}

void IGraphicsWin::CloseWindow()
{
  const HWND window = mPlugWnd;
  if (window)
    StopRedrawSource();
  // A window that the host destroyed inside one of the editor's own calls left its drawing behind:
  // the controls were still in use then.
  if (window || mHGLRC)
    DestroyDrawing();
  if (window)
  {
    ForgetWindow();
    DestroyWindow(window);
  }
  if (std::exchange(mHoldsWindowClass, false))
    ReleaseWindowClass(mHInstance);
}

void IGraphicsWin::DestroyDrawing()
{
  ActivateGLContext();
  OnViewDestroyed();
  DeactivateGLContext();
  DestroyGLContext();
}

void IGraphicsWin::ForgetWindow()
{
  DestroyTooltipWindow();
  // The EDIT dies with its parent; a handle kept past that would block every later text entry.
  DestroyEditWindow();
  mParamEditMsg = kNone;
  // Whatever reaches the window while it goes down finds no editor behind it.
  SetWindowLongPtrW(mPlugWnd, GWLP_USERDATA, 0);
  mPlugWnd = nullptr;
}

void IGraphicsWin::OnWindowDestroyed()
{
  StopRedrawSource();
  // The drawing goes on our own context while the window and its device context still exist;
  // afterwards its GL calls could only run with no context current. Inside another of the editor's
  // own calls (a menu, a dialog) the controls are still in use, so CloseWindow takes it later.
  if (mPlatformCalls <= 1)
    DestroyDrawing();
  ForgetWindow();
  mParentWnd = nullptr;
}

void IGraphicsWin::ReleaseParentWindow()
{
  if (!mPlugWnd)
    return;
  StopRedrawSource();
  // The editor is closing: a tick already queued (the timer's, the vertical-blank thread's, a paint)
  // or anything else that reaches the window until CloseWindow finds no editor behind it.
  SetWindowLongPtrW(mPlugWnd, GWLP_USERDATA, 0);
  ShowWindow(mPlugWnd, SW_HIDE);
  // A message-only window is no child of the host's, so the host may destroy its own window now
  // without taking ours, which CloseWindow destroys later.
  SetParent(mPlugWnd, HWND_MESSAGE);
  mParentWnd = nullptr;
}

bool IGraphicsWin::CreateGLContext()
{
  mPlatformContext = GetDC(mPlugWnd);
  ReleaseDC(mPlugWnd, mPlatformContext);
  if (!mPlatformContext)
    return false;
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  pfd.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(mPlatformContext, &pfd);
  if (!format || !SetPixelFormat(mPlatformContext, format, &pfd))
    return false;
  mHGLRC = wglCreateContext(mPlatformContext);
  if (!mHGLRC || !wglMakeCurrent(mPlatformContext, mHGLRC))
    return false;
  SwapWithoutWaiting(mPlatformContext);
  return LoadGLEntryPoints();
}

void IGraphicsWin::DestroyGLContext()
{
  // Only our own context is let go: the host's, current again after a teardown, stays current.
  if (mHGLRC && wglGetCurrentContext() == mHGLRC)
    wglMakeCurrent(nullptr, nullptr);
  if (mHGLRC)
    wglDeleteContext(mHGLRC);
  mHGLRC = nullptr;
  mPlatformContext = nullptr;
}

void IGraphicsWin::CreateTooltipWindow()
{
  const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  if (InitCommonControlsEx(&controls))
    mTooltipWnd = CreateWindowExW(
      0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TTS_ALWAYSTIP | TTS_NOPREFIX,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mPlugWnd, nullptr, mHInstance, nullptr);
  if (mTooltipWnd)
    SetWindowPos(mTooltipWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!mTooltipWnd || !SendToolMessage(TTM_ADDTOOLW, L""))
  {
    DestroyTooltipWindow();
    EnableTooltips(false);
    return;
  }
  SendMessageW(mTooltipWnd, TTM_SETMAXTIPWIDTH, 0, kMaxTooltipWidth);
}

void IGraphicsWin::DestroyTooltipWindow()
{
  if (mTooltipWnd)
    DestroyWindow(mTooltipWnd);
  mTooltipWnd = nullptr;
  mShowingTooltip = false;
  mTooltipIdx = -1;
}

void IGraphicsWin::PlatformResize(bool parentHasResized)
{
  if (!mPlugWnd)
    return;
  RECT r;
  GetWindowRect(mPlugWnd, &r);
  const int dw = static_cast<int>(WindowWidth() * GetScreenScale()) - (r.right - r.left);
  const int dh = static_cast<int>(WindowHeight() * GetScreenScale()) - (r.bottom - r.top);
  if (dw == 0 && dh == 0)
    return;
  const auto isPlainChild = [](HWND wnd) {
    return (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) && !(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD);
  };
  const auto grow = [dw, dh](HWND wnd) {
    RECT wr;
    GetWindowRect(wnd, &wr);
    SetWindowPos(wnd, nullptr, 0, 0, wr.right - wr.left + dw, wr.bottom - wr.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  HWND parent = isPlainChild(mPlugWnd) ? GetParent(mPlugWnd) : nullptr;
  HWND grandparent = parent && isPlainChild(parent) ? GetParent(parent) : nullptr;
  grow(mPlugWnd);
  if (parentHasResized)
    return;
  for (HWND wnd : {parent, grandparent})
    if (wnd)
      grow(wnd);
}

void IGraphicsWin::ActivateGLContext()
{
  mStartHDC = wglGetCurrentDC();
  mStartHGLRC = wglGetCurrentContext();
  // What follows runs on our context or on none. A make-current that fails (our window went with
  // the host's) may leave the host's context current, where NanoVG's deletes would take the host's
  // objects of the same names; without a current context a GL call does nothing.
  if (!IsWindow(mPlugWnd) || !wglMakeCurrent(mPlatformContext, mHGLRC) || wglGetCurrentContext() != mHGLRC)
    wglMakeCurrent(nullptr, nullptr);
}

void IGraphicsWin::DeactivateGLContext()
{
  ReleaseDC(mPlugWnd, mPlatformContext);
  wglMakeCurrent(mStartHDC, mStartHGLRC);
}

bool IGraphicsWin::PlatformSupportsMultiTouch() const
{
  return (sSystemMetrics(SM_DIGITIZER) & NID_MULTI_INPUT) != 0;
}

float IGraphicsWin::GetWindowDpiScale(HWND hWnd)
{
  // 0 is the system's answer for a window it cannot tell about: a plain display then.
  const UINT dpi = sDpiForWindow ? sDpiForWindow(hWnd) : 0;
  return dpi ? static_cast<float>(dpi) / 96.f : 1.f;
}

UINT IGraphicsWin::TimerIntervalForFPS(int fps)
{
  constexpr UINT kFastest = 15;
  if (fps <= 0)
    return kFastest;
  const UINT interval = 1000 / static_cast<UINT>(fps);
  return interval < 20 ? kFastest : interval;
}

void IGraphicsWin::StartRedrawSource()
{
  if (mVSYNCEnabled)
  {
    mVBlankWindow = mPlugWnd;
    mVBlankShutdown = false;
    // A tick left pending went down with an earlier window.
    mVBlankTickPending = false;
    const HANDLE thread = CreateThread(nullptr, 0, VBlankThreadProc, this, 0, nullptr);
    if (thread)
    {
      mVBlankThread = thread;
      return;
    }
    mVBlankWindow = nullptr;
  }
  // Without a thread (or where it could not start) the timer drives the redraws.
  SetTimer(mPlugWnd, kRedrawTimerID, TimerIntervalForFPS(FPS()), nullptr);
}

void IGraphicsWin::StopRedrawSource()
{
  KillTimer(mPlugWnd, kRedrawTimerID);
  if (mVBlankThread == INVALID_HANDLE_VALUE)
    return;
  mVBlankShutdown = true;
  // A thread still inside the driver's wait after that long would go on using this editor after
  // it is gone; ending it is the lesser harm.
  if (WaitForSingleObject(mVBlankThread, kVBlankJoinLimitMs) == WAIT_TIMEOUT)
    TerminateThread(mVBlankThread, 0);
  CloseHandle(mVBlankThread);
  mVBlankThread = INVALID_HANDLE_VALUE;
  mVBlankWindow = nullptr;
}

DWORD WINAPI IGraphicsWin::VBlankThreadProc(LPVOID param)
{
  static_cast<IGraphicsWin*>(param)->VBlankRun();
  return 0;
}

void IGraphicsWin::VBlankRun()
{
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  VBlankAdapter adapter;
  while (!mVBlankShutdown)
  {
    if (!adapter.Step(mVBlankWindow))
      Sleep(kVBlankFallbackMs);
    PostVBlank();
  }
}

void IGraphicsWin::PostVBlank()
{
  // A host thread that dispatches nothing for a while (busy, or in a modal loop of its own) would
  // otherwise find its queue full of our ticks, and its own posts failing. A tick that a loop took
  // from the queue without dispatching it is never taken: after a while the thread posts anyway.
  const DWORD now = GetTickCount();
  if (mVBlankTickPending.exchange(true) && now - mVBlankPostedAt < kVBlankRepostMs)
    return;
  mVBlankPostedAt = now;
  if (!PostMessageW(mVBlankWindow, kVBlankMessage, static_cast<WPARAM>(++mVBlankCount), 0))
    mVBlankTickPending = false;
}

RECT IGraphicsWin::ToPixelRect(const IRECT& r) const
{
  const float f = PixelScale();
  return RECT{static_cast<LONG>(std::floor(r.L * f)), static_cast<LONG>(std::floor(r.T * f)),
              static_cast<LONG>(std::ceil(r.R * f)), static_cast<LONG>(std::ceil(r.B * f))};
}

void IGraphicsWin::OnDisplayTimer(int vBlankCount)
{
  if (mVSYNCEnabled)
  {
    if (mVBlankSkipUntil != 0 && mVBlankCount < mVBlankSkipUntil)
      return;
    mVBlankSkipUntil = 0;
    if (vBlankCount != mVBlankCount)
      return;
  }
  if (mParamEditWnd && mParamEditMsg != kNone)
  {
    FinishTextEntry();
    return;
  }
  if (!GetCapture())
  {
    const float scale = GetWindowDpiScale(mPlugWnd);
    if (scale != GetScreenScale())
      SetScreenScale(scale);
  }
  IRECTList rects;
  if (IsDirty(rects))
  {
    SetAllControlsClean();
    for (int i = 0; i < rects.Size(); ++i)
    {
      const RECT r = ToPixelRect(rects.Get(i));
      InvalidateRect(mPlugWnd, &r, FALSE);
    }
  }
  if (mParamEditWnd)
  {
    // The EDIT paints itself; drawing the editor under it would flicker through.
    const RECT r = ToPixelRect(mEditRECT);
    ValidateRect(mPlugWnd, &r);
    UpdateWindow(mPlugWnd);
    mParamEditMsg = kUpdate;
    return;
  }
  UpdateWindow(mPlugWnd);
  if (mVSYNCEnabled && vBlankCount != mVBlankCount)
    mVBlankSkipUntil = mVBlankCount + 1;
}

IRECTList IGraphicsWin::UpdateRects(HRGN region, int regionType) const
{
  std::vector<RECT> pixels;
  if (regionType == COMPLEXREGION)
  {
    // A region of many pieces needs more room than any fixed buffer: its size is asked first.
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<DWORD> data((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* pData = reinterpret_cast<RGNDATA*>(data.data());
    if (size && GetRegionData(region, size, pData) == size)
    {
      const auto* pRects = reinterpret_cast<const RECT*>(pData->Buffer);
      pixels.assign(pRects, pRects + pData->rdh.nCount);
    }
  }
  if (pixels.empty())
  {
    RECT box;
    GetRgnBox(region, &box);
    pixels.push_back(box);
  }
  const float f = PixelScale();
  IRECTList rects;
  for (const RECT& r : pixels)
    rects.Add(IRECT(std::floor(r.left / f), std::floor(r.top / f), std::ceil(r.right / f), std::ceil(r.bottom / f)));
  return rects;
}

void IGraphicsWin::Paint()
{
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int regionType = GetUpdateRgn(mPlugWnd, region, FALSE);
  if (regionType == SIMPLEREGION || regionType == COMPLEXREGION)
  {
    IRECTList rects = UpdateRects(region, regionType);
    PAINTSTRUCT ps;
    BeginPaint(mPlugWnd, &ps);
    ActivateGLContext();
    Draw(rects);
    SwapBuffers(mPlatformContext);
    DeactivateGLContext();
    EndPaint(mPlugWnd, &ps);
  }
  ValidateRect(mPlugWnd, nullptr);
  DeleteObject(region);
}

} // namespace igraphics
} // namespace iplug
