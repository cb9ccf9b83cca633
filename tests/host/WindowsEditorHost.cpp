#include "tests/host/WindowsEditorHost.h"

#include <GL/gl.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>

namespace testhost
{

namespace
{

constexpr wchar_t kFrameClass[] = L"BrimvaleWindowsEditorTestFrame";

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

DialogWatchdog::DialogWatchdog(Answer answer, std::chrono::milliseconds limit)
: mAnswer(std::move(answer))
, mThread([this, limit] { Run(limit); })
{}

DialogWatchdog::~DialogWatchdog()
{
  mStop = true;
  mThread.join();
  DismissAll();
}

void DialogWatchdog::Run(std::chrono::milliseconds limit)
{
  const auto end = std::chrono::steady_clock::now() + limit;
  std::vector<HWND> answered;
  while (!mStop)
  {
    if (std::chrono::steady_clock::now() > end)
    {
      mTimedOut = true;
      DismissAll();
      return;
    }
    for (HWND dialog : ProcessWindowsOfClass(L"#32770"))
    {
      if (std::find(answered.begin(), answered.end(), dialog) != answered.end())
        continue;
      answered.push_back(dialog);
      mAnswer(dialog);
      ++mAnswered;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void DialogWatchdog::DismissAll()
{
  for (HWND dialog : ProcessWindowsOfClass(L"#32770"))
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  // A menu and each of its open submenus take one Escape.
  for (HWND menu : ProcessWindowsOfClass(L"#32768"))
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

void SetDialogItemText(HWND dialog, int id, const std::wstring& text)
{
  if (HWND item = GetDlgItem(dialog, id))
    SendMessageTimeoutW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000, nullptr);
}

std::vector<unsigned char> Pixels::Cut(int l, int t, int r, int b) const
{
  std::vector<unsigned char> cut;
  for (int y = t; y < b; ++y)
    cut.insert(cut.end(), At(l, y), At(l, y) + 4 * (r - l));
  return cut;
}

int Pixels::Count(int l, int t, int r, int b, const std::function<bool(const unsigned char*)>& test) const
{
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      n += test(At(x, y));
  return n;
}

Pixels ReadGLWindowPixels(HWND window, unsigned int glBuffer)
{
  Pixels pixels;
  RECT client = {};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  HGLRC context = dc ? wglCreateContext(dc) : nullptr;
  HDC previousDC = wglGetCurrentDC();
  HGLRC previousContext = wglGetCurrentContext();
  if (context && wglMakeCurrent(dc, context) && client.right > 0 && client.bottom > 0)
  {
    const int w = client.right, h = client.bottom;
    std::vector<unsigned char> bottomUp(static_cast<size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(glBuffer);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    pixels.width = w;
    pixels.height = h;
    pixels.rgba.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y)
      std::memcpy(&pixels.rgba[y * row], &bottomUp[(h - 1 - y) * row], row);
  }
  wglMakeCurrent(previousDC, previousContext);
  if (context)
    wglDeleteContext(context);
  if (dc)
    ReleaseDC(window, dc);
  return pixels;
}

bool WritePNG(const Pixels& pixels, const std::string& path)
{
  return !pixels.rgba.empty() &&
         stbi_write_png(path.c_str(), pixels.width, pixels.height, 4, pixels.rgba.data(), pixels.width * 4) != 0;
}

} // namespace testhost
