#include "SurfaceFixture.h"
#include "igraphics/IContainerBase.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

constexpr IColor kPanelColor(255, 10, 20, 30);

class Container : public SurfaceFixture
{
protected:
  // A panel whose attach function adds children "a" and "b" side by side, and whose resize function
  // lays them out again in the halves of its bounds.
  IPanelControl* AttachPanel(const IRECT& bounds, const char* group = "")
  {
    auto layout = [](IContainerBase* pContainer, const IRECT& r) {
      pContainer->ForAllChildren([&](int idx, IControl* pChild) {
        const float half = r.W() / 2.f;
        pChild->SetTargetAndDrawRECTs(IRECT(r.L + idx * half, r.T, r.L + (idx + 1) * half, r.B));
      });
    };
    auto* pPanel = new IPanelControl(
      bounds, kPanelColor, false,
      [this](IContainerBase* pContainer, const IRECT& r) {
        log.Add("attach func");
        pContainer->AddChildControl(new TestControl(log, "a", r));
        pContainer->AddChildControl(new TestControl(log, "b", r));
      },
      [this, layout](IContainerBase* pContainer, const IRECT& r) {
        log.Add("resize func");
        layout(pContainer, r);
      });
    return static_cast<IPanelControl*>(g.AttachControl(pPanel, kNoTag, group));
  }
};

TEST_F(Container, AttachBuildsTheChildrenThenLaysThemOut)
{
  IPanelControl* pPanel = AttachPanel(IRECT(0.f, 0.f, 100.f, 40.f), "fx");

  // The resize function waits for children: it runs once, after the attach function built them.
  EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "resize func"), 1);
  EXPECT_LT(IndexOf("b attached"), IndexOf("resize func"));
  ASSERT_EQ(pPanel->NChildren(), 2);
  EXPECT_EQ(g.NControls(), 3);
  for (int i = 0; i < 2; ++i)
  {
    IControl* pChild = pPanel->GetChild(i);
    EXPECT_EQ(g.GetControl(i + 1), pChild);
    EXPECT_EQ(pChild->GetParent(), pPanel);
    EXPECT_STREQ(pChild->GetGroup(), "fx");
  }
  EXPECT_EQ(pPanel->GetChild(1)->GetRECT(), IRECT(50.f, 0.f, 100.f, 40.f));
  EXPECT_TRUE(pPanel->GetIgnoreMouse());

  log.Clear();
  g.SetControlSize(pPanel, 60.f, 40.f);
  EXPECT_TRUE(Logged("resize func"));
  EXPECT_EQ(pPanel->GetChild(1)->GetRECT(), IRECT(30.f, 0.f, 60.f, 40.f));
}

TEST_F(Container, ChildrenTakeTheGivenTagAndGroup)
{
  IPanelControl* pPanel = AttachPanel(IRECT(0.f, 0.f, 100.f, 40.f), "fx");
  IControl* pTagged = pPanel->AddChildControl(new TestControl(log, "c", IRECT()), 9, "meters");
  EXPECT_EQ(g.GetControlWithTag(9), pTagged);
  EXPECT_STREQ(pTagged->GetGroup(), "meters");

  // A refused child is deleted by the surface and not listed.
  const int deletedBefore = TestControl::sDeleted;
  EXPECT_EQ(pPanel->AddChildControl(new TestControl(log, "d", IRECT()), 9), nullptr);
  EXPECT_EQ(TestControl::sDeleted, deletedBefore + 1);
  EXPECT_EQ(pPanel->NChildren(), 3);
}

TEST_F(Container, AChildCannotJoinAContainerWithoutASurface)
{
  IPanelControl panel(IRECT(0.f, 0.f, 10.f, 10.f), kPanelColor);
  const int deletedBefore = TestControl::sDeleted;
  EXPECT_EQ(panel.AddChildControl(new TestControl(log, "orphan", IRECT())), nullptr);
  EXPECT_EQ(TestControl::sDeleted, deletedBefore + 1);
  EXPECT_EQ(panel.NChildren(), 0);
}

TEST_F(Container, HidingAndShowingReachesEveryChild)
{
  IPanelControl* pPanel = AttachPanel(IRECT(0.f, 0.f, 100.f, 40.f));
  IControl* pA = pPanel->GetChild(0);
  IControl* pB = pPanel->GetChild(1);
  pB->Hide(true); // hidden on its own

  pPanel->Hide(true);
  EXPECT_TRUE(pPanel->IsHidden());
  EXPECT_TRUE(pA->IsHidden());
  EXPECT_TRUE(pB->IsHidden());

  pPanel->Hide(false);
  EXPECT_FALSE(pPanel->IsHidden());
  EXPECT_FALSE(pA->IsHidden());
  EXPECT_FALSE(pB->IsHidden());
}

TEST_F(Container, DisablingReachesEveryChildAndFadesIt)
{
  IPanelControl* pPanel = AttachPanel(IRECT(0.f, 0.f, 100.f, 40.f));
  pPanel->SetClean();

  pPanel->SetDisabled(true);
  EXPECT_TRUE(pPanel->IsDisabled());
  EXPECT_FLOAT_EQ(pPanel->GetBlend().mWeight, 0.25f);
  EXPECT_TRUE(pPanel->IsDirty());
  for (int i = 0; i < 2; ++i)
  {
    EXPECT_TRUE(pPanel->GetChild(i)->IsDisabled());
    EXPECT_FLOAT_EQ(pPanel->GetChild(i)->GetBlend().mWeight, 0.25f);
  }

  pPanel->SetDisabled(false);
  EXPECT_FLOAT_EQ(pPanel->GetBlend().mWeight, 1.f);
  for (int i = 0; i < 2; ++i)
    EXPECT_FALSE(pPanel->GetChild(i)->IsDisabled());
}

TEST_F(Container, AChildJoiningAHiddenDisabledContainerIsHiddenAndDisabledAndStaysSoOnRelayout)
{
  IPanelControl* pPanel = AttachPanel(IRECT(0.f, 0.f, 100.f, 40.f));
  pPanel->Hide(true);
  pPanel->SetDisabled(true);

  IControl* pLate = pPanel->AddChildControl(new TestControl(log, "late", IRECT(0.f, 0.f, 5.f, 5.f)));
  EXPECT_TRUE(pLate->IsHidden());
  EXPECT_TRUE(pLate->IsDisabled());

  g.SetControlBounds(pPanel, IRECT(0.f, 0.f, 300.f, 40.f));
  for (int i = 0; i < pPanel->NChildren(); ++i)
  {
    EXPECT_TRUE(pPanel->GetChild(i)->IsHidden()) << i;
    EXPECT_TRUE(pPanel->GetChild(i)->IsDisabled()) << i;
  }

  pPanel->Hide(false);
  pPanel->SetDisabled(false);
  EXPECT_FALSE(pLate->IsHidden());
  EXPECT_FALSE(pLate->IsDisabled());

  // A visible, enabled container leaves a new child as it was given.
  auto* pHiddenChild = new TestControl(log, "hidden", IRECT());
  pHiddenChild->Hide(true);
  EXPECT_TRUE(pPanel->AddChildControl(pHiddenChild)->IsHidden());
  EXPECT_FALSE(pHiddenChild->IsDisabled());
}

TEST_F(Container, RemovingAContainerLeavesItsChildrenToTheSurface)
{
  IPanelControl* pPanel = AttachPanel(IRECT(0.f, 0.f, 100.f, 40.f));
  const int deletedBefore = TestControl::sDeleted;

  g.RemoveControl(pPanel);

  EXPECT_EQ(TestControl::sDeleted, deletedBefore);
  EXPECT_EQ(g.NControls(), 2);
}

TEST_F(Container, PanelFillsItsBoundsAndFramesThemWhenAsked)
{
  for (bool frame : {false, true})
  {
    SCOPED_TRACE(frame);
    IPanelControl panel(IRECT(1.f, 2.f, 11.f, 22.f), kPanelColor, frame);
    panel.SetBlend(BLEND_50);
    g.mDrawCalls.clear();

    panel.Draw(g);

    std::vector<std::string> expectedOps = {"path move", "path line",  "path line",
                                            "path line", "path close", "path fill"};
    if (frame)
      expectedOps.push_back("draw rect");
    EXPECT_EQ(g.DrawOps(), expectedOps);
    const auto& calls = g.mDrawCalls;
    EXPECT_EQ(calls[0].coords, (std::vector<float>{1.f, 2.f}));
    EXPECT_EQ(calls[1].coords, (std::vector<float>{11.f, 2.f}));
    EXPECT_EQ(calls[2].coords, (std::vector<float>{11.f, 22.f}));
    EXPECT_EQ(calls[3].coords, (std::vector<float>{1.f, 22.f}));
    EXPECT_EQ(calls[5].color, kPanelColor);
    EXPECT_EQ(calls[5].coords, (std::vector<float>{0.f, 0.f})); // winding rule, path not kept
    EXPECT_FLOAT_EQ(calls[5].weight, 0.5f);
    if (frame)
    {
      EXPECT_EQ(calls[6].color, COLOR_LIGHT_GRAY);
      EXPECT_EQ(calls[6].coords, (std::vector<float>{1.f, 2.f, 11.f, 22.f}));
      EXPECT_FLOAT_EQ(calls[6].weight, 0.5f);
    }
  }
}

} // namespace
