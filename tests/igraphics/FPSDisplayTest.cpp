// The frame-time display over the recording surface: its ring of frame times, the graph and
// readings drawn from it, its styles, and the surface's frame timing and show/hide rules.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "SurfaceFixture.h"
#include "igraphics/IFPSDisplayControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

class FPSDisplay : public SurfaceFixture
{
protected:
  FPSDisplay()
  {
    g.ShowFPSDisplay(true);
    display = g.GetPerfDisplay();
  }

  void Feed(float frameTime, int frames = IFPSDisplayControl::kNumFrames)
  {
    for (int i = 0; i < frames; ++i)
      display->Update(frameTime);
  }

  void Click()
  {
    IMouseInfo point;
    point.x = 20.f;
    point.y = 20.f;
    point.ms.L = true;
    g.OnMouseDown({point});
    g.OnMouseUp({point});
  }

  void Draw()
  {
    g.mDrawCalls.clear();
    display->Draw(g);
  }

  std::vector<std::string> Texts() const
  {
    std::vector<std::string> texts;
    for (const auto& call : g.DrawCallsOf("text"))
      texts.push_back(call.text);
    return texts;
  }

  // The graph's points after its starting point, newest first.
  std::vector<RecordingGraphics::DrawCall> GraphPoints() const { return g.DrawCallsOf("path line"); }

  // The graph area: the default bounds (10, 10, 210, 60) less 2 on every side.
  const IRECT area{12.f, 12.f, 208.f, 58.f};
  IFPSDisplayControl* display = nullptr;
};

TEST_F(FPSDisplay, ReadingsOfEachStyleAndClicksCycleThem)
{
  Feed(0.02f);
  const std::vector<std::vector<std::string>> readings = {
    {"Frame Time", "50.00 FPS", "20.00 ms"}, {"Frame Time", "20.00 ms"}, {"Frame Time", "0.0 %"}};
  for (int click = 0; click < 4; ++click)
  {
    SCOPED_TRACE(click);
    Draw();
    EXPECT_EQ(Texts(), readings[click % 3]);
    Click();
  }
}

TEST_F(FPSDisplay, TheRingHoldsTheLastHundredFrames)
{
  display->Update(1.f); // pushed out by the hundred frames that follow
  Feed(0.01f, 99);
  display->Update(0.03f);
  Click(); // milliseconds
  Draw();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Frame Time", "10.20 ms"}));

  // Newest first, at the left edge; the fill closes at the control's bottom-right corner.
  const auto points = GraphPoints();
  ASSERT_EQ(points.size(), 101u);
  EXPECT_EQ(points[0].coords, (std::vector<float>{area.L, area.T}));
  EXPECT_FLOAT_EQ(points[1].coords[0], area.L + area.W() / 99.f);
  EXPECT_FLOAT_EQ(points[1].coords[1], area.B - 0.5f * area.H());
  EXPECT_FLOAT_EQ(points[99].coords[0], area.R);
  EXPECT_EQ(points[100].coords, (std::vector<float>{210.f, 60.f}));
  const auto fills = g.DrawCallsOf("path fill");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].color, DEFAULT_FGCOLOR);
}

TEST_F(FPSDisplay, GraphHeightsAreClampedAtTheTopOfEachStyle)
{
  struct Case
  {
    int clicks;
    float frameTime;
    float height; // of the graph, 0..1
  };
  const Case cases[] = {
    {0, 0.f, 1.f},      {0, 1.f / 40.f, 0.5f},                 // 80 frames per second at the top
    {1, 0.005f, 0.25f}, {1, 0.02f, 1.f},       {1, 0.5f, 1.f}, // 20 ms at the top
    {2, 50.f, 0.5f},    {2, 250.f, 1.f},
  };
  int clicks = 0;
  for (const Case& c : cases)
  {
    SCOPED_TRACE(std::to_string(c.clicks) + " " + std::to_string(c.frameTime));
    for (; clicks < c.clicks; ++clicks)
      Click();
    Feed(c.frameTime);
    Draw();
    EXPECT_NEAR(GraphPoints()[0].coords[1], area.B - c.height * area.H(), 0.02);
  }
}

TEST_F(FPSDisplay, ANewFrameTimeMakesItDirty)
{
  g.SetAllControlsClean();
  display->Update(0.016f);
  EXPECT_TRUE(display->IsDirty());
}

TEST_F(FPSDisplay, EachFrameRecordsTheTimeSinceTheLastWhileShown)
{
  using namespace std::chrono_literals;
  Click(); // milliseconds: a frame of 20 ms or more reaches the top
  auto newest = [this] {
    Draw();
    return (area.B - GraphPoints()[0].coords[1]) / area.H() * 20.f;
  };

  g.IGraphics::BeginFrame();
  std::this_thread::sleep_for(5ms);
  g.IGraphics::BeginFrame();
  EXPECT_GE(newest(), 5.f);

  // Hidden, nothing is timed: the first frame after showing it again spans the hidden time.
  g.ShowFPSDisplay(false);
  std::this_thread::sleep_for(25ms);
  g.IGraphics::BeginFrame();
  g.ShowFPSDisplay(true);
  display = g.GetPerfDisplay();
  Click();
  g.IGraphics::BeginFrame();
  EXPECT_FLOAT_EQ(newest(), 20.f);
}

TEST_F(FPSDisplay, IsShownOnceAndGoneWithoutLeavingHoverOrCapture)
{
  g.ShowFPSDisplay(true);
  EXPECT_EQ(g.GetPerfDisplay(), display);
  EXPECT_EQ(display->GetRECT(), IRECT(10, 10, 210, 60));

  g.EnableMouseOver(true);
  g.OnMouseOver(20, 20, IMouseMod());
  IMouseInfo point;
  point.x = 20.f;
  point.y = 20.f;
  g.OnMouseDown({point});
  ASSERT_EQ(g.GetMouseOver(), display);

  g.ShowFPSDisplay(false);
  EXPECT_EQ(g.GetPerfDisplay(), nullptr);
  EXPECT_EQ(g.GetMouseOver(), nullptr);
  EXPECT_EQ(g.GetMouseOverIdx(), -1);
  EXPECT_EQ(g.NCaptures(), 0);
  g.OnMouseUp({point});
}

TEST_F(FPSDisplay, HidingItWhenNoneIsShownStillRepaintsEverything)
{
  g.ShowFPSDisplay(false);
  TestControl* pControl = Attach("a");
  g.SetAllControlsClean();
  g.ShowFPSDisplay(false);
  EXPECT_TRUE(pControl->IsDirty());
}

} // namespace
