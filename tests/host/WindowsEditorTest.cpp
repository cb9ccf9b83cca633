// The real module's editor under Wine, end to end: a host frame of the test's own gets the editor
// window, the test posts the Win32 messages a user's mouse and keyboard would make, answers the
// modal dialogs from a watchdog thread and looks at what the editor drew through OpenGL. The editor
// is made at draw scale 0.75, so window pixels are editor units times 0.75.
#include "tests/host/BrimvaleEditorSpots.h"
#include "tests/host/BrimvaleModuleFixture.h"
#include "tests/host/WindowsEditorHost.h"
#include "tools/host/HostedView.h"
#include "tools/host/Render.h"

#include "igraphics/IRECT.h"

#include <GL/gl.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace testhost
{
namespace
{

using iplug::igraphics::IRECT;
using Kind = RecordingComponentHandler::EKind;
using namespace std::chrono_literals;

constexpr float kDrawScale = 0.75f;
constexpr int kWindowWidth = 1110, kWindowHeight = 270;

const IRECT kFilterMode(822, 70, 926, 92);

constexpr int kParamBlend = 16;
constexpr int kParamFilterMode = 23;

// The file name field of the system's open dialog (explorer style).
constexpr int kFileNameCombo = 0x47c;

int Px(float units)
{
  return static_cast<int>(std::lround(units * kDrawScale));
}

LPARAM PointParam(float x, float y)
{
  return MAKELPARAM(Px(x), Px(y));
}

std::wstring Wide(const std::string& utf8)
{
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.pop_back();
  return wide;
}

/** A shell drop of the files at a client point, in global memory as the shell makes it. */
HGLOBAL MakeDrop(const std::vector<std::string>& paths, POINT at)
{
  std::wstring list;
  for (const std::string& path : paths)
    list += Wide(path) + L'\0';
  list += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = at;
  drop->fNC = FALSE;
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

bool IsCyan(const unsigned char* c)
{
  return c[1] > 150 && c[2] > 160 && c[0] < 60;
}

bool IsText(const unsigned char* c)
{
  return c[0] > 150 && c[1] > 160 && c[2] > 170;
}

bool IsMenuHighlight(const unsigned char* c)
{
  return c[0] < 60 && c[1] < 60 && c[2] > 200;
}

std::string ClipboardText()
{
  std::string text;
  if (!OpenClipboard(nullptr))
    return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
  {
    const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    text.resize(n > 0 ? n - 1 : 0);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool PutClipboardText(const std::wstring& text)
{
  if (!OpenClipboard(nullptr))
    return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  const bool stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return stored;
}

class WindowsEditorTest : public BrimvaleModuleTest
{
protected:
  void SetUp() override
  {
    instance = MakeInstance();
    ASSERT_TRUE(instance);
    instance->Controller().setComponentHandler(handler);
    frame = std::make_unique<HostFrame>(kWindowWidth, kWindowHeight);
    ASSERT_TRUE(frame->Get());
    Open();
  }

  void TearDown() override
  {
    view.reset();
    if (instance)
      instance->Controller().setComponentHandler(nullptr);
    instance.reset();
    frame.reset();
  }

  void Open()
  {
    view = HostedView::Create(*instance);
    ASSERT_TRUE(view);
    ASSERT_EQ(view->Attach(frame->Get(), Steinberg::kPlatformTypeHWND), Steinberg::kResultOk);
    const std::vector<HWND> editors = EditorWindowsOf(frame->Get());
    ASSERT_EQ(editors.size(), 1u);
    editor = editors.front();
    PumpFor(50ms);
  }

  void Post(UINT msg, WPARAM wParam, LPARAM lParam)
  {
    ASSERT_TRUE(PostMessageW(editor, msg, wParam, lParam));
    PumpMessages();
  }

  void Click(float x, float y)
  {
    Post(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
    Post(WM_LBUTTONUP, 0, PointParam(x, y));
  }

  /** A drag upwards in steps of 8 units, the mouse's messages as the system posts them. */
  void DragUp(const IRECT& r, int steps)
  {
    float y = r.MH();
    Post(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(r.MW(), y));
    for (int i = 0; i < steps; ++i)
    {
      y -= 8.f;
      Post(WM_MOUSEMOVE, MK_LBUTTON, PointParam(r.MW(), y));
    }
    Post(WM_LBUTTONUP, 0, PointParam(r.MW(), y));
  }

  /** A wheel turn over a point; the system gives its position in screen coordinates. */
  void Wheel(float x, float y, short delta)
  {
    POINT p = {Px(x), Px(y)};
    ClientToScreen(editor, &p);
    Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(p.x, p.y));
  }

  void Key(UINT virtualKey)
  {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    Post(WM_KEYDOWN, virtualKey, 1 | scan);
    Post(WM_KEYUP, virtualKey, 1 | scan | (1LL << 30) | (1LL << 31));
  }

  void Type(const char* text)
  {
    for (const char* c = text; *c; ++c)
      Key(*c == '.' ? VK_OEM_PERIOD : static_cast<UINT>(*c));
  }

  /** A key with Control held, in the thread's key state as well as in the messages. */
  void ControlKey(UINT virtualKey)
  {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    SetKeyboardState(state);
    Key(virtualKey);
    state[VK_CONTROL] = state[VK_LCONTROL] = 0;
    SetKeyboardState(state);
  }

  /** What the editor shows once its redraw ticks have painted what the last input changed; written
   * into the build tree as name. */
  Pixels Snapshot(const std::string& name)
  {
    PumpFor(100ms);
    Pixels pixels = ReadGLWindowPixels(editor, GL_BACK);
    EXPECT_TRUE(WritePNG(pixels, std::string(SNAPSHOT_DIR) + "/" + name)) << name;
    return pixels;
  }

  static std::vector<unsigned char> Cut(const Pixels& p, const IRECT& r)
  {
    return p.Cut(Px(r.L), Px(r.T), Px(r.R), Px(r.B));
  }

  std::vector<RecordingComponentHandler::Call> Taken()
  {
    const auto& calls = handler->Calls();
    std::vector<RecordingComponentHandler::Call> taken(calls.begin() + static_cast<long>(mSeen), calls.end());
    mSeen = calls.size();
    return taken;
  }

  /** Expects the calls to be one gesture on the parameter: begin, edits, end. */
  static void ExpectOneGesture(const std::vector<RecordingComponentHandler::Call>& calls, int id)
  {
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().kind, Kind::kBegin);
    EXPECT_EQ(calls.back().kind, Kind::kEnd);
    for (const auto& call : calls)
      EXPECT_EQ(call.id, static_cast<Steinberg::Vst::ParamID>(id));
    for (size_t i = 1; i + 1 < calls.size(); ++i)
      EXPECT_EQ(calls[i].kind, Kind::kPerform) << i;
  }

  double Normalized(int id) { return instance->Controller().getParamNormalized(id); }

  /** Opens the drawn text entry of the Blend knob's value, below its dial. */
  void OpenBlendEntry()
  {
    Click(kBlendKnob.MW(), kBlendKnob.B - 5.f);
    PumpFor(50ms);
    Taken();
  }

  Steinberg::IPtr<RecordingComponentHandler> handler = Steinberg::owned(new RecordingComponentHandler());
  std::unique_ptr<HostedInstance> instance;
  std::unique_ptr<HostFrame> frame;
  std::unique_ptr<HostedView> view;
  HWND editor = nullptr;
  size_t mSeen = 0;
};

} // namespace

TEST_F(WindowsEditorTest, TheEditorWindowShowsThePanelsAndKnobsAtDrawScale)
{
  RECT client = {};
  GetClientRect(editor, &client);
  EXPECT_EQ(client.right, kWindowWidth);
  EXPECT_EQ(client.bottom, kWindowHeight);

  const Pixels shown = Snapshot("windows-editor.png");
  ASSERT_EQ(shown.width, kWindowWidth);
  ASSERT_EQ(shown.height, kWindowHeight);
  for (const PanelSpot& s : kPanelSpots)
  {
    const unsigned char* c = shown.At(Px(s.x), Px(s.y));
    EXPECT_TRUE(std::abs(c[0] - s.r) <= 4 && std::abs(c[1] - s.g) <= 4 && std::abs(c[2] - s.b) <= 4)
      << s.what << ": " << int(c[0]) << "," << int(c[1]) << "," << int(c[2]);
  }
  const IRECT& k = kBlendKnob;
  EXPECT_GT(shown.Count(Px(k.L), Px(k.T + 20), Px(k.R), Px(k.B - 20), IsCyan), 20) << "the Blend knob's arc";
  EXPECT_GT(shown.Count(Px(k.L), Px(k.T), Px(k.R), Px(k.T + 14), IsText), 3) << "the Blend knob's label";
  EXPECT_GT(shown.Count(Px(kLoadA.L), Px(kLoadA.T), Px(kLoadA.R), Px(kLoadA.B), IsText), 30) << "\"Load audio\"";
}

TEST_F(WindowsEditorTest, ADragOnTheBlendKnobIsOneHostGesture)
{
  const Pixels before = Snapshot("windows-drag-before.png");
  DragUp(kBlendKnob, 40);
  ExpectOneGesture(Taken(), kParamBlend);
  EXPECT_DOUBLE_EQ(Normalized(kParamBlend), 1.0);
  EXPECT_NE(Cut(Snapshot("windows-drag-after.png"), kBlendKnob), Cut(before, kBlendKnob)) << "the knob turned";
}

// A knob without whole steps moves by a hundredth of its range per notch of the wheel, and not at
// all for less than a notch; each turn reaches the host as the knob's new value.
TEST_F(WindowsEditorTest, TheWheelTurnsAKnobByWholeNotchesOnly)
{
  const struct
  {
    short delta;
    double change;
  } turns[] = {{120, 0.01}, {60, 0.0}, {-240, -0.02}, {-119, 0.0}, {360, 0.03}};
  for (const auto& turn : turns)
  {
    const double before = Normalized(kParamBlend);
    Wheel(kBlendKnob.MW(), kBlendKnob.MH(), turn.delta);
    EXPECT_NEAR(Normalized(kParamBlend) - before, turn.change, 1e-9) << turn.delta;
    const auto calls = Taken();
    ExpectOneGesture(calls, kParamBlend);
    EXPECT_DOUBLE_EQ(calls.size() == 3 ? calls[1].value : -1.0, Normalized(kParamBlend)) << turn.delta;
  }
}

// The instrument's menus are drawn inside the editor, not the system's: choosing works with the
// mouse alone and no native menu ever opens.
TEST_F(WindowsEditorTest, TheFilterModeMenuIsDrawnAndChosenWithTheMouse)
{
  DialogWatchdog watchdog([](HWND) {}, 6s);
  Click(kFilterMode.MW(), kFilterMode.MH());
  PumpFor(500ms); // the button's splash, then the menu fades in below it
  Post(WM_MOUSEMOVE, 0, PointParam(kFilterMode.MW(), kFilterMode.B + 12.f));
  const Pixels open = Snapshot("windows-menu-open.png");
  EXPECT_TRUE(ProcessWindowsOfClass(L"#32768").empty()) << "a native menu opened";

  // The first item is highlighted under the mouse (its text drawn over the highlight); the second
  // lies one highlight and a gap below.
  const int x = Px(kFilterMode.MW());
  const auto highlighted = [&](int y) { return open.Count(x - 40, y, x + 40, y + 1, IsMenuHighlight) > 20; };
  int top = Px(kFilterMode.B);
  while (top < open.height && !highlighted(top))
    ++top;
  int bottom = top;
  while (bottom + 1 < open.height && highlighted(bottom + 1))
    ++bottom;
  ASSERT_LT(top, open.height) << "no highlighted menu item below the button";
  const float second = (bottom + 1) / kDrawScale + 2.f + (bottom + 1 - top) / kDrawScale / 2.f;
  Taken();
  Click(kFilterMode.MW(), second);
  ASSERT_TRUE(PumpUntil([&] { return handler->Calls().size() >= mSeen + 3; }));
  const auto calls = Taken();
  ExpectOneGesture(calls, kParamFilterMode);
  EXPECT_NEAR(calls.size() == 3 ? calls[1].value : -1.0, 0.2, 1e-9) << "Highpass, the second of six modes";
  EXPECT_NEAR(Normalized(kParamFilterMode), 0.2, 1e-9);
  EXPECT_EQ(watchdog.Answered(), 0);
}

// The instrument types values into its own drawn field (the editor attaches one), so the keys are
// the window's WM_KEYDOWN messages; no native EDIT is made.
TEST_F(WindowsEditorTest, ATypedValueCommitsOnEnterAndEscapeCancels)
{
  OpenBlendEntry();
  EXPECT_EQ(FindWindowExW(editor, nullptr, L"EDIT", nullptr), nullptr);
  Type("0.25");
  EXPECT_TRUE(Taken().empty()) << "nothing before Enter";
  Key(VK_RETURN);
  PumpFor(30ms);
  const auto calls = Taken();
  ExpectOneGesture(calls, kParamBlend);
  EXPECT_NEAR(calls.back().kind == Kind::kEnd ? calls[calls.size() - 2].value : -1.0, 0.25, 1e-9);
  EXPECT_NEAR(Normalized(kParamBlend), 0.25, 1e-9);

  OpenBlendEntry();
  Type("7");
  Key(VK_ESCAPE);
  PumpFor(30ms);
  EXPECT_TRUE(Taken().empty());
  EXPECT_NEAR(Normalized(kParamBlend), 0.25, 1e-9);
}

TEST_F(WindowsEditorTest, TheTypedFieldCopiesToAndPastesFromTheSystemClipboard)
{
  ASSERT_TRUE(PutClipboardText(L"before"));
  OpenBlendEntry();
  ControlKey('C'); // the whole value is selected when the field opens
  const std::string copied = ClipboardText();
  EXPECT_NE(copied, "before");
  EXPECT_NEAR(std::atof(copied.c_str()), 0.5, 1e-9) << copied;
  Key(VK_ESCAPE);
  PumpFor(30ms);

  ASSERT_TRUE(PutClipboardText(L"0.3"));
  OpenBlendEntry();
  ControlKey('V');
  Key(VK_RETURN);
  PumpFor(30ms);
  EXPECT_NEAR(Normalized(kParamBlend), 0.3, 1e-9);
}

TEST_F(WindowsEditorTest, AWavDroppedOnASlotLoadsIntoThatLayerUnderItsName)
{
  const std::string nordic = WriteToneWav("Nordlicht über Tromsø – Klang.wav", 440.0, 4800, 0.3f);
  const std::string other = WriteToneWav("ζώνη.wav", 1000.0, 4800, 0.3f);
  const struct
  {
    const char* what;
    IRECT slot;
    std::vector<std::string> files;
    const std::string& pathA;
    const std::string& pathB;
  } drops[] = {
    {"one file on A", kLoadA, {nordic}, nordic, ""},
    {"two files on B: the first loads", kLoadB, {other, nordic}, nordic, other},
  };
  for (const auto& d : drops)
  {
    const Pixels before = Snapshot("windows-drop-before.png");
    Post(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(d.files, {Px(d.slot.MW()), Px(d.slot.MH())})), 0);
    PumpFor(30ms);
    const BrimvaleState state = StateOf(*instance);
    EXPECT_EQ(state.pathA, d.pathA) << d.what;
    EXPECT_EQ(state.pathB, d.pathB) << d.what;
    EXPECT_NE(Cut(Snapshot("windows-drop-after.png"), d.slot), Cut(before, d.slot)) << d.what << ": the label";
  }
  EXPECT_TRUE(Taken().empty()) << "loading a sample edits no parameter";

  // Both layers now play what was dropped on them.
  ASSERT_TRUE(instance->Start(48000.0, 480));
  Channels out;
  ASSERT_TRUE(Render(*instance, 9600, 480, {}, out));
  ASSERT_FALSE(out.empty());
  const auto loudest = std::max_element(out[0].begin(), out[0].end(),
                                        [](float a, float b) { return std::abs(a) < std::abs(b); });
  EXPECT_GT(std::abs(*loudest), 0.05f);
}

TEST_F(WindowsEditorTest, TheLoadButtonsFileDialogAnsweredWithAWavLoadsIt)
{
  const std::string tone = WriteToneWav("Åbent vindue.wav", 440.0, 4800, 0.3f);
  DialogWatchdog watchdog(
    [&](HWND dialog) {
      SetDialogItemText(dialog, kFileNameCombo, Wide(tone));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    },
    6s);
  const Pixels before = Snapshot("windows-dialog-before.png");
  Post(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(kLoadB.MW(), kLoadB.MH())); // returns when the dialog has
  EXPECT_TRUE(PumpUntil([&] { return StateOf(*instance).pathB == tone; }, 2s));
  Post(WM_LBUTTONUP, 0, PointParam(kLoadB.MW(), kLoadB.MH()));
  EXPECT_EQ(watchdog.Answered(), 1);
  EXPECT_FALSE(watchdog.TimedOut());
  EXPECT_EQ(StateOf(*instance).pathA, "");
  EXPECT_NE(Cut(Snapshot("windows-dialog-after.png"), kLoadB), Cut(before, kLoadB)) << "the label";
}

// A thread timer runs inside every modal loop of the thread, as a host's own timers do: this one
// removes the view once a dialog of this process shows, as a host that closes a project would.
HostedView* sViewToClose = nullptr;
HWND sFrameOfView = nullptr;
std::atomic<bool> sViewClosed{false};

void CALLBACK CloseTheViewOnceADialogShows(HWND, UINT, UINT_PTR id, DWORD)
{
  if (ProcessWindowsOfClass(L"#32770").empty())
    return;
  KillTimer(nullptr, id);
  EXPECT_EQ(sViewToClose->Remove(), Steinberg::kResultOk);
  // The host may destroy its frame right after: the editor's window is no longer in it.
  EXPECT_TRUE(EditorWindowsOf(sFrameOfView).empty()) << "the host has its window back at once";
  sViewClosed = true;
}

// The host takes the editor's window back at once, the file chosen afterwards goes nowhere, and the
// editor's own window goes once the press that opened the dialog is handled.
TEST_F(WindowsEditorTest, AFileChosenAfterTheHostClosedTheEditorUnderTheDialogGoesNowhere)
{
  const std::string tone = WriteToneWav("closed-under-the-dialog.wav", 440.0, 4800, 0.3f);
  sViewToClose = view.get();
  sFrameOfView = frame->Get();
  sViewClosed = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseTheViewOnceADialogShows);
  ASSERT_NE(timer, 0u);
  DialogWatchdog watchdog(
    [&](HWND dialog) {
      const auto end = std::chrono::steady_clock::now() + 3s;
      while (!sViewClosed && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(10ms);
      SetDialogItemText(dialog, kFileNameCombo, Wide(tone));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    },
    6s);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(kLoadB.MW(), kLoadB.MH())); // returns when the dialog has
  KillTimer(nullptr, timer);
  EXPECT_TRUE(sViewClosed);
  PumpFor(100ms);
  EXPECT_EQ(StateOf(*instance).pathB, "");
  EXPECT_EQ(watchdog.Answered(), 1);
  EXPECT_FALSE(watchdog.TimedOut());
  EXPECT_TRUE(EditorWindowsOf(frame->Get()).empty());
  EXPECT_EQ(FindWindowExW(HWND_MESSAGE, nullptr, L"IPlugWndClass", nullptr), nullptr)
    << "the editor's window, given back to the host at once, went when the press was handled";
  EXPECT_TRUE(Taken().empty());

  Open(); // the host's next editor opens in the same frame
}

// Every close takes the window, its class and its redraw source with it, however often a host
// closes and reopens the editor.
TEST_F(WindowsEditorTest, ClosingAndReopeningTenTimesLeavesNothingBehind)
{
  HMODULE module = GetModuleHandleW(L"Brimvale.vst3");
  ASSERT_TRUE(module);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  EXPECT_TRUE(GetClassInfoExW(module, L"IPlugWndClass", &wc)) << "registered while open";
  // Whatever the system starts on the first window of a process is there from now on.
  ASSERT_EQ(view->Remove(), Steinberg::kResultOk);
  PumpFor(50ms);
  const int threads = ThreadCount();
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 10; ++i)
  {
    Open();
    ASSERT_EQ(view->Remove(), Steinberg::kResultOk) << i;
    EXPECT_TRUE(EditorWindowsOf(frame->Get()).empty()) << i;
    EXPECT_FALSE(GetClassInfoExW(module, L"IPlugWndClass", &wc)) << i;
  }
  EXPECT_TRUE(PumpUntil([&] { return ThreadCount() <= threads; }, 2s))
    << ThreadCount() << " threads, " << threads << " before";
  // Wine counts no GDI or USER objects (both 0); where the system does, none may be left.
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
}

} // namespace testhost
