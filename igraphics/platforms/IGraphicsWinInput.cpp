// The window procedure: mouse, wheel, keys, touch, dropped files, hover, the cursor and tooltips.
#include "igraphics/platforms/IGraphicsWin.h"

#include "iplug/IPlugUTF8.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

namespace iplug
{
namespace igraphics
{

namespace
{

// What the system puts in a mouse message's extra info when a pen or a finger made it; the low
// byte's top bit is set for a finger.
constexpr LPARAM kTabletSignatureMask = static_cast<LPARAM>(0xFFFFFF00);
constexpr LPARAM kTabletSignature = static_cast<LPARAM>(0xFF515700);
constexpr LPARAM kFingerBit = 0x80;
constexpr int kWheelNotch = 120;
// ToUnicode's flag to leave the keyboard's dead-key state as it is (ignored before Windows 10 1607).
constexpr UINT kKeepKeyboardState = 0x4;

enum class EPointer
{
  Mouse,
  Pen,
  Finger
};

EPointer PointerOfMessage()
{
  const LPARAM extra = GetMessageExtraInfo();
  if ((extra & kTabletSignatureMask) != kTabletSignature)
    return EPointer::Mouse;
  return (extra & kFingerBit) ? EPointer::Finger : EPointer::Pen;
}

// The mouse messages that stand for a finger's press or move; its release still ends a press.
bool IsPressOrMove(UINT msg)
{
  return msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
         msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK;
}

bool KeyIsDown(int vk)
{
  return (GetKeyState(vk) & 0x8000) != 0;
}

bool IsMouseMessage(UINT msg)
{
  return (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) || msg == WM_MOUSEHOVER || msg == WM_MOUSELEAVE;
}

IMouseMod ModifiersOf(WPARAM wParam)
{
  return IMouseMod((wParam & MK_LBUTTON) != 0, (wParam & MK_RBUTTON) != 0, (wParam & MK_SHIFT) != 0,
                   (wParam & MK_CONTROL) != 0, KeyIsDown(VK_MENU));
}

void RequestMouseTracking(HWND hWnd, DWORD flags)
{
  TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), flags, hWnd, HOVER_DEFAULT};
  TrackMouseEvent(&track);
}

// The key's character, in UTF-8; false for a dead key or a key that gives several characters.
// The wide translation is used because ToAscii's character is in the ANSI code page, not UTF-8.
// The host's TranslateMessage has already stored a dead key for the next key; translating again
// without keeping that state would take the accent off the host's next character.
bool KeyText(WPARAM vk, LPARAM lParam, std::string& text)
{
  BYTE state[256];
  GetKeyboardState(state);
  wchar_t chars[4] = {};
  const int n = IGraphicsWin::sToUnicode(static_cast<UINT>(vk), (lParam >> 16) & 0xFF, state, chars, 3,
                                         kKeepKeyboardState);
  if (n != 0 && n != 1)
    return false;
  chars[n] = 0;
  WDL_String utf8;
  UTF16ToUTF8(utf8, chars);
  text = utf8.Get();
  return true;
}

// The system cursor's resource id, by the cursor's value; anything unknown is the arrow.
LPCWSTR SystemCursorFor(ECursor cursor)
{
  static constexpr WORD kIDs[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                  32644, 32645, 32646, 32648, 32649, 32650, 32651};
  const auto idx = static_cast<size_t>(cursor);
  return MAKEINTRESOURCEW(idx < std::size(kIDs) ? kIDs[idx] : kIDs[0]);
}

} // namespace

IGraphicsWin::SystemMetricsFunc IGraphicsWin::sSystemMetrics = ::GetSystemMetrics;
IGraphicsWin::RegisterTouchWindowFunc IGraphicsWin::sRegisterTouchWindow = ::RegisterTouchWindow;
IGraphicsWin::ToUnicodeFunc IGraphicsWin::sToUnicode = ::ToUnicode;

LRESULT CALLBACK IGraphicsWin::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_CREATE)
  {
    auto* pGraphics = static_cast<IGraphicsWin*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pGraphics));
    pGraphics->mPlugWnd = hWnd;
    pGraphics->StartRedrawSource();
    SetFocus(hWnd);
    DragAcceptFiles(hWnd, TRUE);
    return 0;
  }
  auto* pGraphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (!pGraphics || pGraphics->mPlugWnd != hWnd)
    return DefWindowProcW(hWnd, msg, wParam, lParam);
  const PlatformCall call(*pGraphics);
  return pGraphics->HandleMessage(hWnd, msg, wParam, lParam);
}

LRESULT IGraphicsWin::HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  // The thread posts its next tick once this one is taken, also when a text entry passes it by.
  if (msg == kVBlankMessage)
    mVBlankTickPending = false;
  // The host destroyed its window and ours with it, also while a text entry takes the messages.
  if (msg == WM_DESTROY)
  {
    OnWindowDestroyed();
    return 0;
  }
  if (mParamEditWnd && mParamEditMsg == kEditing)
  {
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)
    {
      mParamEditMsg = kCancel;
      return 0;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
  }

  if (IsMouseMessage(msg))
  {
    // A pen or a finger cannot be warped back, so neither may lock the cursor.
    const EPointer pointer = PointerOfMessage();
    mTabletInput = pointer != EPointer::Mouse;
    if (mTabletInput)
      mCursorLock = false;
    // A window registered for touch gets a finger's contacts as WM_TOUCH, so the mouse messages
    // that the system makes of them as well would act twice.
    if (pointer == EPointer::Finger && mTouchWindow && IsPressOrMove(msg))
      return 0;
  }

  switch (msg)
  {
  case WM_MOUSEMOVE: HandleMouseMove(hWnd, wParam, lParam); return 0;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN: HandleButtonDown(hWnd, wParam, lParam); return 0;
  // The middle button takes the capture on its press like the others, so it gives it back too.
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP:
    mReleasingCapture = true;
    ReleaseCapture();
    mReleasingCapture = false;
    OnMouseUp({GetMouseInfo(lParam, wParam)});
    return 0;
  // Alt+Tab, the Windows key or a dialog took the mouse: the drag's button-up will not come here.
  case WM_CAPTURECHANGED:
    if (!mReleasingCapture && reinterpret_cast<HWND>(lParam) != hWnd)
      EndCapturedGestures();
    return 0;
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  {
    const IMouseInfo info = GetMouseInfo(lParam, wParam);
    if (OnMouseDblClick(info.x, info.y, info.ms))
      SetCapture(hWnd);
    return 0;
  }
  case WM_MOUSEWHEEL: HandleWheel(hWnd, wParam, lParam); return 0;
  case WM_MOUSEHOVER:
    if (mTooltipIdx >= 0 && mTooltipIdx < NControls())
    {
      SetTooltipText(GetControl(mTooltipIdx)->GetTooltip());
      mShowingTooltip = true;
    }
    return 0;
  case WM_MOUSELEAVE:
    HideTooltip();
    OnMouseOut();
    return 0;
  case WM_KEYDOWN:
  case WM_KEYUP:
    if (HandleKey(hWnd, msg, wParam, lParam))
      return 0;
    if (HWND root = GetAncestor(hWnd, GA_ROOT); root && root != hWnd)
      SendMessageW(root, msg, wParam, lParam);
    return DefWindowProcW(hWnd, msg, wParam, lParam);
  case WM_TOUCH: HandleTouch(wParam, lParam); return 0;
  case WM_DROPFILES: HandleDrop(reinterpret_cast<HDROP>(wParam)); return 0;
  case WM_SETCURSOR: SetMouseCursor(mCursorType); return 0;
  case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
  case WM_CTLCOLOREDIT:
  {
    if (!mParamEditWnd)
      return DefWindowProcW(hWnd, msg, wParam, lParam);
    const IColor& bg = mEditText.mTextEntryBGColor;
    const IColor& fg = mEditText.mTextEntryFGColor;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, RGB(bg.R, bg.G, bg.B));
    SetDCBrushColor(dc, RGB(bg.R, bg.G, bg.B));
    SetTextColor(dc, RGB(fg.R, fg.G, fg.B));
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
  }
  case WM_TIMER:
    if (wParam == kRedrawTimerID)
      OnDisplayTimer(0);
    return 0;
  case kVBlankMessage: OnDisplayTimer(static_cast<int>(wParam)); return 0;
  case WM_PAINT: Paint(); return 0;
  case WM_CLOSE: CloseWindow(); return 0;
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ERASEBKGND: return 0;
  default: return DefWindowProcW(hWnd, msg, wParam, lParam);
  }
}

IMouseInfo IGraphicsWin::GetMouseInfo(LPARAM lParam, WPARAM wParam)
{
  const float f = PixelScale();
  IMouseInfo info;
  info.x = mPrevX = GET_X_LPARAM(lParam) / f;
  info.y = mPrevY = GET_Y_LPARAM(lParam) / f;
  info.ms = ModifiersOf(wParam);
  return info;
}

void IGraphicsWin::HandleMouseMove(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
  if (!(wParam & (MK_LBUTTON | MK_RBUTTON)))
  {
    const IMouseInfo info = GetMouseInfo(lParam, wParam);
    if (OnMouseOver(info.x, info.y, info.ms))
      RequestMouseTracking(hWnd, TME_LEAVE);
    if (!TooltipsEnabled())
      return;
    const int idx = GetMouseControlIdx(info.x, info.y, true);
    if (idx == mTooltipIdx)
      return;
    if (idx >= 0)
      RequestMouseTracking(hWnd, TME_HOVER);
    mTooltipIdx = idx;
    HideTooltip();
    return;
  }
  if (GetCapture() != hWnd || (GetControlInTextEntry() && !mTextEntryControl))
    return;
  const float prevX = mPrevX;
  const float prevY = mPrevY;
  IMouseInfo info = GetMouseInfo(lParam, wParam);
  info.dX = info.x - prevX;
  info.dY = info.y - prevY;
  if (info.dX == 0.f && info.dY == 0.f)
    return;
  OnMouseDrag({info});
  if (mCursorLock)
  {
    const float hiddenX = mHiddenCursorX;
    const float hiddenY = mHiddenCursorY;
    MoveMouseCursor(hiddenX, hiddenY);
    mHiddenCursorX = hiddenX;
    mHiddenCursorY = hiddenY;
  }
}

void IGraphicsWin::HandleButtonDown(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
  HideTooltip();
  if (mParamEditWnd)
  {
    mParamEditMsg = kCommit;
    return;
  }
  SetFocus(hWnd);
  SetCapture(hWnd);
  OnMouseDown({GetMouseInfo(lParam, wParam)});
}

void IGraphicsWin::HandleWheel(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
  if (mParamEditWnd)
  {
    mParamEditMsg = kCancel;
    return;
  }
  RECT r;
  GetWindowRect(hWnd, &r);
  const float f = PixelScale();
  const float x = (GET_X_LPARAM(lParam) - r.left) / f;
  const float y = (GET_Y_LPARAM(lParam) - r.top) / f;
  const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / kWheelNotch;
  OnMouseWheel(x, y, ModifiersOf(GET_KEYSTATE_WPARAM(wParam)), static_cast<float>(notches));
}

bool IGraphicsWin::HandleKey(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hWnd, &p);
  std::string text;
  if (!KeyText(wParam, lParam, text))
    return false;
  const IKeyPress key(text.c_str(), static_cast<int32_t>(wParam), KeyIsDown(VK_SHIFT), KeyIsDown(VK_CONTROL),
                      KeyIsDown(VK_MENU));
  const float f = PixelScale();
  return msg == WM_KEYDOWN ? OnKeyDown(p.x / f, p.y / f, key) : OnKeyUp(p.x / f, p.y / f, key);
}

void IGraphicsWin::HandleTouch(WPARAM wParam, LPARAM lParam)
{
  const UINT n = LOWORD(wParam);
  if (n == 0)
    return;
  const auto handle = reinterpret_cast<HTOUCHINPUT>(lParam);
  std::vector<TOUCHINPUT> inputs(n);
  if (GetTouchInputInfo(handle, n, inputs.data(), sizeof(TOUCHINPUT)))
  {
    const float f = PixelScale();
    std::vector<IMouseInfo> downs, ups, moves;
    for (const TOUCHINPUT& input : inputs)
    {
      POINT p = {input.x / 100, input.y / 100};
      ScreenToClient(mPlugWnd, &p);
      IMouseInfo info;
      info.x = p.x / f;
      info.y = p.y / f;
      info.ms.touchID = static_cast<uintptr_t>(input.dwID);
      info.ms.touchRadius = (input.dwMask & TOUCHINPUTMASKF_CONTACTAREA) ? static_cast<float>(input.cxContact) : 0.f;
      if (input.dwFlags & TOUCHEVENTF_DOWN)
      {
        downs.push_back(info);
        mDeltaCapture[info.ms.touchID] = info;
      }
      else if (input.dwFlags & TOUCHEVENTF_UP)
      {
        mDeltaCapture.erase(info.ms.touchID);
        ups.push_back(info);
      }
      else if (input.dwFlags & TOUCHEVENTF_MOVE)
      {
        // A touch first seen moving has no earlier position: it starts from where it is.
        const auto it = mDeltaCapture.find(info.ms.touchID);
        const IMouseInfo& previous = it != mDeltaCapture.end() ? it->second : info;
        info.dX = info.x - previous.x;
        info.dY = info.y - previous.y;
        mDeltaCapture[info.ms.touchID] = info;
        moves.push_back(info);
      }
    }
    if (!downs.empty())
      OnMouseDown(downs);
    if (!ups.empty())
      OnMouseUp(ups);
    if (!moves.empty())
      OnMouseDrag(moves);
  }
  CloseTouchInputHandle(handle);
}

void IGraphicsWin::HandleDrop(HDROP hDrop)
{
  const UINT n = DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  for (UINT i = 0; i < n; ++i)
  {
    // The whole name, however long: a path cut short names another file or none.
    std::wstring wide(DragQueryFileW(hDrop, i, nullptr, 0) + 1, L'\0');
    DragQueryFileW(hDrop, i, wide.data(), static_cast<UINT>(wide.size()));
    WDL_String utf8;
    UTF16ToUTF8(utf8, wide.c_str());
    paths.emplace_back(utf8.Get());
  }
  POINT p = {};
  DragQueryPoint(hDrop, &p);
  // The shell's drop block is ours to free once read.
  DragFinish(hDrop);
  const float f = PixelScale();
  if (paths.size() == 1)
    OnDrop(paths[0].c_str(), p.x / f, p.y / f);
  else if (paths.size() > 1)
  {
    std::vector<const char*> list;
    for (const std::string& path : paths)
      list.push_back(path.c_str());
    OnDropMultiple(list, p.x / f, p.y / f);
  }
}

void IGraphicsWin::GetMouseLocation(float& x, float& y) const
{
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(mPlugWnd, &p);
  const float f = PixelScale();
  x = p.x / f;
  y = p.y / f;
}

void IGraphicsWin::HideMouseCursor(bool hide, bool lock)
{
  if (mCursorHidden == hide)
    return;
  if (hide)
  {
    mHiddenCursorX = mPrevX;
    mHiddenCursorY = mPrevY;
    ShowCursor(FALSE);
    mCursorHidden = true;
    mCursorLock = lock && !mTabletInput;
    return;
  }
  if (mCursorLock)
    MoveMouseCursor(mHiddenCursorX, mHiddenCursorY);
  ShowCursor(TRUE);
  mCursorHidden = false;
  mCursorLock = false;
}

void IGraphicsWin::MoveMouseCursor(float x, float y)
{
  if (mTabletInput)
    return;
  const float f = PixelScale();
  POINT p = {static_cast<LONG>(std::lround(x * f)), static_cast<LONG>(std::lround(y * f))};
  ::ClientToScreen(mPlugWnd, &p);
  if (!SetCursorPos(p.x, p.y))
    return;
  GetCursorPos(&p);
  ScreenToClient(mPlugWnd, &p);
  mPrevX = mHiddenCursorX = p.x / f;
  mPrevY = mHiddenCursorY = p.y / f;
}

ECursor IGraphicsWin::SetMouseCursor(ECursor cursorType)
{
  SetCursor(LoadCursorW(nullptr, SystemCursorFor(cursorType)));
  return IGraphics::SetMouseCursor(cursorType);
}

bool IGraphicsWin::SendToolMessage(UINT msg, const wchar_t* text)
{
  if (!mTooltipWnd)
    return false;
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = mPlugWnd;
  info.uId = reinterpret_cast<UINT_PTR>(mPlugWnd);
  info.lpszText = const_cast<wchar_t*>(text);
  return SendMessageW(mTooltipWnd, msg, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void IGraphicsWin::SetTooltipText(const char* text)
{
  SendToolMessage(TTM_UPDATETIPTEXTW, UTF8ToUTF16(text ? text : "").c_str());
}

void IGraphicsWin::HideTooltip()
{
  if (!mShowingTooltip)
    return;
  SetTooltipText(nullptr);
  mShowingTooltip = false;
}

} // namespace igraphics
} // namespace iplug
