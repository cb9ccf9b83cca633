#include "WinEditorFixture.h"

#include "igraphics/controls/IVKnobControl.h"

#include <commctrl.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

using namespace iplug::igraphics;

namespace wintest
{
namespace
{

struct Event
{
  std::string kind;
  float x = 0.f;
  float y = 0.f;
  float dX = 0.f;
  float dY = 0.f;
  IMouseMod mod;
  float wheel = 0.f;
  int vk = 0;
  std::string text;
  std::vector<std::string> paths;
};

/** A control that records every input call it gets. */
class RecordingControl : public IControl
{
public:
  explicit RecordingControl(const IRECT& bounds) : IControl(bounds) {}
  void Draw(IGraphics&) override {}
  void OnMouseDown(float x, float y, const IMouseMod& mod) override { Record("down", x, y, 0, 0, mod); }
  void OnMouseUp(float x, float y, const IMouseMod& mod) override { Record("up", x, y, 0, 0, mod); }
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override
  {
    Record("drag", x, y, dX, dY, mod);
  }
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override { Record("dblclick", x, y, 0, 0, mod); }
  void OnMouseOver(float x, float y, const IMouseMod& mod) override { Record("over", x, y, 0, 0, mod); }
  void OnMouseOut() override { Record("out", 0, 0, 0, 0, IMouseMod()); }
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float d) override
  {
    Record("wheel", x, y, 0, 0, mod);
    events.back().wheel = d;
  }
  bool OnKeyDown(float x, float y, const IKeyPress& key) override { return RecordKey("keydown", x, y, key); }
  bool OnKeyUp(float x, float y, const IKeyPress& key) override { return RecordKey("keyup", x, y, key); }
  void OnDrop(const char* str) override
  {
    Record("drop", 0, 0, 0, 0, IMouseMod());
    events.back().paths = {str};
  }
  void OnDropMultiple(const std::vector<const char*>& paths) override
  {
    Record("dropmultiple", 0, 0, 0, 0, IMouseMod());
    events.back().paths.assign(paths.begin(), paths.end());
  }

  std::vector<std::string> Kinds() const
  {
    std::vector<std::string> kinds;
    for (const Event& e : events)
      kinds.push_back(e.kind);
    return kinds;
  }

  std::vector<Event> events;
  bool handlesKeys = true;

private:
  void Record(const char* kind, float x, float y, float dX, float dY, const IMouseMod& mod)
  {
    Event e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.dX = dX;
    e.dY = dY;
    e.mod = mod;
    events.push_back(e);
  }
  bool RecordKey(const char* kind, float x, float y, const IKeyPress& key)
  {
    Record(kind, x, y, 0, 0, IMouseMod());
    events.back().vk = key.VK;
    events.back().text = key.utf8;
    return handlesKeys;
  }
};

/** An editor of 200 x 100 units at draw scale 2 (a window of 400 x 200 pixels) with a background
 * and a recording control over it all, so that a message's pixels are halved on the way in. */
struct InputEditor
{
  explicit InputEditor(bool multiTouch = false)
  : editor(200, 100, 2.f, 0, 60, [this, multiTouch](IGraphics* pGraphics) {
    pGraphics->AttachControl(new FillControl(pGraphics->GetBounds(), COLOR_GRAY));
    pRecorder = new RecordingControl(pGraphics->GetBounds());
    pGraphics->AttachControl(pRecorder);
    pGraphics->EnableMouseOver(true);
    pGraphics->EnableMultiTouch(multiTouch);
  })
  {}
  POINT ScreenPoint(int x, int y) const
  {
    POINT p = {x, y};
    ClientToScreen(editor.window, &p);
    return p;
  }

  RecordingControl* pRecorder = nullptr;
  Editor editor;
};

LPARAM PointParam(int x, int y)
{
  return MAKELPARAM(x, y);
}

struct Message
{
  UINT msg;
  WPARAM wParam;
  int x;
  int y;
};

TEST(WinInput, MouseMessagesReachTheControlInEditorUnits)
{
  struct Expected
  {
    const char* kind;
    float x;
    float y;
    float dX;
    float dY;
    bool L;
    bool R;
  };
  struct Case
  {
    const char* name;
    std::vector<Message> messages;
    std::vector<Expected> expected;
  };
  // A release also tells the control under the mouse that the mouse is over it.
  const std::vector<Case> cases = {
    {"left press, drag, release",
     {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 60}, {WM_MOUSEMOVE, MK_LBUTTON, 110, 64}, {WM_LBUTTONUP, 0, 110, 64}},
     {{"down", 50, 30, 0, 0, true, false},
      {"drag", 55, 32, 5, 2, true, false},
      {"up", 55, 32, 0, 0, false, false},
      {"over", 55, 32, 0, 0, false, false}}},
    {"right press and release",
     {{WM_RBUTTONDOWN, MK_RBUTTON, 20, 40}, {WM_RBUTTONUP, 0, 20, 40}},
     {{"down", 10, 20, 0, 0, false, true}, {"up", 10, 20, 0, 0, false, false}, {"over", 10, 20, 0, 0, false, false}}},
    {"middle press and release",
     {{WM_MBUTTONDOWN, MK_MBUTTON, 300, 100}, {WM_MBUTTONUP, 0, 300, 100}},
     {{"down", 150, 50, 0, 0, false, false},
      {"up", 150, 50, 0, 0, false, false},
      {"over", 150, 50, 0, 0, false, false}}},
    {"a drag that does not move is not delivered",
     {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 60}, {WM_MOUSEMOVE, MK_LBUTTON, 100, 60}, {WM_LBUTTONUP, 0, 100, 60}},
     {{"down", 50, 30, 0, 0, true, false}, {"up", 50, 30, 0, 0, false, false}, {"over", 50, 30, 0, 0, false, false}}},
    {"double click",
     {{WM_LBUTTONDBLCLK, MK_LBUTTON, 40, 80}, {WM_LBUTTONUP, 0, 40, 80}},
     {{"dblclick", 20, 40, 0, 0, true, false}, {"over", 20, 40, 0, 0, false, false}}},
    {"hover, then leave",
     {{WM_MOUSEMOVE, 0, 60, 20}, {WM_MOUSELEAVE, 0, 0, 0}},
     {{"over", 30, 10, 0, 0, false, false}, {"out", 0, 0, 0, 0, false, false}}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    InputEditor input;
    ASSERT_NE(input.pRecorder, nullptr);
    for (const Message& m : c.messages)
      SendMessageW(input.editor.window, m.msg, m.wParam, PointParam(m.x, m.y));
    const std::vector<Event>& events = input.pRecorder->events;
    ASSERT_EQ(events.size(), c.expected.size());
    for (size_t i = 0; i < events.size(); ++i)
    {
      const Expected& e = c.expected[i];
      EXPECT_EQ(events[i].kind, e.kind);
      EXPECT_FLOAT_EQ(events[i].x, e.x) << e.kind;
      EXPECT_FLOAT_EQ(events[i].y, e.y) << e.kind;
      EXPECT_FLOAT_EQ(events[i].dX, e.dX) << e.kind;
      EXPECT_FLOAT_EQ(events[i].dY, e.dY) << e.kind;
      EXPECT_EQ(events[i].mod.L, e.L) << e.kind;
      EXPECT_EQ(events[i].mod.R, e.R) << e.kind;
    }
    // Every press gave its capture back with its release.
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(input.editor.graphics->ControlIsCaptured(input.pRecorder));
  }
}

TEST(WinInput, ModifierKeysOfAMouseMessage)
{
  InputEditor input;
  ASSERT_NE(input.pRecorder, nullptr);
  SendMessageW(input.editor.window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT | MK_CONTROL, PointParam(10, 10));
  SendMessageW(input.editor.window, WM_LBUTTONUP, MK_SHIFT, PointParam(10, 10));
  ASSERT_EQ(input.pRecorder->Kinds(), (std::vector<std::string>{"down", "up", "over"}));
  EXPECT_TRUE(input.pRecorder->events[0].mod.S);
  EXPECT_TRUE(input.pRecorder->events[0].mod.C);
  EXPECT_FALSE(input.pRecorder->events[0].mod.A);
  EXPECT_TRUE(input.pRecorder->events[1].mod.S);
  EXPECT_FALSE(input.pRecorder->events[1].mod.C);
}

/** Poses as a touch screen while it lives: the digitizer reports multi-touch, and a window of this
 * thread registers for touch, as on real Windows (Wine answers neither). */
class PoseAsTouchScreen
{
public:
  PoseAsTouchScreen() : mSavedMetrics(IGraphicsWin::sSystemMetrics), mSavedRegister(IGraphicsWin::sRegisterTouchWindow)
  {
    sRegistered.clear();
    IGraphicsWin::sSystemMetrics = [](int index) -> int {
      return index == SM_DIGITIZER ? NID_READY | NID_MULTI_INPUT | NID_INTEGRATED_TOUCH : GetSystemMetrics(index);
    };
    IGraphicsWin::sRegisterTouchWindow = [](HWND wnd, ULONG) -> BOOL {
      if (GetWindowThreadProcessId(wnd, nullptr) != GetCurrentThreadId())
        return FALSE;
      sRegistered.push_back(wnd);
      return TRUE;
    };
  }
  ~PoseAsTouchScreen()
  {
    sRegistered.clear();
    IGraphicsWin::sSystemMetrics = mSavedMetrics;
    IGraphicsWin::sRegisterTouchWindow = mSavedRegister;
  }
  PoseAsTouchScreen(const PoseAsTouchScreen&) = delete;
  PoseAsTouchScreen& operator=(const PoseAsTouchScreen&) = delete;

  static inline std::vector<HWND> sRegistered;

private:
  IGraphicsWin::SystemMetricsFunc mSavedMetrics;
  IGraphicsWin::RegisterTouchWindowFunc mSavedRegister;
};

// Real input from SendInput, marked as a pen's or a finger's through its extra info. Only a window
// registered for touch gets a finger's contacts as WM_TOUCH as well, so only there are the mouse
// messages made of them dropped; a pen's never are.
TEST(WinInput, PenAndFingerMouseMessagesActUnlessTouchComesAsWMTouch)
{
  constexpr ULONG_PTR kMouse = 0;
  constexpr ULONG_PTR kPen = 0xFF515700;
  constexpr ULONG_PTR kFinger = 0xFF515780;
  constexpr DWORD kDown = MOUSEEVENTF_LEFTDOWN;
  constexpr DWORD kMove = MOUSEEVENTF_MOVE;
  constexpr DWORD kUp = MOUSEEVENTF_LEFTUP;
  struct Step
  {
    DWORD flags;
    ULONG_PTR extra;
  };
  struct Case
  {
    const char* name;
    bool touchWindow;
    std::vector<Step> steps;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
    {"mouse", false, {{kDown, kMouse}, {kMove, kMouse}, {kUp, kMouse}}, {"down", "drag", "up"}},
    {"pen", false, {{kDown, kPen}, {kMove, kPen}, {kUp, kPen}}, {"down", "drag", "up"}},
    {"pen double click", false, {{kDown, kPen}, {kUp, kPen}, {kDown, kPen}, {kUp, kPen}}, {"down", "up", "dblclick"}},
    {"finger, no touch registration",
     false,
     {{kDown, kFinger}, {kMove, kFinger}, {kUp, kFinger}},
     {"down", "drag", "up"}},
    {"pen on a touch window", true, {{kDown, kPen}, {kMove, kPen}, {kUp, kPen}}, {"down", "drag", "up"}},
    {"finger on a touch window", true, {{kDown, kFinger}, {kMove, kFinger}, {kUp, kFinger}}, {}},
    {"finger double click on a touch window",
     true,
     {{kDown, kFinger}, {kUp, kFinger}, {kDown, kFinger}, {kUp, kFinger}},
     {}},
    {"a finger's release on a touch window ends a mouse press",
     true,
     {{kDown, kMouse}, {kMove, kFinger}, {kUp, kFinger}},
     {"down", "up"}},
    {"mouse on a touch window", true, {{kDown, kMouse}, {kMove, kMouse}, {kUp, kMouse}}, {"down", "drag", "up"}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    std::optional<PoseAsTouchScreen> touchScreen;
    if (c.touchWindow)
      touchScreen.emplace();
    InputEditor input(c.touchWindow);
    ASSERT_NE(input.pRecorder, nullptr);
    ASSERT_EQ(PoseAsTouchScreen::sRegistered,
              c.touchWindow ? std::vector<HWND>{input.editor.window} : std::vector<HWND>{});
    SetForegroundWindow(input.editor.host.Get());
    const POINT p = input.ScreenPoint(100, 60);
    SetCursorPos(p.x, p.y);
    PumpFor(std::chrono::milliseconds(20));
    input.pRecorder->events.clear();
    for (const Step& s : c.steps)
    {
      INPUT in = {};
      in.type = INPUT_MOUSE;
      in.mi.dx = s.flags == kMove ? 6 : 0;
      in.mi.dwFlags = s.flags;
      in.mi.dwExtraInfo = s.extra;
      ASSERT_EQ(SendInput(1, &in, sizeof(INPUT)), 1u);
      PumpFor(std::chrono::milliseconds(30));
    }
    std::vector<std::string> kinds;
    for (const std::string& kind : input.pRecorder->Kinds())
      if (kind != "over" && kind != "out")
        kinds.push_back(kind);
    EXPECT_EQ(kinds, c.expected);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

/** A knob on parameter 0, which hides the cursor while it is dragged; counts its releases. */
class CountingKnob : public IVKnobControl
{
public:
  explicit CountingKnob(const IRECT& bounds) : IVKnobControl(bounds, 0) {}
  void OnMouseUp(float x, float y, const IMouseMod& mod) override
  {
    ++ups;
    IVKnobControl::OnMouseUp(x, y, mod);
  }
  int ups = 0;
};

/** The thread's cursor display counter (the cursor shows while it is 0 or more). */
int CursorDisplayCount()
{
  ShowCursor(FALSE);
  return ShowCursor(TRUE);
}

// Alt+Tab, the Windows key or a dialog of the host take the mouse in the middle of a drag, and its
// button-up goes elsewhere.
TEST(WinInput, ADragWhoseCaptureIsTakenEndsWithItsGestureAndShowsTheCursor)
{
  struct Case
  {
    const char* name;
    void (*finish)(HWND editor, HWND host);
    int ups;
  };
  const Case cases[] = {
    {"the button comes up", [](HWND editor, HWND) { SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(100, 20)); }, 1},
    {"another window takes the capture", [](HWND, HWND host) { SetCapture(host); }, 0},
    {"the system takes the capture away", [](HWND, HWND) { ReleaseCapture(); }, 0},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    CountingKnob* pKnob = nullptr;
    Editor editor(200, 100, 2.f, 1, 60, [&](IGraphics* pGraphics) {
      pKnob = new CountingKnob(pGraphics->GetBounds());
      pGraphics->AttachControl(pKnob);
    });
    ASSERT_NE(pKnob, nullptr);
    editor.delegate.GetParam(0)->InitDouble("gain", 50., 0., 100., 0.1);
    const int shown = CursorDisplayCount();

    SendMessageW(editor.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 60));
    SendMessageW(editor.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 20));
    ASSERT_EQ(GetCapture(), editor.window);
    ASSERT_EQ(CursorDisplayCount(), shown - 1);
    ASSERT_NE(editor.delegate.GetParam(0)->Value(), 50.);
    c.finish(editor.window, editor.host.Get());
    // Whoever took the capture gives it back, so the next case starts without one.
    ReleaseCapture();
    PumpFor(std::chrono::milliseconds(20));

    EXPECT_EQ(CursorDisplayCount(), shown);
    EXPECT_EQ(editor.delegate.gesturesBegun, 1);
    EXPECT_EQ(editor.delegate.gesturesEnded, 1);
    EXPECT_EQ(pKnob->ups, c.ups);
    EXPECT_FALSE(editor.graphics->ControlIsCaptured(pKnob));
    // The mouse coming back with its button up moves nothing.
    const double value = editor.delegate.GetParam(0)->Value();
    SendMessageW(editor.window, WM_MOUSEMOVE, 0, MAKELPARAM(100, 80));
    EXPECT_EQ(editor.delegate.GetParam(0)->Value(), value);
  }
}

TEST(WinInput, WheelDeltaCountsWholeNotches)
{
  struct Case
  {
    short delta;
    float notches;
  };
  for (const Case& c : {Case{60, 0.f}, Case{-240, -2.f}, Case{120, 1.f}, Case{-119, 0.f}, Case{360, 3.f}})
  {
    SCOPED_TRACE(c.delta);
    InputEditor input;
    ASSERT_NE(input.pRecorder, nullptr);
    const POINT p = input.ScreenPoint(100, 60);
    SendMessageW(input.editor.window, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(c.delta)),
                 PointParam(p.x, p.y));
    ASSERT_EQ(input.pRecorder->Kinds(), std::vector<std::string>{"wheel"});
    const Event& e = input.pRecorder->events[0];
    EXPECT_FLOAT_EQ(e.wheel, c.notches);
    EXPECT_FLOAT_EQ(e.x, 50.f);
    EXPECT_FLOAT_EQ(e.y, 30.f);
    EXPECT_TRUE(e.mod.S);
  }
}

/** Records the keys that reach the host's top-level window, through a window procedure of its own. */
class RootKeyRecorder
{
public:
  explicit RootKeyRecorder(HWND root) : mRoot(root)
  {
    sKeys.clear();
    mSaved = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(root, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    sSaved = mSaved;
  }
  ~RootKeyRecorder() { SetWindowLongPtrW(mRoot, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mSaved)); }
  RootKeyRecorder(const RootKeyRecorder&) = delete;
  RootKeyRecorder& operator=(const RootKeyRecorder&) = delete;

  static inline std::vector<std::pair<UINT, WPARAM>> sKeys;

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
  {
    if (msg == WM_KEYDOWN || msg == WM_KEYUP)
      sKeys.emplace_back(msg, wParam);
    return CallWindowProcW(sSaved, wnd, msg, wParam, lParam);
  }

  static inline WNDPROC sSaved = nullptr;
  HWND mRoot;
  WNDPROC mSaved;
};

TEST(WinInput, KeysGoToTheControlAndUnhandledOnesToTheRootWindow)
{
  struct Case
  {
    UINT msg;
    WPARAM vk;
    bool handled;
    const char* kind;
    const char* text;
  };
  for (const Case& c :
       {Case{WM_KEYDOWN, 'A', true, "keydown", "a"}, Case{WM_KEYUP, 'A', true, "keyup", "a"},
        Case{WM_KEYDOWN, VK_RETURN, true, "keydown", "\r"}, Case{WM_KEYDOWN, VK_F5, true, "keydown", ""},
        Case{WM_KEYDOWN, 'Q', false, "keydown", "q"}, Case{WM_KEYUP, VK_SPACE, false, "keyup", " "}})
  {
    SCOPED_TRACE(std::to_string(c.msg) + " " + std::to_string(c.vk));
    InputEditor input;
    ASSERT_NE(input.pRecorder, nullptr);
    input.pRecorder->handlesKeys = c.handled;
    // The key goes to the control under the mouse.
    const POINT p = input.ScreenPoint(300, 100);
    SetCursorPos(p.x, p.y);
    input.pRecorder->events.clear();
    RootKeyRecorder root(input.editor.host.Get());
    const LPARAM lParam = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(c.vk), MAPVK_VK_TO_VSC) << 16) | 1;
    SendMessageW(input.editor.window, c.msg, c.vk, lParam);

    ASSERT_EQ(input.pRecorder->Kinds(), std::vector<std::string>{c.kind});
    const Event& e = input.pRecorder->events[0];
    EXPECT_EQ(e.vk, static_cast<int>(c.vk));
    EXPECT_EQ(e.text, c.text);
    EXPECT_FLOAT_EQ(e.x, 150.f);
    EXPECT_FLOAT_EQ(e.y, 50.f);
    const std::vector<std::pair<UINT, WPARAM>> expected = c.handled
                                                            ? std::vector<std::pair<UINT, WPARAM>>{}
                                                            : std::vector<std::pair<UINT, WPARAM>>{{c.msg, c.vk}};
    EXPECT_EQ(RootKeyRecorder::sKeys, expected);
  }
}

/** A German keyboard as ToUnicode sees it while it lives: 'ü' has a key of its own and '´' is a dead
 * key that the next key takes ('´' then 'e' is 'é'; '´' again gives both accents). The dead key
 * waits in the keyboard's state, which a translation takes unless it asks to keep it (0x4). */
class GermanKeyboard
{
public:
  GermanKeyboard() : mSaved(IGraphicsWin::sToUnicode)
  {
    sDeadKey = 0;
    IGraphicsWin::sToUnicode = Translate;
  }
  ~GermanKeyboard() { IGraphicsWin::sToUnicode = mSaved; }
  GermanKeyboard(const GermanKeyboard&) = delete;
  GermanKeyboard& operator=(const GermanKeyboard&) = delete;

  /** What the host's TranslateMessage makes of a key press: its characters, none for a dead key. */
  static std::wstring HostTranslate(UINT vk)
  {
    wchar_t chars[4] = {};
    const int n = Translate(vk, 0, nullptr, chars, 4, 0);
    return std::wstring(chars, n > 0 ? n : 0);
  }

private:
  static int WINAPI Translate(UINT vk, UINT, const BYTE*, LPWSTR chars, int, UINT flags)
  {
    constexpr wchar_t kAcute = L'\u00B4';
    const bool keep = (flags & 0x4) != 0;
    const wchar_t pending = sDeadKey;
    if (!keep)
      sDeadKey = 0;
    if (vk == VK_OEM_6)
    {
      if (pending)
      {
        chars[0] = pending;
        chars[1] = kAcute;
        return 2;
      }
      chars[0] = kAcute;
      if (!keep)
        sDeadKey = kAcute;
      return -1;
    }
    const wchar_t c = vk == VK_OEM_1 ? L'\u00FC' : vk == 'E' ? L'e' : 0;
    if (!c)
      return 0;
    if (!pending)
    {
      chars[0] = c;
      return 1;
    }
    if (c == L'e')
    {
      chars[0] = L'\u00E9';
      return 1;
    }
    chars[0] = pending;
    chars[1] = c;
    return 2;
  }

  static inline wchar_t sDeadKey = 0;
  IGraphicsWin::ToUnicodeFunc mSaved;
};

// The host translates each key press (TranslateMessage) before it hands the key to the editor.
TEST(WinInput, KeyTextIsTheLayoutsCharacterAndLeavesADeadKeyToTheHost)
{
  struct Case
  {
    const char* name;
    std::vector<UINT> keys;
    std::vector<std::string> controlTexts;
    std::wstring hostText;
  };
  const std::vector<Case> cases = {
    {"a letter beyond ASCII", {VK_OEM_1}, {"\xC3\xBC"}, L"\u00FC"},
    {"a dead key, then a letter it accents", {VK_OEM_6, 'E'}, {"e"}, L"\u00E9"},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    GermanKeyboard keyboard;
    InputEditor input;
    ASSERT_NE(input.pRecorder, nullptr);
    input.pRecorder->events.clear();
    std::wstring hostText;
    for (UINT vk : c.keys)
    {
      hostText += GermanKeyboard::HostTranslate(vk);
      SendMessageW(input.editor.window, WM_KEYDOWN, vk, 1);
    }
    std::vector<std::string> texts;
    for (const Event& e : input.pRecorder->events)
      if (e.kind == "keydown")
        texts.push_back(e.text);
    EXPECT_EQ(texts, c.controlTexts);
    EXPECT_EQ(hostText, c.hostText);
  }
}

/** A shell drop block as Explorer makes one: the header, then the wide paths, then an empty one. */
HDROP MakeDrop(const std::vector<std::wstring>& paths, POINT at)
{
  size_t chars = 1;
  for (const std::wstring& path : paths)
    chars += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* pDrop = static_cast<DROPFILES*>(GlobalLock(memory));
  pDrop->pFiles = sizeof(DROPFILES);
  pDrop->pt = at;
  pDrop->fWide = TRUE;
  auto* pText = reinterpret_cast<wchar_t*>(pDrop + 1);
  for (const std::wstring& path : paths)
  {
    std::copy(path.begin(), path.end(), pText);
    pText += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST(WinInput, DroppedFilesReachTheControlUnderThePoint)
{
  struct Case
  {
    std::vector<std::wstring> paths;
    const char* kind;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
    {{L"C:\\Samples\\pad.wav"}, "drop", {"C:\\Samples\\pad.wav"}},
    {{L"C:\\Samples\\Gr\u00FC\u00DFe \u266A.wav", L"D:\\b.wav"},
     "dropmultiple",
     {"C:\\Samples\\Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x99\xAA.wav",
      "D:\\b.wav"}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.kind);
    RecordingControl* pLeft = nullptr;
    RecordingControl* pRight = nullptr;
    Editor editor(200, 100, 2.f, 0, 60, [&](IGraphics* pGraphics) {
      pLeft = new RecordingControl(IRECT(0, 0, 100, 100));
      pRight = new RecordingControl(IRECT(100, 0, 200, 100));
      pGraphics->AttachControl(pLeft);
      pGraphics->AttachControl(pRight);
    });
    ASSERT_NE(pRight, nullptr);
    // Pixel 300 is unit 150, over the right-hand control.
    HDROP drop = MakeDrop(c.paths, POINT{300, 50});
    SendMessageW(editor.window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_TRUE(pLeft->events.empty());
    ASSERT_EQ(pRight->Kinds(), std::vector<std::string>{c.kind});
    EXPECT_EQ(pRight->events[0].paths, c.expected);
    // The drop block was given back.
    EXPECT_EQ(GlobalSize(drop), 0u);
  }
}

std::wstring TooltipText(HWND tooltip, HWND window)
{
  wchar_t text[80] = {};
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = window;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  info.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
  return text;
}

TEST(WinInput, HoverShowsTheTooltipOfTheControlUnderTheMouse)
{
  Editor editor(200, 100, 2.f, 0, 60, [](IGraphics* pGraphics) {
    pGraphics->AttachControl(new FillControl(pGraphics->GetBounds(), COLOR_GRAY));
    pGraphics->AttachControl(new RecordingControl(IRECT(0, 0, 100, 100)));
    auto* pTipped = new RecordingControl(IRECT(100, 0, 200, 100));
    pTipped->SetTooltip("Gr\xC3\xBC\xC3\x9F"
                        "e");
    pGraphics->AttachControl(pTipped);
    pGraphics->EnableTooltips(true);
  });
  ASSERT_NE(editor.window, nullptr);
  const HWND tooltip = FindOwnedWindow(L"tooltips_class32", editor.host.Get());
  ASSERT_NE(tooltip, nullptr);
  struct Case
  {
    int x;
    const wchar_t* text;
  };
  // Pixel 300 is over the control with a tooltip, pixel 50 over one without.
  for (const Case& c : {Case{300, L"Gr\u00FC\u00DFe"}, Case{50, L""}, Case{300, L"Gr\u00FC\u00DFe"}})
  {
    SendMessageW(editor.window, WM_MOUSEMOVE, 0, PointParam(c.x, 50));
    SendMessageW(editor.window, WM_MOUSEHOVER, 0, PointParam(c.x, 50));
    EXPECT_EQ(TooltipText(tooltip, editor.window), c.text) << c.x;
  }
  SendMessageW(editor.window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(TooltipText(tooltip, editor.window), L"");
}

TEST(WinInput, SetMouseCursorShowsTheSystemCursorAndAnswersThePreviousOne)
{
  const WORD ids[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};
  InputEditor input;
  ASSERT_NE(input.pRecorder, nullptr);
  IGraphicsWin& graphics = *input.editor.graphics;
  graphics.SetMouseCursor(ECursor::ARROW);
  ECursor previous = ECursor::ARROW;
  for (int value = 13; value >= 0; --value)
  {
    const auto cursor = static_cast<ECursor>(value);
    EXPECT_EQ(graphics.SetMouseCursor(cursor), previous) << value;
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(ids[value]))) << value;
    previous = cursor;
  }
  // A value beyond the known shapes shows the arrow.
  graphics.SetMouseCursor(static_cast<ECursor>(99));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

TEST(WinInput, MouseLocationAndMovesAreInEditorUnits)
{
  InputEditor input;
  ASSERT_NE(input.pRecorder, nullptr);
  IGraphicsWin& graphics = *input.editor.graphics;
  const POINT p = input.ScreenPoint(100, 60);
  SetCursorPos(p.x, p.y);
  float x = 0.f;
  float y = 0.f;
  graphics.GetMouseLocation(x, y);
  EXPECT_FLOAT_EQ(x, 50.f);
  EXPECT_FLOAT_EQ(y, 30.f);

  graphics.MoveMouseCursor(25.25f, 10.f);
  POINT now;
  GetCursorPos(&now);
  const POINT expected = input.ScreenPoint(51, 20);
  EXPECT_EQ(now.x, expected.x);
  EXPECT_EQ(now.y, expected.y);
}

} // namespace
} // namespace wintest
