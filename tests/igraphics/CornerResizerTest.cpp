// The corner resizer over the recording surface: its colours, and drags and double clicks on it
// that reach it through the surface's input.
#include "SurfaceFixture.h"
#include "igraphics/ICornerResizerControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

const IColor kOut(255, 10, 20, 30), kOver(255, 40, 50, 60), kDrag(255, 70, 80, 90);

class CornerResizer : public SurfaceFixture
{
protected:
  void AttachResizer(EUIResizerMode mode)
  {
    g.AttachCornerResizer(mode, false, kOut, kOver, kDrag, 20.f);
    resizer = g.GetCornerResizer();
  }

  // The triangle as drawn now: its colour and its three corners.
  RecordingGraphics::DrawCall Triangle()
  {
    g.mDrawCalls.clear();
    resizer->Draw(g);
    const auto triangles = g.DrawCallsOf("fill triangle");
    EXPECT_EQ(triangles.size(), 1u);
    return triangles.empty() ? RecordingGraphics::DrawCall() : triangles[0];
  }

  static IMouseInfo At(float x, float y)
  {
    IMouseInfo point;
    point.x = x;
    point.y = y;
    point.ms.L = true;
    return point;
  }

  ICornerResizerControl* resizer = nullptr;
};

TEST_F(CornerResizer, SitsInTheCornerAndShowsWhereTheMouseIs)
{
  AttachResizer(EUIResizerMode::Scale);
  EXPECT_EQ(resizer->GetRECT(), IRECT(380, 280, 400, 300));
  EXPECT_EQ(Triangle().coords, (std::vector<float>{380, 300, 400, 280, 400, 300}));

  g.SetMouseCursor(ECursor::HAND);
  struct Step
  {
    const char* what;
    float x, y;
    IColor color;
    ECursor cursor;
  };
  const Step steps[] = {
    {"away from it", 100, 100, kOut, ECursor::HAND},
    {"over it", 390, 290, kOver, ECursor::SIZENWSE},
    {"moving over it", 395, 295, kOver, ECursor::SIZENWSE},
    {"away again", 100, 100, kOut, ECursor::HAND},
  };
  for (const Step& step : steps)
  {
    SCOPED_TRACE(step.what);
    g.OnMouseOver(step.x, step.y, IMouseMod());
    EXPECT_EQ(Triangle().color, step.color);
    EXPECT_EQ(g.GetCursor(), step.cursor);
  }
}

TEST_F(CornerResizer, PressingItStartsADragResizeUntilTheMouseIsReleased)
{
  AttachResizer(EUIResizerMode::Scale);
  g.OnMouseDown({At(100, 100)});
  g.OnMouseUp({At(100, 100)});
  EXPECT_FALSE(g.IsResizingInProcess()) << "a press elsewhere";

  g.OnMouseDown({At(390, 290)});
  EXPECT_TRUE(g.IsResizingInProcess());
  EXPECT_EQ(Triangle().color, kDrag);

  g.OnMouseUp({At(390, 290)});
  EXPECT_FALSE(g.IsResizingInProcess());
  EXPECT_EQ(Triangle().color, kOver) << "released over it";
}

TEST_F(CornerResizer, ScaleModeDragRescalesWithinTheConstraints)
{
  AttachResizer(EUIResizerMode::Scale);
  g.SetScaleConstraints(1.25f, 0.75f);
  struct Case
  {
    float x, y, scale;
  };
  // The press is at (390, 290): the scale is the smaller ratio of the drag, clamped.
  const Case cases[] = {{429, 348, 1.1f}, {780, 580, 1.25f}, {195, 145, 0.75f}};
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.scale);
    g.Resize(400, 300, 1.f);
    g.OnMouseDown({At(390, 290)});
    IMouseInfo drag = At(c.x, c.y);
    drag.dX = c.x - 390;
    g.OnMouseDrag({drag});
    g.OnMouseUp({drag});

    EXPECT_FLOAT_EQ(g.GetDrawScale(), c.scale);
    EXPECT_EQ(g.Width(), 400);
    EXPECT_EQ(g.Height(), 300);
    const float side = 20.f / c.scale;
    EXPECT_EQ(resizer->GetRECT(), IRECT(400 - side, 300 - side, 400, 300)) << "the same size on screen";
  }
}

TEST_F(CornerResizer, SizeModeDragResizesAtTheSameScale)
{
  AttachResizer(EUIResizerMode::Size);
  g.OnMouseDown({At(390, 290)});
  IMouseInfo drag = At(450.5f, 320.f);
  drag.dX = 60.f;
  g.OnMouseDrag({drag});
  g.OnMouseUp({drag});

  EXPECT_EQ(g.Width(), 450);
  EXPECT_EQ(g.Height(), 320);
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.f);
  EXPECT_EQ(resizer->GetRECT(), IRECT(430, 300, 450, 320));
}

TEST_F(CornerResizer, DoubleClickRestoresTheAttachedSizeAtScaleOne)
{
  AttachResizer(EUIResizerMode::Scale);
  g.Resize(500, 360, 1.5f);
  const IRECT r = resizer->GetRECT();
  EXPECT_TRUE(g.OnMouseDblClick(r.MW(), r.MH(), IMouseMod()));

  EXPECT_EQ(g.Width(), 400);
  EXPECT_EQ(g.Height(), 300);
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.f);
  EXPECT_EQ(resizer->GetRECT(), IRECT(380, 280, 400, 300));
}

} // namespace
