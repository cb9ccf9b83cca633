// The instrument's editor window on a display at 200 %: the host measures its windows in device
// pixels, so its size checks and its resizes must both reach the scale rules in editor units.
#include "plugin/Brimvale.h"
#include "tests/igraphics/platforms/WinEditorFixture.h"

#include "igraphics/IGraphics.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Steinberg;

namespace
{

struct ReleasePlug
{
  void operator()(Brimvale* plug) const { plug->release(); }
};

struct ReleaseView
{
  void operator()(IPlugView* view) const { view->release(); }
};

SIZE WindowSize(HWND window)
{
  RECT r;
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace

TEST(BrimvaleWindowsDpi, AtTwoHundredPercentHostSizesAreCheckedAndTakenInTheSameUnits)
{
  wintest::PoseAsDpi dpi(192);
  wintest::HostWindow host(1200, 600);
  std::unique_ptr<Brimvale, ReleasePlug> plug(new Brimvale(iplug::InstanceInfo()));
  std::unique_ptr<IPlugView, ReleaseView> view(plug->createView("editor"));
  ASSERT_TRUE(view);
  ASSERT_EQ(view->attached(host.Get(), kPlatformTypeHWND), kResultOk);
  ASSERT_FLOAT_EQ(plug->GetUI()->GetPlatformWindowScale(), 2.f);
  const HWND editorWindow = static_cast<HWND>(plug->GetUI()->GetWindow());

  struct Case
  {
    int w, h;
    int expectedW, expectedH; // twice the editor's size
    float expectedScale;
  } cases[] = {
    {4736, 1152, 4736, 1152, 1.6f}, // the largest scale
    {6000, 2000, 4736, 1152, 1.6f}, // beyond it
    {2960, 720, 2960, 720, 1.f},
    {1000, 300, 1776, 432, 0.6f}, // raised to the smallest scale
  };
  for (const Case& c : cases)
  {
    ViewRect rect(10, 20, 10 + c.w, 20 + c.h);
    EXPECT_EQ(view->checkSizeConstraint(&rect), kResultOk);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.getWidth(), c.expectedW) << c.w << "x" << c.h;
    EXPECT_EQ(rect.getHeight(), c.expectedH) << c.w << "x" << c.h;

    // The host takes the checked size: the editor fills it and reports it back.
    ASSERT_EQ(view->onSize(&rect), kResultOk);
    EXPECT_FLOAT_EQ(plug->GetUI()->GetDrawScale(), c.expectedScale) << c.w << "x" << c.h;
    const SIZE window = WindowSize(editorWindow);
    EXPECT_EQ(window.cx, c.expectedW) << c.w << "x" << c.h;
    EXPECT_EQ(window.cy, c.expectedH) << c.w << "x" << c.h;
    ViewRect reported;
    ASSERT_EQ(view->getSize(&reported), kResultOk);
    EXPECT_EQ(reported.getWidth(), c.expectedW) << c.w << "x" << c.h;
    EXPECT_EQ(reported.getHeight(), c.expectedH) << c.w << "x" << c.h;
  }
  EXPECT_EQ(view->removed(), kResultOk);
}
