// The vertical-blank thread that drives the editor's redraws where the system can wait for blanks.
#include "WinEditorFixture.h"

#include <mutex>
#include <ostream>
#include <vector>

using namespace iplug::igraphics;

namespace wintest
{
namespace
{

constexpr UINT kTickMessage = WM_USER + 1;
constexpr int kEditID = 99;

/** Poses as the display driver of a desktop of two monitors side by side, the second from x = 960 of
 * the screen on, and records the adapters it opens and closes. As the real driver does, an adapter
 * opened from a device context is the one of the monitor its window is on, a wait blocks for a
 * blank period, and a wait on a closed adapter fails. */
class TwoMonitorDriver
{
public:
  struct Event
  {
    bool opened;
    int monitor;
    UINT adapter;
    bool operator==(const Event& o) const { return opened == o.opened && monitor == o.monitor && adapter == o.adapter; }
    friend std::ostream& operator<<(std::ostream& os, const Event& e)
    {
      return os << (e.opened ? "open" : "close") << " adapter " << e.adapter << " of monitor " << e.monitor;
    }
  };

  TwoMonitorDriver()
  {
    sEvents.clear();
    sOpen.clear();
    sLastAdapter = 0;
    IGraphicsWin::sOpenAdapterFromHdc = Open;
    IGraphicsWin::sCloseAdapter = Close;
    IGraphicsWin::sWaitForVBlank = Wait;
    IGraphicsWin::sMonitorFromWindow = Monitor;
  }
  ~TwoMonitorDriver()
  {
    IGraphicsWin::sOpenAdapterFromHdc = mSavedOpen;
    IGraphicsWin::sCloseAdapter = mSavedClose;
    IGraphicsWin::sWaitForVBlank = mSavedWait;
    IGraphicsWin::sMonitorFromWindow = mSavedMonitor;
  }
  TwoMonitorDriver(const TwoMonitorDriver&) = delete;
  TwoMonitorDriver& operator=(const TwoMonitorDriver&) = delete;

  std::vector<Event> Events() const
  {
    const std::lock_guard<std::mutex> lock(sMutex);
    return sEvents;
  }

private:
  static constexpr LONG kInvalidParameter = static_cast<LONG>(0xC000000D);
  static constexpr LONG kSecondMonitorLeft = 960;

  struct OpenAdapter
  {
    UINT adapter;
    int monitor;
  };

  static int MonitorOf(HWND window)
  {
    RECT r;
    GetWindowRect(window, &r);
    return (r.left + r.right) / 2 < kSecondMonitorLeft ? 1 : 2;
  }
  static HMONITOR WINAPI Monitor(HWND window, DWORD)
  {
    return reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(MonitorOf(window)));
  }
  /** The open adapter of that handle, or null; the lock is held. */
  static const OpenAdapter* Find(UINT adapter)
  {
    for (const OpenAdapter& a : sOpen)
      if (a.adapter == adapter)
        return &a;
    return nullptr;
  }
  static LONG APIENTRY Open(IGraphicsWin::VBlankOpenArgs* pArgs)
  {
    const HWND window = WindowFromDC(pArgs->hDc);
    if (!window)
      return kInvalidParameter;
    const int monitor = MonitorOf(window);
    const std::lock_guard<std::mutex> lock(sMutex);
    pArgs->hAdapter = ++sLastAdapter;
    pArgs->vidPnSourceId = static_cast<UINT>(monitor - 1);
    sOpen.push_back({pArgs->hAdapter, monitor});
    sEvents.push_back({true, monitor, pArgs->hAdapter});
    return 0;
  }
  static LONG APIENTRY Close(const IGraphicsWin::VBlankCloseArgs* pArgs)
  {
    const std::lock_guard<std::mutex> lock(sMutex);
    const OpenAdapter* pOpen = Find(pArgs->hAdapter);
    if (!pOpen)
      return kInvalidParameter;
    sEvents.push_back({false, pOpen->monitor, pOpen->adapter});
    sOpen.erase(sOpen.begin() + (pOpen - sOpen.data()));
    return 0;
  }
  static LONG APIENTRY Wait(const IGraphicsWin::VBlankWaitArgs* pArgs)
  {
    {
      const std::lock_guard<std::mutex> lock(sMutex);
      const OpenAdapter* pOpen = Find(pArgs->hAdapter);
      if (!pOpen || pArgs->vidPnSourceId != static_cast<UINT>(pOpen->monitor - 1))
        return kInvalidParameter;
    }
    Sleep(16);
    return 0;
  }

  static inline std::mutex sMutex;
  static inline std::vector<Event> sEvents;
  static inline std::vector<OpenAdapter> sOpen;
  static inline UINT sLastAdapter = 0;
  IGraphicsWin::OpenAdapterFunc mSavedOpen = IGraphicsWin::sOpenAdapterFromHdc;
  IGraphicsWin::CloseAdapterFunc mSavedClose = IGraphicsWin::sCloseAdapter;
  IGraphicsWin::WaitForVBlankFunc mSavedWait = IGraphicsWin::sWaitForVBlank;
  IGraphicsWin::MonitorFromWindowFunc mSavedMonitor = IGraphicsWin::sMonitorFromWindow;
};

/** An editor of one control that is drawn on every tick. */
struct TickingEditor
{
  TickingEditor()
  : editor(200, 100, 1.f, 0, 60, [this](IGraphics* pGraphics) {
    pControl = new AlwaysDirtyControl(IRECT(0, 0, 200, 100), COLOR_GREEN);
    pGraphics->AttachControl(pControl);
  })
  {}
  /** Whether the control is drawn again and again from now on. */
  bool KeepsDrawing() const
  {
    const int draws = pControl->draws;
    return PumpUntil([this, draws] { return pControl->draws >= draws + 5; });
  }

  AlwaysDirtyControl* pControl = nullptr;
  Editor editor;
};

// A host busy for half a second (or in a modal loop of its own that does not dispatch to us) finds
// one tick waiting, not one per blank: the queue of its thread holds 10,000 posted messages at most,
// and then its own posts fail. During a text entry the window passes the ticks by, and still the next
// one comes to end the entry.
TEST(WinVBlank, AtMostOneTickWaitsWhileTheHostDispatchesNothing)
{
  for (const bool textEntry : {false, true})
  {
    SCOPED_TRACE(textEntry ? "text entry" : "drawing");
    TickingEditor ticking;
    ASSERT_TRUE(ticking.editor.graphics->VerticalSyncEnabled());
    ASSERT_TRUE(PumpUntilDrawn(ticking.pControl));
    HWND edit = nullptr;
    if (textEntry)
    {
      ticking.editor.graphics->CreateTextEntry(*ticking.pControl, IText(), IRECT(10, 10, 150, 40), "5");
      edit = GetDlgItem(ticking.editor.window, kEditID);
      ASSERT_NE(edit, nullptr);
      ASSERT_EQ(GetFocus(), edit);
    }

    Sleep(500);
    std::vector<MSG> ticks;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, kTickMessage, kTickMessage, PM_REMOVE))
      ticks.push_back(msg);
    EXPECT_EQ(ticks.size(), 1u);
    for (const MSG& tick : ticks)
      DispatchMessageW(&tick);

    if (edit)
    {
      PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x1C0001);
      EXPECT_TRUE(PumpUntil([edit] { return !IsWindow(edit); }));
    }
    EXPECT_TRUE(ticking.KeepsDrawing());
  }
}

// A loop of the host's that takes our tick from the queue and drops it (a filter of its own, a
// message loop that dispatches only some windows) does not stop the redraws for good.
TEST(WinVBlank, ATickTakenButNeverDispatchedDoesNotStopTheRedraws)
{
  TickingEditor ticking;
  ASSERT_TRUE(ticking.editor.graphics->VerticalSyncEnabled());
  ASSERT_TRUE(PumpUntilDrawn(ticking.pControl));
  MSG msg;
  while (!PeekMessageW(&msg, nullptr, kTickMessage, kTickMessage, PM_REMOVE))
    Sleep(2);
  const int draws = ticking.pControl->draws;
  PumpFor(std::chrono::milliseconds(100));
  EXPECT_EQ(ticking.pControl->draws, draws) << "the dropped tick was the one in the queue";
  EXPECT_TRUE(ticking.KeepsDrawing());
}

// The blanks waited for are those of the monitor the window is on, also after it moved to another.
TEST(WinVBlank, WindowMovedToAnotherMonitorWaitsForThatMonitorsBlanks)
{
  using Event = TwoMonitorDriver::Event;
  const TwoMonitorDriver driver;
  auto ticking = std::make_unique<TickingEditor>();
  ASSERT_TRUE(ticking->editor.graphics->VerticalSyncEnabled());
  ASSERT_TRUE(PumpUntilDrawn(ticking->pControl));
  ASSERT_EQ(driver.Events(), (std::vector<Event>{{true, 1, 1}}));

  SetWindowPos(ticking->editor.host.Get(), nullptr, 1200, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(PumpUntil([&driver] { return driver.Events().size() >= 3; }));
  EXPECT_TRUE(ticking->KeepsDrawing());
  ticking.reset();
  // Opened once per monitor, and each closed once.
  EXPECT_EQ(driver.Events(), (std::vector<Event>{{true, 1, 1}, {false, 1, 1}, {true, 2, 2}, {false, 2, 2}}));
}

} // namespace
} // namespace wintest
