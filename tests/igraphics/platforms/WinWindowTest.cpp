#include "WinEditorFixture.h"
#include "WinFontFixture.h"

#include <glad/wgl.h>

#include <functional>
#include <string>

using namespace iplug::igraphics;

namespace wintest
{
namespace
{

#ifdef BRIMVALE_EXPECT_VSYNC
constexpr bool kExpectVSync = true;
#else
constexpr bool kExpectVSync = false;
#endif

constexpr const wchar_t* kClassName = L"IPlugWndClass";
// The editor's redraw ticks: its timer's, and the message that the vertical-blank thread posts.
constexpr UINT_PTR kRedrawTimerID = 2;
constexpr UINT kVBlankMessage = WM_USER + 1;

RECT PlacementInParent(HWND window)
{
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE WindowSize(HWND window)
{
  RECT r;
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool IsColor(const IColor& c, const IColor& expected)
{
  return c.R == expected.R && c.G == expected.G && c.B == expected.B;
}

/** Whether the message is a tick of the redraw source that this program's editors use. */
bool IsRedrawTick(const MSG& msg)
{
  return kExpectVSync ? msg.message == kVBlankMessage : msg.message == WM_TIMER && msg.wParam == kRedrawTimerID;
}

/** Pumps messages as a host's loop does, showing each to seen before it is dispatched, until done()
 * holds or the time is up; whether it came to hold. */
bool PumpWatchingUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
                       const std::function<void(const MSG&)>& seen)
{
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done())
  {
    if (std::chrono::steady_clock::now() > end)
      return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      seen(msg);
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

/** Makes every window of one class fail to be created while it lives, as a system out of
 * resources would (a CBT hook refuses the creation). */
class RefuseWindowClass
{
public:
  explicit RefuseWindowClass(const wchar_t* className)
  {
    sClass = className;
    mHook = SetWindowsHookExW(WH_CBT, Refuse, nullptr, GetCurrentThreadId());
  }
  ~RefuseWindowClass()
  {
    if (mHook)
      UnhookWindowsHookEx(mHook);
  }
  RefuseWindowClass(const RefuseWindowClass&) = delete;
  RefuseWindowClass& operator=(const RefuseWindowClass&) = delete;

private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
  {
    if (code == HCBT_CREATEWND)
    {
      const wchar_t* className = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass;
      if (!IS_INTRESOURCE(className) && _wcsicmp(className, sClass.c_str()) == 0)
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline std::wstring sClass;
  HHOOK mHook = nullptr;
};

TEST(WinWindow, OpensAChildOfTheHostAndDrawsItsControls)
{
  FillControl* pFill = nullptr;
  Editor editor(300, 200, 1.f, 0, 60, [&](IGraphics* pGraphics) {
    pFill = new FillControl(IRECT(0, 0, 150, 200), COLOR_RED);
    pGraphics->AttachControl(pFill);
  });
  ASSERT_NE(editor.window, nullptr);
  EXPECT_EQ(editor.graphics->GetWindow(), editor.window);
  EXPECT_TRUE(editor.graphics->WindowIsOpen());
  EXPECT_EQ(GetParent(editor.window), editor.host.Get());
  EXPECT_TRUE(GetWindowLongW(editor.window, GWL_STYLE) & WS_CHILD);
  wchar_t className[64] = {};
  GetClassNameW(editor.window, className, 64);
  EXPECT_STREQ(className, kClassName);
  ASSERT_TRUE(PumpUntilDrawn(pFill));

  const WindowPixels pixels(*editor.graphics, editor.window);
  EXPECT_EQ(pixels.Width(), 300);
  EXPECT_EQ(pixels.Height(), 200);
  for (auto [x, y] : {std::pair{2, 2}, {75, 100}, {147, 197}})
    EXPECT_TRUE(IsColor(pixels.At(x, y), COLOR_RED)) << x << ", " << y;
  EXPECT_FALSE(IsColor(pixels.At(200, 100), COLOR_RED));
}

TEST(WinWindow, OpensAtTheDrawScale)
{
  Editor editor(200, 100, 1.5f);
  ASSERT_NE(editor.window, nullptr);
  const SIZE size = WindowSize(editor.window);
  EXPECT_EQ(size.cx, 300);
  EXPECT_EQ(size.cy, 150);
}

TEST(WinWindow, RedrawSourceFollowsTheReportedSystem)
{
  Editor editor;
  EXPECT_EQ(editor.graphics->VerticalSyncEnabled(), kExpectVSync);
}

TEST(WinWindow, ClassIsRegisteredOnceForTwoEditorsAndGoesWithTheLast)
{
  ASSERT_FALSE(WindowClassRegistered());
  auto first = std::make_unique<Editor>();
  auto second = std::make_unique<Editor>();
  ASSERT_NE(first->window, nullptr);
  ASSERT_NE(second->window, nullptr);
  EXPECT_TRUE(WindowClassRegistered());
  first->graphics->CloseWindow();
  EXPECT_TRUE(WindowClassRegistered());
  // The remaining editor still works on the class.
  EXPECT_TRUE(IsWindow(second->window));
  second->graphics->CloseWindow();
  EXPECT_FALSE(WindowClassRegistered());
}

TEST(WinWindow, CloseLeavesTheClosedStateAndMayBeRepeated)
{
  Editor editor;
  const HWND window = editor.window;
  ASSERT_NE(window, nullptr);
  editor.graphics->CloseWindow();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(editor.graphics->GetWindow(), nullptr);
  EXPECT_FALSE(editor.graphics->WindowIsOpen());
  editor.graphics->CloseWindow();
  EXPECT_FALSE(WindowClassRegistered());
  // Nothing of it is left to open again over.
  EXPECT_NE(editor.graphics->OpenWindow(editor.host.Get()), nullptr);
  editor.graphics->CloseWindow();
  EXPECT_FALSE(WindowClassRegistered());
}

TEST(WinWindow, WmCloseClosesTheWindow)
{
  Editor editor;
  const HWND window = editor.window;
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(editor.graphics->WindowIsOpen());
  EXPECT_FALSE(WindowClassRegistered());
}

TEST(WinWindow, ReopeningWhileOpenKeepsThePlacement)
{
  FillControl* pFill = nullptr;
  Editor editor(300, 200, 1.f, 0, 60, [&](IGraphics* pGraphics) {
    pFill = new FillControl(IRECT(0, 0, 300, 200), COLOR_BLUE);
    pGraphics->AttachControl(pFill);
  });
  ASSERT_NE(editor.window, nullptr);
  SetWindowPos(editor.window, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND old = editor.window;

  const HWND reopened = static_cast<HWND>(editor.graphics->OpenWindow(editor.host.Get()));
  ASSERT_NE(reopened, nullptr);
  EXPECT_FALSE(IsWindow(old));
  const RECT r = PlacementInParent(reopened);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  // The layout ran again on the new window, and it draws.
  ASSERT_TRUE(PumpUntilDrawn(pFill));
  EXPECT_TRUE(IsColor(WindowPixels(*editor.graphics, reopened).At(10, 10), COLOR_BLUE));
  editor.graphics->CloseWindow();
  EXPECT_FALSE(WindowClassRegistered());
}

TEST(WinWindow, WindowThatCannotBeCreatedFailsCleanly)
{
  TestDelegate delegate;
  HostWindow host;
  IGraphicsWin graphics(delegate, 300, 200, 60, 1.f);
  graphics.SetWinModuleHandle(GetModuleHandleW(nullptr));
  {
    RefuseWindowClass refuse(kClassName);
    EXPECT_EQ(graphics.OpenWindow(host.Get()), nullptr);
  }
  EXPECT_FALSE(graphics.WindowIsOpen());
  EXPECT_FALSE(WindowClassRegistered());
  // Nothing half-made stands in the way of the next try.
  EXPECT_NE(graphics.OpenWindow(host.Get()), nullptr);
  EXPECT_TRUE(WindowClassRegistered());
  graphics.CloseWindow();
  EXPECT_FALSE(WindowClassRegistered());
}

TEST(WinWindow, TooltipsThatCannotBeCreatedAreSwitchedOff)
{
  struct Case
  {
    bool refuseTooltips;
    bool expectEnabled;
  };
  for (const Case& c : {Case{false, true}, Case{true, false}})
  {
    SCOPED_TRACE(c.refuseTooltips ? "refused" : "allowed");
    std::unique_ptr<RefuseWindowClass> refuse;
    if (c.refuseTooltips)
      refuse = std::make_unique<RefuseWindowClass>(L"tooltips_class32");
    Editor editor(300, 200, 1.f, 0, 60, [](IGraphics* pGraphics) { pGraphics->EnableTooltips(true); });
    ASSERT_NE(editor.window, nullptr);
    EXPECT_EQ(editor.graphics->TooltipsEnabled(), c.expectEnabled);
    // A popup made for a child window is owned by the child's top-level window.
    const HWND tooltip = FindOwnedWindow(L"tooltips_class32", editor.host.Get());
    EXPECT_EQ(tooltip != nullptr, c.expectEnabled);
    editor.graphics->CloseWindow();
    if (tooltip)
    {
      EXPECT_FALSE(IsWindow(tooltip));
    }
  }
}

TEST(WinWindow, TimerIntervalForFrameRates)
{
  struct Case
  {
    int fps;
    UINT ms;
  };
  for (const Case& c : {Case{60, 15}, Case{25, 40}, Case{50, 20}, Case{51, 15}, Case{1, 1000}, Case{2000, 15},
                        Case{0, 15}, Case{-5, 15}})
    EXPECT_EQ(IGraphicsWin::TimerIntervalForFPS(c.fps), c.ms) << c.fps << " fps";
}

// How often an editor that is always dirty is drawn: on each tick of its redraw source, the timer
// at the frame rate's interval or every blank (here the 16 ms fallback) whatever the frame rate. A
// loaded machine only delays ticks, so the draws are counted against the source's ticks and against
// a timer of the test's own at the same interval, and the time they take is bounded from below only.
TEST(WinWindow, RedrawRateFollowsTheRedrawSource)
{
  constexpr int kDraws = 30;
  constexpr UINT_PTR kReferenceTimer = 77;
  // A blank that comes while the last frame is still being drawn is passed by.
  constexpr int kTicksPerDraw = kExpectVSync ? 2 : 1;
  for (const int fps : {25, 60})
  {
    SCOPED_TRACE(std::to_string(fps) + " fps");
    AlwaysDirtyControl* pControl = nullptr;
    Editor editor(100, 100, 1.f, 0, fps, [&](IGraphics* pGraphics) {
      pControl = new AlwaysDirtyControl(IRECT(0, 0, 100, 100), COLOR_GREEN);
      pGraphics->AttachControl(pControl);
    });
    ASSERT_TRUE(PumpUntilDrawn(pControl));
    const UINT interval = kExpectVSync ? 16 : IGraphicsWin::TimerIntervalForFPS(fps);
    ASSERT_NE(SetTimer(editor.host.Get(), kReferenceTimer, interval, nullptr), 0u);
    int sourceTicks = 0;
    int referenceTicks = 0;
    const int before = pControl->draws;
    const auto start = std::chrono::steady_clock::now();
    const bool drawn = PumpWatchingUntil([&] { return pControl->draws - before >= kDraws; }, std::chrono::seconds(20),
                                         [&](const MSG& msg) {
                                           if (msg.hwnd == editor.host.Get() && msg.message == WM_TIMER)
                                             referenceTicks += msg.wParam == kReferenceTimer;
                                           else if (msg.hwnd == editor.window)
                                             sourceTicks += IsRedrawTick(msg);
                                         });
    const auto elapsedMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    KillTimer(editor.host.Get(), kReferenceTimer);
    const int draws = pControl->draws - before;
    ASSERT_TRUE(drawn) << draws << " draws";
    EXPECT_LE(draws, sourceTicks + 1) << "one draw per tick of the source";
    EXPECT_LE(referenceTicks, kTicksPerDraw * draws + 3) << "draws that keep up with a timer of the interval";
    EXPECT_GE(elapsedMs, kDraws * interval * 3 / 4) << "draws faster than the interval";
  }
}

TEST(WinWindow, FirstTickAppliesTheExactDpiScale)
{
  struct Case
  {
    UINT dpi;
    LONG openWidth;
    float tickScale;
    LONG tickWidth;
  };
  // The window opens at the whole scale (at least 1) and takes the exact one on the first tick; a
  // window the system cannot tell about (0 dpi) stays at scale 1.
  for (const Case& c : {Case{96, 300, 1.f, 300}, Case{144, 300, 1.5f, 450}, Case{192, 600, 2.f, 600},
                        Case{72, 300, 0.75f, 225}, Case{0, 300, 1.f, 300}})
  {
    SCOPED_TRACE(c.dpi);
    PoseAsDpi pose(c.dpi);
    Editor editor(300, 200);
    ASSERT_NE(editor.window, nullptr);
    EXPECT_EQ(WindowSize(editor.window).cx, c.openWidth);
    EXPECT_TRUE(PumpUntil([&] { return editor.graphics->GetScreenScale() == c.tickScale; }));
    PumpFor(std::chrono::milliseconds(40));
    EXPECT_EQ(editor.graphics->GetScreenScale(), c.tickScale);
    EXPECT_EQ(WindowSize(editor.window).cx, c.tickWidth);
    EXPECT_EQ(WindowSize(editor.window).cy, c.tickWidth * 2 / 3);
  }
}

TEST(WinWindow, DirtyControlIsRedrawn)
{
  FillControl* pFill = nullptr;
  Editor editor(200, 100, 1.f, 0, 60, [&](IGraphics* pGraphics) {
    pFill = new FillControl(IRECT(0, 0, 200, 100), COLOR_RED);
    pGraphics->AttachControl(pFill);
  });
  ASSERT_TRUE(PumpUntilDrawn(pFill));
  ASSERT_TRUE(IsColor(WindowPixels(*editor.graphics, editor.window).At(100, 50), COLOR_RED));
  PumpFor(std::chrono::milliseconds(50));
  const int draws = pFill->draws;
  // Nothing dirty, nothing drawn: a dozen ticks go by without a draw.
  PumpFor(std::chrono::milliseconds(200));
  EXPECT_EQ(pFill->draws, draws);

  pFill->SetColor(COLOR_BLUE);
  pFill->SetDirty(false);
  ASSERT_TRUE(PumpUntil([&] { return pFill->draws > draws; }));
  EXPECT_TRUE(IsColor(WindowPixels(*editor.graphics, editor.window).At(100, 50), COLOR_BLUE));
}

// An update region of a hundred pieces takes more than a kilobyte to describe.
TEST(WinWindow, ComplexUpdateRegionIsPaintedPieceByPiece)
{
  FillControl* pFill = nullptr;
  Editor editor(300, 200, 1.f, 0, 60, [&](IGraphics* pGraphics) {
    pFill = new FillControl(IRECT(0, 0, 300, 200), COLOR_RED);
    pGraphics->AttachControl(pFill);
  });
  ASSERT_TRUE(PumpUntilDrawn(pFill));
  PumpFor(std::chrono::milliseconds(30));

  pFill->SetColor(COLOR_GREEN);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int i = 0; i < 100; ++i)
  {
    const RECT r = {3 * i, 2 * i, 3 * i + 2, 2 * i + 2};
    InvalidateRect(editor.window, &r, FALSE);
  }
  GetUpdateRgn(editor.window, region, FALSE);
  EXPECT_GT(GetRegionData(region, 0, nullptr), 1024u);
  DeleteObject(region);
  UpdateWindow(editor.window);

  const WindowPixels pixels(*editor.graphics, editor.window);
  for (int i : {0, 1, 50, 98, 99})
    EXPECT_TRUE(IsColor(pixels.At(3 * i, 2 * i), COLOR_GREEN)) << "piece " << i;
  // Only the pieces were painted.
  EXPECT_TRUE(IsColor(pixels.At(150, 20), COLOR_RED));
  EXPECT_TRUE(IsColor(pixels.At(20, 150), COLOR_RED));
}

struct ResourceCounts
{
  DWORD gdiObjects;
  DWORD userObjects;
  DWORD handles;
  int threads;
};

ResourceCounts Measure()
{
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
          handles, ThreadCount()};
}

// Ten editors opened, drawn and closed beside one that stays open, as a host shows a second instance's
// editor, leave nothing of theirs behind: no window, class, thread, handle or copy of their font.
TEST(WinWindow, OpenAndCloseTenTimesLeavesNothingBehind)
{
  const MemoryFontCount memoryFonts;
  const std::string fontFile = WinePath(BRIMVALE_FONT_FILE);
  const auto open = [&fontFile](FillControl*& pFill) {
    auto editor = std::make_unique<Editor>(200, 100, 1.f, 0, 60, [&](IGraphics* pGraphics) {
      EXPECT_TRUE(pGraphics->LoadFont("ui", fontFile.c_str()));
      pFill = new FillControl(IRECT(0, 0, 200, 100), COLOR_RED);
      pGraphics->AttachControl(pFill);
    });
    EXPECT_TRUE(PumpUntilDrawn(pFill));
    return editor;
  };
  FillControl* pResidentFill = nullptr;
  auto resident = open(pResidentFill);
  ASSERT_NE(resident->window, nullptr);
  int threadsWhileOpen = 0;
  const auto cycle = [&] {
    FillControl* pFill = nullptr;
    const auto editor = open(pFill);
    ASSERT_NE(editor->window, nullptr);
    threadsWhileOpen = ThreadCount();
  };
  // The first editors load the GL driver and its helpers, which stay for the process.
  cycle();
  PumpFor(std::chrono::milliseconds(50));
  const ResourceCounts before = Measure();
  for (int i = 0; i < 10; ++i)
    cycle();
  PumpFor(std::chrono::milliseconds(50));
  const ResourceCounts after = Measure();
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.userObjects, before.userObjects);
  EXPECT_EQ(after.handles, before.handles);
  EXPECT_EQ(after.threads, before.threads);
  // The count does see the vertical-blank thread while an editor is open.
  EXPECT_EQ(threadsWhileOpen, before.threads + (kExpectVSync ? 1 : 0));
  EXPECT_EQ(memoryFonts.Live(), 1);
  resident.reset();
  EXPECT_FALSE(WindowClassRegistered());
  EXPECT_EQ(memoryFonts.Live(), 0);
}

// Either redraw source paces the frames itself; a swap that also waits for the display's refresh
// would make a frame that just missed a blank wait for the next.
TEST(WinWindow, SwapDoesNotWaitForTheDisplay)
{
  Editor editor;
  ASSERT_NE(editor.window, nullptr);
  editor.graphics->ActivateGLContext();
  const bool loaded = gladLoaderLoadWGL(wglGetCurrentDC()) && GLAD_WGL_EXT_swap_control;
  const int interval = loaded ? wglGetSwapIntervalEXT() : -1;
  editor.graphics->DeactivateGLContext();
  ASSERT_TRUE(loaded);
  EXPECT_EQ(interval, 0);
}

} // namespace
} // namespace wintest
