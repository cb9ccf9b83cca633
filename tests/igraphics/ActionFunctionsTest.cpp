// The shared click, animation and bubble action functions on controls pressed through the surface.
#include <string>

#include "AnimationSteps.h"
#include "SurfaceFixture.h"
#include "VectorTestControl.h"
#include "igraphics/IActionFunctions.h"
#include "igraphics/IBubbleControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

class ActionFunctions : public SurfaceFixture
{
protected:
  void Press(float x, float y)
  {
    IMouseInfo point;
    point.x = x;
    point.y = y;
    point.ms.L = true;
    g.OnMouseDown({point});
    g.OnMouseUp({point});
  }
};

TEST_F(ActionFunctions, DefaultClickAnimatesUntilItsTimeIsUp)
{
  auto* pControl = g.AttachControl(new VectorTestControl(IRECT(0, 0, 100, 100), DefaultClickActionFunc));
  Press(50, 50);
  ASSERT_TRUE(pControl->GetAnimationFunction());

  JumpJustPastStart(*pControl);
  Animate(g);
  EXPECT_TRUE(pControl->GetAnimationFunction());

  JumpPastEnd(*pControl);
  Animate(g);
  EXPECT_FALSE(pControl->GetAnimationFunction());
}

TEST_F(ActionFunctions, SplashGrowsFromThePressTowardsItsMaximum)
{
  auto* pControl = static_cast<VectorTestControl*>(
    g.AttachControl(new VectorTestControl(IRECT(0, 0, 100, 100), SplashClickActionFunc)));
  Press(30, 20);

  JumpJustPastStart(*pControl);
  Animate(g);
  EXPECT_GT(pControl->GetSplashRadius(), 0.f);
  EXPECT_LT(pControl->GetSplashRadius(), pControl->GetMaxSplashRadius());
  EXPECT_GT(pControl->mStyleChanges, 0);

  log.Clear();
  pControl->DrawSplash(g);
  ASSERT_EQ(log.events.size(), 1u);
  EXPECT_EQ(log.events[0].rfind("fill circle 30.000000 20.000000 ", 0), 0u) << log.events[0];

  JumpPastEnd(*pControl);
  Animate(g);
  EXPECT_FALSE(pControl->GetAnimationFunction());
}

TEST_F(ActionFunctions, SplashOnAControlWithoutAVectorBaseOnlyAnimates)
{
  auto* pControl = g.AttachControl(new TestControl(log, "plain", IRECT(0, 0, 100, 100), 0, SplashClickActionFunc));
  pControl->SetDirty(true);
  JumpJustPastStart(*pControl);
  Animate(g);
  EXPECT_TRUE(pControl->GetAnimationFunction());
  JumpPastEnd(*pControl);
  Animate(g);
  EXPECT_FALSE(pControl->GetAnimationFunction());
}

TEST_F(ActionFunctions, BubbleActionsShowTheParameterWithItsLabel)
{
  g.mTextExtent = IRECT(0.f, 0.f, 40.f, 16.f); // bubbles of 70 x 36
  g.AttachBubbleControl();
  IBubbleControl* pBubble = g.GetBubbleControl(0);
  struct Case
  {
    IActionFunction action;
    IRECT bubble;
  };
  const Case cases[] = {{ShowBubbleHorizontalActionFunc, IRECT(140, 102, 210, 138)},
                        {ShowBubbleVerticalActionFunc, IRECT(85, 64, 155, 100)}};
  for (const Case& c : cases)
  {
    auto* pKnob = g.AttachControl(new TestControl(log, "cutoff", IRECT(100, 100, 140, 140), 3, c.action));
    pKnob->SetValueFromUserInput(0.25);

    EXPECT_FALSE(pBubble->IsHidden());
    EXPECT_EQ(pBubble->GetRECT(), c.bubble);
    g.mDrawCalls.clear();
    pBubble->Draw(g);
    const auto texts = g.DrawCallsOf("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "25.0 Hz");
  }
}

TEST_F(ActionFunctions, BubbleActionOfAControlWithoutParameterShowsNothing)
{
  g.AttachBubbleControl();
  auto* pControl = g.AttachControl(new TestControl(log, "plain", IRECT(0, 0, 10, 10)));
  ShowBubbleHorizontalActionFunc(pControl);
  EXPECT_TRUE(g.GetBubbleControl(0)->IsHidden());
}

} // namespace
