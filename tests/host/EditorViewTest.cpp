// The editor view of the built module, as a host sees it: on Linux it opens the editor on the
// headless platform only, on Windows in a child window of the host's HWND.
#include "tests/host/BrimvaleModuleFixture.h"
#include "tools/host/HostedView.h"

#include "pluginterfaces/gui/iplugview.h"

#if defined(__linux__)
#include "igraphics/platforms/HeadlessWindow.h"
#include "iplug/vst3/IPlugVST3View.h"
#elif defined(_WIN32)
#include "tests/host/WindowsEditorHost.h"
#endif

using namespace testhost;
using namespace Steinberg;

using EditorViewTest = BrimvaleModuleTest;

TEST_F(EditorViewTest, OnlyTheEditorNameMakesAView)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  EXPECT_TRUE(HostedView::Create(*instance));
  for (const char* name : {"Editor", "", "parameters", "editor2"})
    EXPECT_FALSE(HostedView::Create(*instance, name)) << name;
  EXPECT_EQ(instance->Controller().createView(nullptr), nullptr);
}

TEST_F(EditorViewTest, TheViewAcceptsOnlyThisPlatformsWindowType)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  auto view = HostedView::Create(*instance);
  ASSERT_TRUE(view);
  IPlugView& v = view->View();
#if defined(__linux__)
  // No real window system is supported here; a Linux host keeps its generic editor.
  EXPECT_EQ(v.isPlatformTypeSupported(iplug::kPlatformTypeHeadless), kResultTrue);
  EXPECT_EQ(v.isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(v.isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultFalse);
#elif defined(_WIN32)
  EXPECT_EQ(v.isPlatformTypeSupported(kPlatformTypeHWND), kResultTrue);
  EXPECT_EQ(v.isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultFalse);
  EXPECT_EQ(v.isPlatformTypeSupported("HWND2"), kResultFalse);
#endif
  EXPECT_EQ(v.isPlatformTypeSupported(kPlatformTypeNSView), kResultFalse);
  EXPECT_EQ(v.isPlatformTypeSupported(nullptr), kResultFalse);
}

TEST_F(EditorViewTest, TheViewHasTheEditorsDesignSize)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  auto view = HostedView::Create(*instance);
  ASSERT_TRUE(view);
  const auto size = view->Size();
  ASSERT_TRUE(size);
  EXPECT_EQ(size->left, 0);
  EXPECT_EQ(size->top, 0);
  EXPECT_EQ(size->getWidth(), 1480);
  EXPECT_EQ(size->getHeight(), 360);
}

// Every attach opens the editor and every removal closes it, however often a host does it; a
// window type of another platform opens nothing and says so.
#if defined(__linux__)
TEST_F(EditorViewTest, AttachingOpensTheEditorAndRemovingClosesItEveryTime)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  for (int i = 0; i < 20; ++i)
  {
    HeadlessWindow window{}; // outlives the view, as a host's window does
    auto view = HostedView::Create(*instance);
    ASSERT_TRUE(view) << i;
    EXPECT_EQ(view->Attach(&window, iplug::kPlatformTypeHeadless), kResultOk) << i;
    EXPECT_NE(window.send, nullptr) << i;
    EXPECT_EQ(view->Remove(), kResultOk) << i;
    EXPECT_EQ(window.send, nullptr) << i;
    void* parent[16] = {};
    EXPECT_EQ(view->Attach(parent, kPlatformTypeNSView), kResultFalse) << i;
    EXPECT_EQ(view->Remove(), kResultFalse) << i;
  }
}
#elif defined(_WIN32)
TEST_F(EditorViewTest, AttachingToAnHWNDOpensTheEditorWindowAndRemovingClosesIt)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  for (int i = 0; i < 3; ++i)
  {
    HostFrame frame(1110, 270); // outlives the view, as a host's window does
    auto view = HostedView::Create(*instance);
    ASSERT_TRUE(view) << i;
    EXPECT_EQ(view->Attach(frame.Get(), kPlatformTypeHWND), kResultOk) << i;
    EXPECT_EQ(EditorWindowsOf(frame.Get()).size(), 1u) << i;
    EXPECT_EQ(view->Attach(frame.Get(), kPlatformTypeHWND), kResultFalse) << i << ": a second window";
    EXPECT_EQ(view->Remove(), kResultOk) << i;
    EXPECT_TRUE(EditorWindowsOf(frame.Get()).empty()) << i;
    EXPECT_EQ(view->Attach(frame.Get(), kPlatformTypeNSView), kResultFalse) << i;
    EXPECT_EQ(view->Attach(nullptr, kPlatformTypeHWND), kResultFalse) << i;
    EXPECT_EQ(view->Remove(), kResultFalse) << i;
    EXPECT_TRUE(EditorWindowsOf(frame.Get()).empty()) << i;
  }
}
#endif
