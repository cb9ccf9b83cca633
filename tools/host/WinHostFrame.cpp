#include "tools/host/WinHostFrame.h"

#include "tools/host/WinMessagePump.h"

namespace testhost
{

namespace
{

constexpr wchar_t kFrameClass[] = L"BrimvaleHostFrame";

ATOM RegisterFrameClass()
{
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.lpszClassName = kFrameClass;
  return RegisterClassW(&wc);
}

} // namespace

HostFrame::HostFrame(int clientWidth, int clientHeight)
{
  static const ATOM frameClass = RegisterFrameClass();
  (void)frameClass;
  RECT rect = {0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
  mWnd = CreateWindowExW(0, kFrameClass, L"Brimvale test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                         rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

HostFrame::~HostFrame()
{
  if (mWnd)
    DestroyWindow(mWnd);
  PumpMessages();
}

std::vector<HWND> EditorWindowsOf(HWND parent)
{
  std::vector<HWND> found;
  for (HWND child = FindWindowExW(parent, nullptr, L"IPlugWndClass", nullptr); child;
       child = FindWindowExW(parent, child, L"IPlugWndClass", nullptr))
    found.push_back(child);
  return found;
}

} // namespace testhost
