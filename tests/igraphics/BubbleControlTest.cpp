// The value bubble over the recording surface: where it is placed, which way its callout points,
// what it repaints, and how it fades while its control is dragged and after.
#include <string>
#include <utility>
#include <vector>

#include "AnimationSteps.h"
#include "SurfaceFixture.h"
#include "igraphics/IBubbleControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

using Point = std::pair<float, float>;

class Bubble : public SurfaceFixture
{
protected:
  Bubble()
  {
    // Every text measures 40 x 16, so a bubble is 70 x 36 with its padding and shadow room.
    g.mTextExtent = IRECT(0.f, 0.f, 40.f, 16.f);
    g.AttachBubbleControl();
    bubble = g.GetBubbleControl(0);
  }

  TestControl* Knob(const std::string& name, const IRECT& r, int paramIdx = kNoParameter)
  {
    return static_cast<TestControl*>(g.AttachControl(new TestControl(log, name, r, paramIdx)));
  }

  // The corners of the drawn outline that lie outside the body: the callout's tip alone.
  std::vector<Point> PointsOutsideBody()
  {
    g.mDrawCalls.clear();
    bubble->Draw(g);
    const IRECT body = bubble->GetRECT().GetPadded(-10.f);
    std::vector<Point> outside;
    for (const auto& call : g.mDrawCalls)
    {
      if (call.op != "path move" && call.op != "path line")
        continue;
      const float x = call.coords[0], y = call.coords[1];
      if (x < body.L || x > body.R || y < body.T || y > body.B)
        outside.emplace_back(x, y);
    }
    return outside;
  }

  float Opacity() const { return bubble->GetBlend().mWeight; }

  static IMouseInfo Press(float x, float y, uintptr_t touchID = 0)
  {
    IMouseInfo point;
    point.x = x;
    point.y = y;
    point.ms.L = true;
    point.ms.touchID = touchID;
    return point;
  }

  IBubbleControl* bubble = nullptr;
};

TEST_F(Bubble, IsPlacedBesideItsCallerWithTheCalloutTowardsIt)
{
  struct Case
  {
    const char* name;
    IRECT caller;
    EDirection dir;
    IRECT bounds;
    Point tip;
  };
  const Case cases[] = {
    {"horizontal with room: right of the knob",
     IRECT(100, 100, 140, 140),
     EDirection::Horizontal,
     IRECT(140, 102, 210, 138),
     {140, 120}},
    {"horizontal just inside the right margin",
     IRECT(275, 100, 315, 140),
     EDirection::Horizontal,
     IRECT(315, 102, 385, 138),
     {315, 120}},
    {"horizontal at the right edge: left of the knob, callout on its right",
     IRECT(350, 100, 390, 140),
     EDirection::Horizontal,
     IRECT(280, 102, 350, 138),
     {350, 120}},
    {"vertical with room: above the knob",
     IRECT(100, 100, 140, 140),
     EDirection::Vertical,
     IRECT(85, 64, 155, 100),
     {120, 100}},
    {"vertical at the top edge: below the knob, callout on its top",
     IRECT(100, 20, 140, 60),
     EDirection::Vertical,
     IRECT(85, 60, 155, 96),
     {120, 60}},
  };

  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    TestControl* pKnob = Knob(c.name, c.caller);
    const bool horizontal = c.dir == EDirection::Horizontal;
    g.ShowBubbleControl(pKnob, horizontal ? c.caller.R : c.caller.MW(), horizontal ? c.caller.MH() : c.caller.T, "0.50",
                        c.dir);

    EXPECT_EQ(bubble->GetRECT(), c.bounds);
    EXPECT_EQ(PointsOutsideBody(), std::vector<Point>{c.tip});
  }
}

TEST_F(Bubble, ContentIsWidenedToTheMinimumBounds)
{
  TestControl* pKnob = Knob("knob", IRECT(100, 100, 140, 140));
  g.ShowBubbleControl(pKnob, 140, 120, "0.50", EDirection::Horizontal, IRECT(0, 0, 60, 10));
  // 60 wide (wider than the text), 16 high (the text is taller).
  EXPECT_EQ(bubble->GetRECT(), IRECT(140, 102, 230, 138));
}

TEST_F(Bubble, BodyAndTextFadeTogether)
{
  TestControl* pKnob = Knob("knob", IRECT(100, 100, 140, 140));
  g.ShowBubbleControl(pKnob, 140, 120, "0.50");
  JumpJustPastStart(*bubble);
  Animate(g);

  g.mDrawCalls.clear();
  bubble->Draw(g);
  const auto fills = g.DrawCallsOf("path fill");
  const auto texts = g.DrawCallsOf("text");
  ASSERT_EQ(fills.size(), 1u);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(fills[0].color, COLOR_WHITE);
  EXPECT_GT(Opacity(), 0.f);
  EXPECT_FLOAT_EQ(fills[0].weight, Opacity());
  EXPECT_FLOAT_EQ(texts[0].weight, Opacity());
  EXPECT_EQ(texts[0].text, "0.50");
}

TEST_F(Bubble, StaysWhileItsControlIsDraggedAndFadesOutAfterTheHold)
{
  TestControl* pKnob = Knob("knob", IRECT(100, 100, 140, 140), 0);
  g.OnMouseDown({Press(120, 120)});
  g.ShowBubbleControl(pKnob, 140, 120, "0.25");
  EXPECT_FALSE(bubble->IsHidden());
  EXPECT_EQ(Opacity(), 0.f);

  JumpJustPastStart(*bubble);
  Animate(g);
  EXPECT_GT(Opacity(), 0.f) << "fading in";
  EXPECT_LT(Opacity(), 0.95f);

  JumpPastEnd(*bubble);
  Animate(g);
  EXPECT_FLOAT_EQ(Opacity(), 0.95f) << "faded in";
  EXPECT_TRUE(bubble->GetAnimationFunction()) << "the hold runs";

  // The hold and every check after it keep the bubble while the knob is still held.
  for (int i = 0; i < 3; ++i)
  {
    JumpPastEnd(*bubble);
    Animate(g);
    EXPECT_FALSE(bubble->IsHidden());
    EXPECT_FLOAT_EQ(Opacity(), 0.95f);
  }

  g.OnMouseUp({Press(120, 120)});
  JumpPastEnd(*bubble);
  Animate(g);
  JumpJustPastStart(*bubble);
  Animate(g);
  EXPECT_LT(Opacity(), 0.95f) << "fading out";
  EXPECT_GT(Opacity(), 0.f);

  JumpPastEnd(*bubble);
  Animate(g);
  EXPECT_TRUE(bubble->IsHidden());
  EXPECT_EQ(Opacity(), 0.f);
  EXPECT_FALSE(bubble->GetAnimationFunction());
}

TEST_F(Bubble, WithoutADragItFadesOutAfterTheHold)
{
  TestControl* pKnob = Knob("knob", IRECT(100, 100, 140, 140));
  g.ShowBubbleControl(pKnob, 140, 120, "0.25");
  for (int step = 0; step < 3; ++step) // fade in, hold, fade out
  {
    JumpPastEnd(*bubble);
    Animate(g);
    EXPECT_LE(Opacity(), 0.95f);
  }
  EXPECT_TRUE(bubble->IsHidden());
}

TEST_F(Bubble, MovingAlongTheSameControlRepaintsOnlyTheUnionOfBothPlaces)
{
  TestControl* pKnob = Knob("knob", IRECT(100, 100, 140, 140));
  TestControl* pOther = Knob("other", IRECT(0, 0, 50, 50));
  g.ShowBubbleControl(pKnob, 140, 120, "0.25");
  g.SetAllControlsClean();

  g.ShowBubbleControl(pKnob, 140, 130, "0.30");

  EXPECT_EQ(bubble->GetRECT(), IRECT(140, 102, 210, 148));
  EXPECT_FALSE(pOther->IsDirty());
  EXPECT_FALSE(pKnob->IsDirty());
}

TEST_F(Bubble, MovingToAnotherControlRepaintsEverythingOnce)
{
  TestControl* pFirst = Knob("first", IRECT(100, 100, 140, 140));
  TestControl* pSecond = Knob("second", IRECT(200, 200, 240, 240));
  g.ShowBubbleControl(pFirst, 140, 120, "0.25");
  g.SetAllControlsClean();

  g.ShowBubbleControl(pSecond, 240, 220, "0.75");
  EXPECT_EQ(bubble->GetRECT(), IRECT(240, 202, 310, 238)) << "the new place alone";
  EXPECT_TRUE(pFirst->IsDirty());
  EXPECT_TRUE(pSecond->IsDirty());

  g.SetAllControlsClean();
  g.ShowBubbleControl(pSecond, 240, 220, "0.80");
  EXPECT_FALSE(pFirst->IsDirty()) << "once";
}

TEST_F(Bubble, WithMultiTouchEachTouchOnTheCallerGetsABubble)
{
  g.AttachBubbleControl();
  g.EnableMultiTouch(true);
  TestControl* pKnob = Knob("knob", IRECT(100, 100, 140, 140));
  pKnob->SetWantsMultiTouch(true);

  g.ShowBubbleControl(pKnob, 140, 120, "0.25");
  EXPECT_TRUE(g.GetBubbleControl(0)->IsHidden() && g.GetBubbleControl(1)->IsHidden()) << "no touch holds the knob";

  g.OnMouseDown({Press(110, 110, 1), Press(130, 130, 2)});
  g.ShowBubbleControl(pKnob, 140, 120, "0.25");
  EXPECT_FALSE(g.GetBubbleControl(0)->IsHidden());
  EXPECT_FALSE(g.GetBubbleControl(1)->IsHidden());
}

TEST(BubbleWithoutBubbles, ShowingDoesNothing)
{
  EventLog log;
  FakeEditorDelegate dlg(log, 0);
  RecordingGraphics g(log, dlg, 100, 100);
  auto* pControl = g.AttachControl(new TestControl(log, "knob", IRECT(0, 0, 10, 10)));
  g.SetAllControlsClean();
  g.ShowBubbleControl(pControl, 10, 5, "x");
  EXPECT_FALSE(pControl->IsDirty());
}

} // namespace
