// The editor window's life beside a host: a system whose OpenGL cannot draw the editor, a host that
// destroys its own window before it closes the editor, an elevated host's drops, and ticks that are
// still queued while the editor closes from inside one of its own calls.
#include "WinEditorFixture.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <tuple>
#include <vector>

using namespace iplug::igraphics;

namespace wintest
{
namespace
{

// What a drop from another process brings along besides WM_DROPFILES and WM_COPYDATA.
constexpr UINT kCopyGlobalData = 0x0049;

/** Stands in for wglGetProcAddress while it lives, as the OpenGL of another system answers. */
class PoseAsGLDriver
{
public:
  explicit PoseAsGLDriver(IGraphicsWin::GLProcAddressFunc lookup) : mSaved(IGraphicsWin::sGLProcAddress)
  {
    IGraphicsWin::sGLProcAddress = lookup;
  }
  ~PoseAsGLDriver() { IGraphicsWin::sGLProcAddress = mSaved; }
  PoseAsGLDriver(const PoseAsGLDriver&) = delete;
  PoseAsGLDriver& operator=(const PoseAsGLDriver&) = delete;

private:
  IGraphicsWin::GLProcAddressFunc mSaved;
};

// Microsoft's own renderer is OpenGL 1.1, all of which opengl32 exports itself: the lookup knows
// nothing.
PROC WINAPI GenericRendererLookup(LPCSTR)
{
  return nullptr;
}

// A driver that offers framebuffers only under their EXT names (glGenFramebuffersEXT).
PROC WINAPI ExtFramebuffersOnlyLookup(LPCSTR name)
{
  const std::string_view n(name);
  const bool framebufferCall = n.find("Framebuffer") != n.npos || n.find("Renderbuffer") != n.npos;
  const bool extName = n.size() > 3 && n.substr(n.size() - 3) == "EXT";
  return framebufferCall && !extName ? nullptr : wglGetProcAddress(name);
}

/** A control that counts how often the editor asks it for drawing, and runs a function when clicked. */
class ProbeControl : public FillControl
{
public:
  ProbeControl(const IRECT& bounds, std::function<void()> onClick)
  : FillControl(bounds, COLOR_RED)
  , mOnClick(std::move(onClick))
  {}
  ~ProbeControl() override { ++sDeleted; }
  bool IsDirty() override
  {
    ++dirtyChecks;
    return true;
  }
  void OnMouseDown(float, float, const IMouseMod&) override { mOnClick(); }

  int dirtyChecks = 0;
  static inline int sDeleted = 0;

private:
  std::function<void()> mOnClick;
};

/** An editor on a parent window, laid out with one probe control over all of it. */
struct ProbedEditor
{
  ProbedEditor(HWND parent, std::function<void()> onClick)
  : graphics(std::make_unique<IGraphicsWin>(delegate, 300, 200, 60, 1.f))
  {
    delegate.SetLayoutFunc([this, onClick](IGraphics* pGraphics) {
      pProbe = new ProbeControl(IRECT(0, 0, 300, 200), onClick);
      pGraphics->AttachControl(pProbe);
    });
    graphics->SetWinModuleHandle(GetModuleHandleW(nullptr));
    window = static_cast<HWND>(graphics->OpenWindow(parent));
  }
  ~ProbedEditor()
  {
    if (graphics)
      graphics->CloseWindow();
  }
  /** A left click at the window's top-left corner, as the system delivers it. */
  void Click() const { SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }

  TestDelegate delegate;
  std::unique_ptr<IGraphicsWin> graphics;
  ProbeControl* pProbe = nullptr;
  HWND window = nullptr;
};

/** A host's own OpenGL drawing on its own window: a context, and textures and buffers in it. */
class HostGL
{
public:
  explicit HostGL(HWND window) : mWindow(window), mDC(GetDC(window))
  {
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    SetPixelFormat(mDC, ChoosePixelFormat(mDC, &pfd), &pfd);
    mRC = wglCreateContext(mDC);
    MakeCurrent();
    gladLoaderLoadGL();
    glGenTextures(kCount, mTextures.data());
    glGenBuffers(kCount, mBuffers.data());
    // A name becomes an object when it is first bound.
    for (int i = 0; i < kCount; ++i)
    {
      glBindTexture(GL_TEXTURE_2D, mTextures[i]);
      glBindBuffer(GL_ARRAY_BUFFER, mBuffers[i]);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
  }
  ~HostGL()
  {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(mRC);
    ReleaseDC(mWindow, mDC);
  }
  HostGL(const HostGL&) = delete;
  HostGL& operator=(const HostGL&) = delete;

  bool Ready() const { return mRC && mTextures[kCount - 1] != 0 && mBuffers[kCount - 1] != 0; }
  void MakeCurrent() const { wglMakeCurrent(mDC, mRC); }
  bool IsCurrent() const { return wglGetCurrentContext() == mRC; }
  /** The host's textures and buffers that still exist, asked in its own context. */
  int LiveObjects() const
  {
    MakeCurrent();
    return static_cast<int>(std::count_if(mTextures.begin(), mTextures.end(), [](GLuint t) { return glIsTexture(t); }) +
                            std::count_if(mBuffers.begin(), mBuffers.end(), [](GLuint b) { return glIsBuffer(b); }));
  }
  static constexpr int kCount = 16;

private:
  HWND mWindow;
  HDC mDC;
  HGLRC mRC = nullptr;
  std::array<GLuint, kCount> mTextures = {};
  std::array<GLuint, kCount> mBuffers = {};
};

/** The host's frame for the editor: a child of its top-level window. */
HWND CreateEditorFrame(HWND host)
{
  return CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, host, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST(WinWindowLife, OpenGLThatCannotDrawTheEditorOpensNoWindowAndALaterOpenWorks)
{
  struct Case
  {
    const char* system;
    IGraphicsWin::GLProcAddressFunc lookup;
  };
  for (const Case& c : {Case{"OpenGL 1.1 alone", GenericRendererLookup},
                        Case{"framebuffers under EXT names only", ExtFramebuffersOnlyLookup}})
  {
    SCOPED_TRACE(c.system);
    HostWindow host;
    TestDelegate delegate;
    FillControl* pFill = nullptr;
    delegate.SetLayoutFunc([&](IGraphics* pGraphics) {
      pFill = new FillControl(IRECT(0, 0, 300, 200), COLOR_RED);
      pGraphics->AttachControl(pFill);
    });
    IGraphicsWin graphics(delegate, 300, 200, 60, 1.f);
    graphics.SetWinModuleHandle(GetModuleHandleW(nullptr));
    {
      const PoseAsGLDriver driver(c.lookup);
      EXPECT_EQ(graphics.OpenWindow(host.Get()), nullptr);
    }
    EXPECT_FALSE(graphics.WindowIsOpen());
    EXPECT_EQ(GetWindow(host.Get(), GW_CHILD), nullptr);
    EXPECT_FALSE(WindowClassRegistered());
    // The host goes on: its window takes messages, and the same editor opens where OpenGL can draw it.
    PumpFor(std::chrono::milliseconds(50));
    ASSERT_NE(graphics.OpenWindow(host.Get()), nullptr);
    EXPECT_TRUE(PumpUntilDrawn(pFill));
    graphics.CloseWindow();
    EXPECT_FALSE(WindowClassRegistered());
  }
}

// The host destroys its frame, and the editor's window with it, before it closes the editor: the
// editor's teardown must reach neither the host's context nor the objects in it. A host may do so
// from a modal loop that a click on the editor runs (a menu, a dialog), while the clicked control is
// still in use. A native text entry that has the keyboard takes the editor's messages, but not this.
TEST(WinWindowLife, HostThatDestroysItsFrameFirstKeepsItsOwnOpenGL)
{
  enum class EWhen
  {
    BetweenEvents,
    InsideAClick,
    DuringATextEntry
  };
  for (const EWhen when : {EWhen::BetweenEvents, EWhen::InsideAClick, EWhen::DuringATextEntry})
  {
    SCOPED_TRACE(when == EWhen::BetweenEvents  ? "between events"
                 : when == EWhen::InsideAClick ? "inside a click"
                                               : "during a text entry");
    const int deletedBefore = ProbeControl::sDeleted;
    HostWindow host;
    const HostGL hostGL(host.Get());
    ASSERT_TRUE(hostGL.Ready());
    const HWND frame = CreateEditorFrame(host.Get());
    // Hosts draw their own views between the editor's frames.
    const auto destroyFrame = [&] {
      hostGL.MakeCurrent();
      DestroyWindow(frame);
    };
    int deletedDuringTheClick = 0;
    ProbedEditor editor(frame, [&] {
      destroyFrame();
      deletedDuringTheClick = ProbeControl::sDeleted - deletedBefore;
    });
    ASSERT_NE(editor.window, nullptr);
    ASSERT_TRUE(PumpUntilDrawn(editor.pProbe));

    if (when == EWhen::DuringATextEntry)
    {
      editor.graphics->CreateTextEntry(*editor.pProbe, IText(), IRECT(10, 10, 150, 40), "5");
      const HWND edit = GetWindow(editor.window, GW_CHILD);
      ASSERT_NE(edit, nullptr);
      ASSERT_EQ(GetFocus(), edit);
    }
    if (when == EWhen::InsideAClick)
      editor.Click();
    else
      destroyFrame();
    EXPECT_EQ(deletedDuringTheClick, 0);
    EXPECT_FALSE(IsWindow(editor.window));
    EXPECT_FALSE(editor.graphics->WindowIsOpen());
    PumpFor(std::chrono::milliseconds(50));
    IGraphics::CloseAndDelete(std::move(editor.graphics));

    EXPECT_TRUE(hostGL.IsCurrent());
    EXPECT_EQ(hostGL.LiveObjects(), 2 * HostGL::kCount);
    EXPECT_EQ(ProbeControl::sDeleted, deletedBefore + 1);
    EXPECT_FALSE(WindowClassRegistered());
    const ProbedEditor next(host.Get(), [] {});
    ASSERT_NE(next.window, nullptr);
    EXPECT_TRUE(PumpUntilDrawn(next.pProbe));
  }
}

// A host that draws with OpenGL itself has its context current when it opens the editor, and finds it
// current afterwards: opening and drawing the editor, and an opening that fails.
TEST(WinWindowLife, TheHostsOpenGLContextStaysCurrentAcrossTheEditor)
{
  for (const bool openGLCanDraw : {true, false})
  {
    SCOPED_TRACE(openGLCanDraw ? "opened" : "failed");
    HostWindow host;
    const HostGL hostGL(host.Get());
    ASSERT_TRUE(hostGL.Ready());
    const HWND frame = CreateEditorFrame(host.Get());
    hostGL.MakeCurrent();
    const PoseAsGLDriver driver(openGLCanDraw ? wglGetProcAddress : GenericRendererLookup);
    ProbedEditor editor(frame, [] {});
    EXPECT_EQ(editor.window != nullptr, openGLCanDraw);
    EXPECT_TRUE(hostGL.IsCurrent());
    if (!openGLCanDraw)
      continue;
    EXPECT_TRUE(PumpUntilDrawn(editor.pProbe));
    EXPECT_TRUE(hostGL.IsCurrent());
    EXPECT_EQ(hostGL.LiveObjects(), 2 * HostGL::kCount);
  }
}

/** Records what the window lets through from lower integrity levels while it lives, answering as
 * told; a null answer poses as a system without the call. */
class RecordMessageFilter
{
public:
  using Call = std::tuple<HWND, UINT, DWORD, PCHANGEFILTERSTRUCT>;
  explicit RecordMessageFilter(IGraphicsWin::MessageFilterFunc filter)
  : mSaved(IGraphicsWin::sChangeWindowMessageFilterEx)
  {
    sCalls.clear();
    IGraphicsWin::sChangeWindowMessageFilterEx = filter;
  }
  ~RecordMessageFilter() { IGraphicsWin::sChangeWindowMessageFilterEx = mSaved; }
  RecordMessageFilter(const RecordMessageFilter&) = delete;
  RecordMessageFilter& operator=(const RecordMessageFilter&) = delete;

  static BOOL WINAPI Allowing(HWND window, UINT msg, DWORD action, PCHANGEFILTERSTRUCT info)
  {
    sCalls.emplace_back(window, msg, action, info);
    return TRUE;
  }
  static BOOL WINAPI Refusing(HWND window, UINT msg, DWORD action, PCHANGEFILTERSTRUCT info)
  {
    Allowing(window, msg, action, info);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  static std::vector<Call> Calls()
  {
    std::vector<Call> calls = sCalls;
    std::sort(calls.begin(), calls.end());
    return calls;
  }

private:
  static inline std::vector<Call> sCalls;
  IGraphicsWin::MessageFilterFunc mSaved;
};

// Explorer runs at a lower integrity level than an elevated host, and the system holds its drop
// messages back unless the window lets them through.
TEST(WinWindowLife, ElevatedHostTakesFilesDroppedFromExplorer)
{
  struct Case
  {
    const char* system;
    IGraphicsWin::MessageFilterFunc filter;
    bool asked;
  };
  for (const Case& c : {Case{"allows", RecordMessageFilter::Allowing, true},
                        Case{"refuses", RecordMessageFilter::Refusing, true}, Case{"has no such call", nullptr, false}})
  {
    SCOPED_TRACE(c.system);
    const RecordMessageFilter record(c.filter);
    Editor editor;
    ASSERT_NE(editor.window, nullptr);
    std::vector<RecordMessageFilter::Call> expected;
    if (c.asked)
      for (UINT msg : {kCopyGlobalData, static_cast<UINT>(WM_COPYDATA), static_cast<UINT>(WM_DROPFILES)})
        expected.emplace_back(editor.window, msg, static_cast<DWORD>(MSGFLT_ALLOW), nullptr);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(RecordMessageFilter::Calls(), expected);
  }
}

// A host closes the editor from inside a modal loop that a click runs: the editor gives the host its
// window back at once and closes when the click returns. Ticks already queued for it then (a
// timer's, the vertical-blank thread's, a paint) reach the loop while it closes.
TEST(WinWindowLife, TicksQueuedForAnEditorClosingInsideItsOwnCallReachNothing)
{
  HostWindow host;
  std::unique_ptr<ProbedEditor> editor;
  int checksBefore = -1;
  int drawsBefore = -1;
  int checksAfter = -1;
  int drawsAfter = -1;
  editor = std::make_unique<ProbedEditor>(host.Get(), [&] {
    ProbeControl& probe = *editor->pProbe;
    // The redraw source goes on while the click runs; the host's loop has not dispatched its ticks.
    Sleep(60);
    PostMessageW(editor->window, WM_TIMER, 2, 0);
    InvalidateRect(editor->window, nullptr, FALSE);
    IGraphics::CloseAndDelete(std::move(editor->graphics));
    checksBefore = probe.dirtyChecks;
    drawsBefore = probe.draws;
    PumpFor(std::chrono::milliseconds(60));
    checksAfter = probe.dirtyChecks;
    drawsAfter = probe.draws;
  });
  ASSERT_NE(editor->window, nullptr);
  ASSERT_TRUE(PumpUntilDrawn(editor->pProbe));

  const HWND window = editor->window;
  editor->Click();
  EXPECT_EQ(checksAfter, checksBefore);
  EXPECT_EQ(drawsAfter, drawsBefore);
  // The editor closed when the click returned.
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(WindowClassRegistered());
  PumpFor(std::chrono::milliseconds(30));
}

} // namespace
} // namespace wintest
