// Layout and pressable faces of the vector control base, over the recording surface.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../SurfaceFixture.h"
#include "igraphics/controls/IVectorBase.h"

using namespace iplug::igraphics;

namespace
{

// The least a vector control needs: a control that hands itself to its vector base.
class Probe : public IControl, public IVectorBase
{
public:
  Probe(const IVStyle& style, bool labelInWidget = false, bool valueInWidget = false)
  : IControl(IRECT(0.f, 0.f, 100.f, 100.f))
  , IVectorBase(style, labelInWidget, valueInWidget)
  {
    AttachIControl(this, "");
  }
  void Draw(IGraphics& g) override
  {
    if (mOnDraw)
      mOnDraw(g);
  }
  std::function<void(IGraphics&)> mOnDraw;
};

IVStyle Style(bool showLabel, bool showValue, int labelSide = 0, ETextVAlign valueAlign = kVAlignBottom)
{
  IVStyle style;
  style.showLabel = showLabel;
  style.showValue = showValue;
  style.labelSide = labelSide;
  style.valueText.mVAlign = valueAlign;
  return style;
}

IVStyle FlatStyle()
{
  IVStyle style;
  style.drawShadows = false;
  style.drawFrame = false;
  return style;
}

std::vector<float> Coords(const IRECT& r)
{
  return {r.L, r.T, r.R, r.B};
}

class VectorBase : public SurfaceFixture
{
protected:
  Probe* AttachProbe(const IVStyle& style, bool labelInWidget = false, bool valueInWidget = false)
  {
    return static_cast<Probe*>(g.AttachControl(new Probe(style, labelInWidget, valueInWidget)));
  }
};

} // namespace

// Every text measures 40 x 10 unless the case measures nothing; parent is 100 x 100 at the origin.
struct LayoutCase
{
  std::string name;
  IVStyle style;
  const char* label;
  const char* value;
  bool hasHandle;
  bool labelInWidget;
  bool valueInWidget;
  IRECT labelExtent;
  IRECT clickable;
  IRECT widget;
  IRECT labelBounds;
  IRECT valueBounds;
};

TEST_F(VectorBase, MakeRectsDividesTheBoundsIntoWidgetLabelAndValue)
{
  const IRECT all(0.f, 0.f, 100.f, 100.f);
  const IRECT text(0.f, 0.f, 40.f, 10.f);
  IVStyle halfWidget = Style(false, false);
  halfWidget.widgetFrac = 0.5f;
  IVStyle handleStyle = Style(false, false); // default frame 1 and shadow offset 3

  const std::vector<LayoutCase> cases = {
    {"no label text", Style(true, false), "", "", false, false, false, text, all, all, IRECT(), IRECT()},
    {"label hidden", Style(false, false), "Gain", "", false, false, false, text, all, all, IRECT(), IRECT()},
    {"label top", Style(true, false, 0), "Gain", "", false, false, false, text, IRECT(0.f, 10.f, 100.f, 100.f),
     IRECT(0.f, 10.f, 100.f, 100.f), IRECT(30.f, 0.f, 70.f, 10.f), IRECT()},
    {"label right", Style(true, false, 1), "Gain", "", false, false, false, text, IRECT(0.f, 0.f, 60.f, 100.f),
     IRECT(0.f, 0.f, 60.f, 100.f), IRECT(60.f, 45.f, 100.f, 55.f), IRECT()},
    {"label bottom", Style(true, false, 2), "Gain", "", false, false, false, text, IRECT(0.f, 0.f, 100.f, 90.f),
     IRECT(0.f, 0.f, 100.f, 90.f), IRECT(30.f, 90.f, 70.f, 100.f), IRECT()},
    {"label left", Style(true, false, 3), "Gain", "", false, false, false, text, IRECT(40.f, 0.f, 100.f, 100.f),
     IRECT(40.f, 0.f, 100.f, 100.f), IRECT(0.f, 45.f, 40.f, 55.f), IRECT()},
    {"label without width", Style(true, false, 0), "Gain", "", false, false, false, IRECT(0.f, 0.f, 0.f, 10.f),
     IRECT(0.f, 10.f, 100.f, 100.f), IRECT(0.f, 10.f, 100.f, 100.f), IRECT(49.5f, 0.f, 50.5f, 10.f), IRECT()},
    {"value bottom", Style(false, true, 0, kVAlignBottom), "", "0.5", false, false, false, text, all,
     IRECT(0.f, 0.f, 100.f, 90.f), IRECT(), IRECT(50.f - 26.4f, 90.f, 50.f + 26.4f, 100.f)},
    {"value top", Style(false, true, 0, kVAlignTop), "", "0.5", false, false, false, text, all,
     IRECT(0.f, 10.f, 100.f, 100.f), IRECT(), IRECT(50.f - 26.4f, 0.f, 50.f + 26.4f, 10.f)},
    {"value middle", Style(false, true, 0, kVAlignMiddle), "", "0.5", false, false, false, text, all, all, IRECT(),
     IRECT(50.f - 26.4f, 45.f, 50.f + 26.4f, 55.f)},
    {"empty value, bottom", Style(false, true, 0, kVAlignBottom), "", "", false, false, false, text, all, all, IRECT(),
     IRECT(50.f, 100.f, 50.f, 100.f)},
    {"empty value, top", Style(false, true, 0, kVAlignTop), "", "", false, false, false, text, all, all, IRECT(),
     IRECT(50.f, 0.f, 50.f, 0.f)},
    {"half widget", halfWidget, "", "", false, false, false, text, all, IRECT(25.f, 25.f, 75.f, 75.f), IRECT(),
     IRECT()},
    {"handle room", handleStyle, "", "", true, false, false, text, all, IRECT(3.5f, 0.5f, 96.5f, 96.5f), IRECT(),
     IRECT()},
    {"label and value in widget", Style(true, true), "Gain", "0.5", true, true, true, text, all,
     IRECT(3.5f, 0.5f, 96.5f, 96.5f), IRECT(3.5f, 0.5f, 96.5f, 96.5f), IRECT(3.5f, 0.5f, 96.5f, 96.5f)},
  };

  for (const LayoutCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    g.mTextExtent = c.labelExtent;
    Probe* pProbe = AttachProbe(c.style, c.labelInWidget, c.valueInWidget);
    pProbe->SetLabelStr(c.label);
    pProbe->SetValueStr(c.value);

    const IRECT clickable = pProbe->MakeRects(all, c.hasHandle);
    EXPECT_EQ(Coords(clickable), Coords(c.clickable));
    EXPECT_EQ(Coords(pProbe->GetWidgetBounds()), Coords(c.widget));
    EXPECT_EQ(Coords(pProbe->GetLabelBounds()), Coords(c.labelBounds));
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR(Coords(pProbe->GetValueBounds())[i], Coords(c.valueBounds)[i], 1e-4f);
  }
}

TEST_F(VectorBase, HidingTheValueLeavesNoValueAreaBehind)
{
  g.mTextExtent = IRECT(0.f, 0.f, 40.f, 10.f);
  Probe* pProbe = AttachProbe(Style(false, true));
  pProbe->SetValueStr("0.5");
  pProbe->MakeRects(IRECT(0.f, 0.f, 100.f, 100.f));
  ASSERT_FALSE(pProbe->GetValueBounds().Empty());

  pProbe->SetStyle(Style(false, false));
  pProbe->MakeRects(IRECT(0.f, 0.f, 100.f, 100.f));
  EXPECT_TRUE(pProbe->GetValueBounds().Empty());
}

TEST_F(VectorBase, UnknownShapeDrawsNothing)
{
  Probe* pProbe = AttachProbe(DEFAULT_STYLE);
  pProbe->DrawPressableShape(g, static_cast<EVShape>(5), IRECT(0.f, 0.f, 40.f, 40.f), false, true, false);
  pProbe->DrawPressableShape(g, static_cast<EVShape>(-1), IRECT(0.f, 0.f, 40.f, 40.f), true, true, false);
  EXPECT_TRUE(g.mDrawCalls.empty());
}

TEST_F(VectorBase, DefaultRectangleIsShadowFaceHighlightAndFrame)
{
  Probe* pProbe = AttachProbe(DEFAULT_STYLE);
  pProbe->SetBlend(BLEND_50);
  const IRECT handle = pProbe->DrawPressableRectangle(g, IRECT(0.f, 0.f, 40.f, 40.f), false, true, false);

  // Frame 1 and shadow offset 3 leave this much of the bounds for the face.
  EXPECT_EQ(Coords(handle), Coords(IRECT(3.5f, 0.5f, 36.5f, 36.5f)));
  ASSERT_EQ(g.DrawOps(),
            (std::vector<std::string>{"fill round rect", "fill round rect", "fill round rect", "draw round rect"}));
  const auto& calls = g.mDrawCalls;
  EXPECT_EQ(calls[0].color, DEFAULT_SHCOLOR);
  EXPECT_EQ(calls[0].coords[0], 6.5f);
  EXPECT_EQ(calls[0].coords[1], 3.5f);
  EXPECT_FLOAT_EQ(calls[0].weight, 0.5f);
  EXPECT_EQ(calls[1].color, DEFAULT_FGCOLOR);
  EXPECT_FLOAT_EQ(calls[1].weight, 1.f) << "the face ignores the control's blend";
  EXPECT_EQ(calls[2].color, DEFAULT_HLCOLOR);
  EXPECT_FLOAT_EQ(calls[2].weight, 0.5f);
  EXPECT_EQ(calls[3].color, DEFAULT_FRCOLOR);
}

TEST_F(VectorBase, DisabledFacesDarkenButHighlightFrameAndShadowKeepTheirColours)
{
  IVStyle style;
  style.colorSpec.SetColor(kFG, IColor(255, 30, 100, 200));
  style.colorSpec.SetColor(kPR, IColor(200, 10, 70, 255));
  Probe* pProbe = AttachProbe(style);

  pProbe->DrawPressableRectangle(g, IRECT(0.f, 0.f, 40.f, 40.f), false, true, true);
  auto calls = g.DrawCallsOf("fill round rect");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].color, DEFAULT_SHCOLOR);
  EXPECT_EQ(calls[1].color, IColor(255, 0, 37, 137));
  EXPECT_EQ(calls[2].color, DEFAULT_HLCOLOR);
  EXPECT_EQ(g.DrawCallsOf("draw round rect")[0].color, DEFAULT_FRCOLOR);

  g.mDrawCalls.clear();
  pProbe->DrawPressableRectangle(g, IRECT(0.f, 0.f, 40.f, 40.f), true, false, true);
  calls = g.DrawCallsOf("fill round rect");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].color, IColor(200, 0, 7, 192));

  g.mDrawCalls.clear();
  pProbe->DrawPressableEllipse(g, IRECT(0.f, 0.f, 40.f, 40.f), false, false, true);
  calls = g.DrawCallsOf("fill ellipse");
  ASSERT_EQ(calls.size(), 1u) << "a disabled ellipse casts no shadow";
  EXPECT_EQ(calls[0].color, IColor(255, 0, 37, 137));
}

TEST_F(VectorBase, CornerRadiiFollowRoundnessAndShape)
{
  IVStyle style = FlatStyle();
  style.roundness = 1.f;
  Probe* pProbe = AttachProbe(style);
  const IRECT square(0.f, 0.f, 40.f, 40.f);

  struct Case
  {
    EVShape shape;
    std::vector<float> radii; // top-left, top-right, bottom-right, bottom-left
  };
  for (const Case& c :
       {Case{EVShape::Rectangle, {20.f, 20.f, 20.f, 20.f}}, Case{EVShape::RoundedAll, {20.f, 20.f, 20.f, 20.f}},
        Case{EVShape::RoundedTop, {20.f, 20.f, 0.f, 0.f}}})
  {
    g.mDrawCalls.clear();
    pProbe->DrawPressableShape(g, c.shape, square, false, false, false);
    const auto fills = g.DrawCallsOf("fill round rect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(std::vector<float>(fills[0].coords.begin() + 4, fills[0].coords.end()), c.radii)
      << static_cast<int>(c.shape);
  }
}

TEST_F(VectorBase, EmbossedPressedRectangleSinksItsFace)
{
  IVStyle style = FlatStyle();
  style.emboss = true;
  Probe* pProbe = AttachProbe(style);
  pProbe->DrawPressableRectangle(g, IRECT(0.f, 0.f, 40.f, 40.f), true, false, false);

  const auto fills = g.DrawCallsOf("fill round rect");
  ASSERT_EQ(fills.size(), 4u);
  EXPECT_EQ(fills[0].color, DEFAULT_PRCOLOR);
  EXPECT_EQ(fills[1].color, DEFAULT_SHCOLOR);
  EXPECT_EQ(fills[2].color, DEFAULT_FGCOLOR);
  EXPECT_EQ(std::vector<float>(fills[2].coords.begin(), fills[2].coords.begin() + 4),
            (std::vector<float>{3.f, 3.f, 40.f, 40.f}));
  EXPECT_EQ(fills[3].color, DEFAULT_PRCOLOR);
  EXPECT_EQ(std::vector<float>(fills[3].coords.begin(), fills[3].coords.begin() + 4),
            (std::vector<float>{3.f, 3.f, 37.f, 37.f}));
}

TEST_F(VectorBase, PressedFaceShowsTheSplashOnlyWhileAnimating)
{
  Probe* pProbe = AttachProbe(FlatStyle());
  pProbe->SetSplashPoint(12.f, 14.f);
  pProbe->SetSplashRadius(9.f);

  pProbe->DrawPressableRectangle(g, IRECT(0.f, 0.f, 40.f, 40.f), true, false, false);
  EXPECT_TRUE(g.DrawCallsOf("fill circle").empty());

  pProbe->SetAnimation([](IControl*) {});
  g.mDrawCalls.clear();
  pProbe->DrawPressableRectangle(g, IRECT(0.f, 0.f, 40.f, 40.f), true, false, false);
  ASSERT_EQ(g.DrawOps(), (std::vector<std::string>{"fill round rect", "clip", "fill circle", "clip"}));
  EXPECT_EQ(g.mDrawCalls[2].color, DEFAULT_HLCOLOR);
  EXPECT_EQ(g.mDrawCalls[2].coords, (std::vector<float>{12.f, 14.f, 9.f}));
}

TEST_F(VectorBase, DefaultEllipseIsShadowFaceHighlightAndFrame)
{
  Probe* pProbe = AttachProbe(DEFAULT_STYLE);
  pProbe->DrawPressableEllipse(g, IRECT(10.f, 10.f, 50.f, 50.f), false, true, false);

  ASSERT_EQ(g.DrawOps(), (std::vector<std::string>{"fill ellipse", "fill ellipse", "fill ellipse", "draw ellipse"}));
  const auto& calls = g.mDrawCalls;
  EXPECT_EQ(calls[0].color, DEFAULT_SHCOLOR);
  EXPECT_EQ(calls[0].coords, (std::vector<float>{13.f, 13.f, 53.f, 53.f}));
  EXPECT_EQ(calls[1].color, DEFAULT_FGCOLOR);
  EXPECT_EQ(calls[1].coords, (std::vector<float>{10.f, 10.f, 50.f, 50.f}));
  EXPECT_EQ(calls[2].color, DEFAULT_HLCOLOR);
  EXPECT_EQ(calls[3].color, DEFAULT_FRCOLOR);
  EXPECT_EQ(calls[3].coords, (std::vector<float>{10.f, 10.f, 50.f, 50.f, 1.f}));
}

TEST_F(VectorBase, TriangleTurnsAboutItsCentre)
{
  Probe* pProbe = AttachProbe(FlatStyle());
  struct Case
  {
    float angle;
    std::vector<float> face; // apex, then the two base corners
  };
  for (const Case& c : {Case{0.f, {20.f, 0.f, 0.f, 40.f, 40.f, 40.f}}, Case{180.f, {20.f, 40.f, 40.f, 0.f, 0.f, 0.f}},
                        Case{90.f, {40.f, 20.f, 0.f, 0.f, 0.f, 40.f}}})
  {
    g.mDrawCalls.clear();
    pProbe->DrawPressableTriangle(g, IRECT(0.f, 0.f, 40.f, 40.f), false, false, c.angle, false);
    const auto fills = g.DrawCallsOf("fill triangle");
    ASSERT_EQ(fills.size(), 1u);
    for (size_t i = 0; i < c.face.size(); ++i)
      EXPECT_NEAR(fills[0].coords[i], c.face[i], 1e-4f) << "angle " << c.angle << " coordinate " << i;
  }
}

TEST_F(VectorBase, SplashIsClippedToItsRectangleWithinTheDrawnArea)
{
  Probe* pProbe = AttachProbe(DEFAULT_STYLE);
  pProbe->SetSplashPoint(5.f, 6.f);
  pProbe->SetSplashRadius(7.f);
  pProbe->mOnDraw = [pProbe](IGraphics& gr) { pProbe->DrawSplash(gr, IRECT(-10.f, -10.f, 20.f, 20.f)); };

  IRECTList rects;
  ASSERT_TRUE(g.IsDirty(rects));
  g.mDrawCalls.clear();
  g.Draw(rects);

  const auto ops = g.DrawOps();
  const auto circle = std::find(ops.begin(), ops.end(), "fill circle");
  ASSERT_NE(circle, ops.end());
  const size_t at = static_cast<size_t>(circle - ops.begin());
  ASSERT_TRUE(at > 0 && at + 1 < ops.size());
  ASSERT_EQ(ops[at - 1], "clip");
  ASSERT_EQ(ops[at + 1], "clip");
  EXPECT_EQ(g.mDrawCalls[at].coords, (std::vector<float>{5.f, 6.f, 7.f}));
  // The splash's rectangle reaches beyond the drawn area; only the part inside is painted, and
  // afterwards the clip is the drawn area again.
  const std::vector<float>& restored = g.mDrawCalls[at + 1].coords;
  EXPECT_EQ(g.mDrawCalls[at - 1].coords,
            (std::vector<float>{std::max(-10.f, restored[0]), std::max(-10.f, restored[1]), 20.f, 20.f}));
  EXPECT_GT(restored[0], -10.f);
  EXPECT_TRUE(restored[2] > 20.f && restored[3] > 20.f);
}
