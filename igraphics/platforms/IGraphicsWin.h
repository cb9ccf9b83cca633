#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// The editor has members of these names; the Win32 ones are called by their wide names here.
#undef DrawText
#undef LoadBitmap

#include "igraphics/drawing/IGraphicsNanoVG.h"

#include <atomic>
#include <unordered_map>

namespace iplug
{
class IParam;

namespace igraphics
{

/** The Windows editor: a child window of the host's, with its own device context and a legacy WGL
 * context on which NanoVG draws. Redrawing is driven by a Win32 timer, or, where the system can
 * wait for the display's vertical blank, by a thread that posts a tick for every blank. Menus,
 * dialogs and message boxes are the system's own and modal. */
class IGraphicsWin : public IGraphicsNanoVG
{
public:
  IGraphicsWin(IGEditorDelegate& dlg, int w, int h, int fps, float scale);
  ~IGraphicsWin() override;

  // The window (IGraphicsWin.cpp).
  void* OpenWindow(void* pParent) override;
  void CloseWindow() override;
  void ReleaseParentWindow() override;
  void* GetWindow() override { return mPlugWnd; }
  bool WindowIsOpen() override { return mPlugWnd != nullptr; }
  void PlatformResize(bool parentHasResized) override;
  float GetPlatformWindowScale() const override { return GetScreenScale(); }
  void ActivateGLContext() override;
  void DeactivateGLContext() override;
  void SetWinModuleHandle(void* pInstance) override { mHInstance = static_cast<HINSTANCE>(pInstance); }
  void* GetWinModuleHandle() override { return mHInstance; }
  bool PlatformSupportsMultiTouch() const override;
  const char* GetPlatformAPIStr() override { return "win32"; }
  void UpdateTooltips() override {}

  /** The screen scale of a window: its dpi over 96, or 1 where the system cannot tell. */
  static float GetWindowDpiScale(HWND hWnd);
  /** The redraw timer's period for a frame rate, when there is no vertical-blank thread. */
  static UINT TimerIntervalForFPS(int fps);
  /** Whether this editor redraws from the vertical-blank thread rather than the timer. */
  bool VerticalSyncEnabled() const { return mVSYNCEnabled; }
  /** The system's GetDpiForWindow (null where user32 has none), replaceable so that tests can pose
   * as a display of another density. */
  using DpiForWindowFunc = UINT(WINAPI*)(HWND);
  static DpiForWindowFunc sDpiForWindow;
  /** wglGetProcAddress, through which the GL entry points past OpenGL 1.1 are found: replaceable so
   * that tests can pose as a system whose OpenGL cannot draw the editor. */
  using GLProcAddressFunc = PROC(WINAPI*)(LPCSTR);
  static GLProcAddressFunc sGLProcAddress;
  /** user32's ChangeWindowMessageFilterEx (null before Windows 7): replaceable so that tests can see
   * what the window lets through from processes of a lower integrity level. */
  using MessageFilterFunc = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
  static MessageFilterFunc sChangeWindowMessageFilterEx;

  /** The arguments of gdi32's kernel display calls that wait for a display's vertical blank. */
  struct VBlankOpenArgs
  {
    HDC hDc;
    UINT hAdapter;
    LUID adapterLuid;
    UINT vidPnSourceId;
  };
  struct VBlankCloseArgs
  {
    UINT hAdapter;
  };
  struct VBlankWaitArgs
  {
    UINT hAdapter;
    UINT hDevice;
    UINT vidPnSourceId;
  };
  /** D3DKMTOpenAdapterFromHdc, D3DKMTCloseAdapter and D3DKMTWaitForVerticalBlankEvent (each null
   * where gdi32 has none), and MonitorFromWindow: replaceable so that tests can pose as a display
   * driver and a desktop of several monitors. */
  using OpenAdapterFunc = LONG(APIENTRY*)(VBlankOpenArgs*);
  using CloseAdapterFunc = LONG(APIENTRY*)(const VBlankCloseArgs*);
  using WaitForVBlankFunc = LONG(APIENTRY*)(const VBlankWaitArgs*);
  using MonitorFromWindowFunc = HMONITOR(WINAPI*)(HWND, DWORD);
  static OpenAdapterFunc sOpenAdapterFromHdc;
  static CloseAdapterFunc sCloseAdapter;
  static WaitForVBlankFunc sWaitForVBlank;
  static MonitorFromWindowFunc sMonitorFromWindow;

  // Input and the cursor (IGraphicsWinInput.cpp).
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void GetMouseLocation(float& x, float& y) const override;
  void HideMouseCursor(bool hide = true, bool lock = true) override;
  void MoveMouseCursor(float x, float y) override;
  ECursor SetMouseCursor(ECursor cursorType = ECursor::ARROW) override;
  /** The system's GetSystemMetrics and RegisterTouchWindow, replaceable so that tests can pose as a
   * touch screen (the digitizer's answer) on which the window registers for touch. */
  using SystemMetricsFunc = int(WINAPI*)(int);
  static SystemMetricsFunc sSystemMetrics;
  using RegisterTouchWindowFunc = BOOL(WINAPI*)(HWND, ULONG);
  static RegisterTouchWindowFunc sRegisterTouchWindow;
  /** The system's ToUnicode, replaceable so that tests can type on a keyboard layout of their own. */
  using ToUnicodeFunc = int(WINAPI*)(UINT vk, UINT scanCode, const BYTE* state, LPWSTR chars, int size, UINT flags);
  static ToUnicodeFunc sToUnicode;

  // The native text entry (IGraphicsWinTextEntry.cpp).
  void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                               const char* str) override;
  void ForceEndUserEdit() override;
  static LRESULT CALLBACK ParamEditProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // Menus (IGraphicsWinMenus.cpp).
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;
  /** The native menu tree of menu; every item gets a command number, depth first, from offset on
   * (which ends past the last number given, also when a submenu could not be made and is left
   * out). With columns > 0 a menu of fewer than 160 items breaks into columns of that many items.
   * Null when the menu itself cannot be made. */
  static HMENU BuildNativeMenu(IPopupMenu& menu, long& offset, int columns = 0);
  /** The menu of the tree whose block of numbers holds number, with itemIdx the item's index in
   * it; offset is the start of menu's block and moves past every block searched. Null when none. */
  static IPopupMenu* GetMenuForFlatIndex(long number, int& itemIdx, long& offset, IPopupMenu& menu);
  /** Makes each native (sub)menu (CreatePopupMenu's shape), replaceable so that tests can make one fail. */
  using CreateMenuFunc = HMENU(WINAPI*)();
  static CreateMenuFunc sCreatePopupMenu;

  // Dialogs, the shell and the clipboard (IGraphicsWinDialogs.cpp, IGraphicsWinClipboard.cpp).
  EMsgBoxResult ShowMessageBox(const char* str, const char* title, EMsgBoxType type,
                               IMsgBoxCompletionHandlerFunc completionHandler = nullptr) override;
  void PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action = EFileAction::Open,
                     const char* ext = "", IFileDialogCompletionHandlerFunc completionHandler = nullptr) override;
  void PromptForDirectory(WDL_String& dir, IFileDialogCompletionHandlerFunc completionHandler = nullptr) override;
  bool PromptForColor(IColor& color, const char* str = "", IColorPickerHandlerFunc func = nullptr) override;
  bool OpenURL(const char* url, const char* msgWindowTitle = nullptr, const char* confirmMsg = nullptr,
               const char* errMsgOnFailure = nullptr) override;
  bool RevealPathInExplorerOrFinder(WDL_String& path, bool select = false) override;
  bool GetTextFromClipboard(WDL_String& str) override;
  bool SetTextInClipboard(const char* str) override;
  bool SetFilePathInClipboard(const char* path) override;
  bool InitiateExternalFileDragDrop(const char* path, const IRECT& iconBounds) override;

  /** The shell's open call (ShellExecuteW's shape), replaceable so that tests start no programs. */
  using ShellOpenFunc = HINSTANCE (*)(HWND, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
                                      const wchar_t* directory, int show);
  static ShellOpenFunc sShellOpen;

  // Fonts (IGraphicsWinFonts.cpp).
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, void* pData, int dataSize) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fontName, ETextStyle style) override;
  void CachePlatformFont(const char* fontID, const PlatformFontPtr& font) override;

private:
  // The window (IGraphicsWin.cpp).
  void OnDisplayTimer(int vBlankCount = 0);
  void Paint();
  void StartRedrawSource();
  void StopRedrawSource();
  /** The window's device context, pixel format, WGL context and GL entry points; false on failure. */
  bool CreateGLContext();
  void DestroyGLContext();
  /** NanoVG's objects, then the WGL context. */
  void DestroyDrawing();
  /** WM_DESTROY that CloseWindow did not start: the host destroyed its window, and ours with it. */
  void OnWindowDestroyed();
  /** The tooltip and the EDIT go, and nothing that still reaches the window finds this editor. */
  void ForgetWindow();
  /** The update region of the window as editor rects. */
  IRECTList UpdateRects(HRGN region, int regionType) const;
  RECT ToPixelRect(const IRECT& r) const;
  void PostVBlank();
  void CreateTooltipWindow();
  void DestroyTooltipWindow();
  static DWORD WINAPI VBlankThreadProc(LPVOID param);
  void VBlankRun();

  // Input (IGraphicsWinInput.cpp).
  LRESULT HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  IMouseInfo GetMouseInfo(LPARAM lParam, WPARAM wParam);
  bool HandleKey(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void HandleTouch(WPARAM wParam, LPARAM lParam);
  void HandleDrop(HDROP hDrop);
  void SetTooltipText(const char* text);
  /** Sends a tooltip message about the window's one tool, with its text; whether it succeeded. */
  bool SendToolMessage(UINT msg, const wchar_t* text);
  void HandleMouseMove(HWND hWnd, WPARAM wParam, LPARAM lParam);
  void HandleButtonDown(HWND hWnd, WPARAM wParam, LPARAM lParam);
  void HandleWheel(HWND hWnd, WPARAM wParam, LPARAM lParam);
  void HideTooltip();
  /** Whether the window registered for touch, so that a finger's contacts come as WM_TOUCH too. */
  bool mTouchWindow = false;
  /** Set while our own button-up gives the capture back, which is no lost drag. */
  bool mReleasingCapture = false;
  /** The scale from window pixels to editor units: draw scale times screen scale. */
  float PixelScale() const { return GetDrawScale() * GetScreenScale(); }

  // The native text entry (IGraphicsWinTextEntry.cpp).
  LRESULT HandleEditMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool EditAcceptsChar(wchar_t c) const;
  /** Forgets the EDIT and its font; the window itself is destroyed by the caller or already gone. */
  void ForgetEditWindow();
  void DestroyEditWindow();
  /** The text entry's outcome, on the redraw tick: commit or cancel, then no edit in progress. */
  void FinishTextEntry();

  // Fonts (IGraphicsWinFonts.cpp): the process-wide caches live as long as some editor does.
  static void RetainFontCaches();
  static void ReleaseFontCaches();
  /** A new font like the one cached for fontID, height pixels high; null when none is cached. */
  static HFONT CopyCachedFont(const char* fontID, int height);

  // Dialogs (IGraphicsWinDialogs.cpp).
  HWND MessageBoxOwner();

  // The redraw timer's id, and the message the vertical-blank thread posts with its count.
  static constexpr UINT_PTR kRedrawTimerID = 2;
  static constexpr UINT kVBlankMessage = WM_USER + 1;

  enum EParamEditMsg
  {
    kNone = 0,
    kEditing,
    kUpdate,
    kCancel,
    kCommit
  };

  HINSTANCE mHInstance = nullptr;
  HWND mPlugWnd = nullptr;
  // Whether this editor counts among the window class's users; a window that the host destroyed
  // stays counted until CloseWindow, when it is surely gone.
  bool mHoldsWindowClass = false;
  HWND mParentWnd = nullptr;
  HWND mTooltipWnd = nullptr;
  HDC mPlatformContext = nullptr;
  HGLRC mHGLRC = nullptr;
  HDC mStartHDC = nullptr;
  HGLRC mStartHGLRC = nullptr;

  HWND mVBlankWindow = nullptr;
  std::atomic<bool> mVBlankShutdown{false};
  HANDLE mVBlankThread = INVALID_HANDLE_VALUE;
  std::atomic<int> mVBlankCount{0};
  // Set when the thread posts a tick, cleared when the window takes it: one tick in the queue at most.
  std::atomic<bool> mVBlankTickPending{false};
  // When the thread last posted (the thread's own).
  DWORD mVBlankPostedAt = 0;
  int mVBlankSkipUntil = 0;
  bool mVSYNCEnabled = false;

  HWND mParamEditWnd = nullptr;
  WNDPROC mDefEditProc = nullptr;
  HFONT mEditFont = nullptr;
  IParam* mEditParam = nullptr;
  IText mEditText;
  IRECT mEditRECT;
  EParamEditMsg mParamEditMsg = kNone;

  bool mShowingTooltip = false;
  int mTooltipIdx = -1;
  float mPrevX = 0.f;
  float mPrevY = 0.f;
  std::unordered_map<uintptr_t, IMouseInfo> mDeltaCapture;

  HWND mMainWnd = nullptr;
  WDL_String mMainWndClassName;
};

} // namespace igraphics
} // namespace iplug
