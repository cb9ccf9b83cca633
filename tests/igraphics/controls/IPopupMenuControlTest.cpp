// The drawn popup menu over the recording surface, where every text measures 40 x 16: cells are
// 68 x 16 with 2 between them, and the surface is 400 x 300.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../AnimationSteps.h"
#include "../SurfaceFixture.h"
#include "igraphics/controls/IPopupMenuControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

// Opens the protected state that a subclass or the surface would set.
class Probe : public IPopupMenuControl
{
public:
  Probe() : IPopupMenuControl(kNoParameter, DEFAULT_TEXT, IRECT(), IRECT()) {}

  using IPopupMenuControl::mCallOut;
  using IPopupMenuControl::mCalloutArrowDir;
  using IPopupMenuControl::mMaxColumnItems;
  using IPopupMenuControl::mMenuPanels;
  using IPopupMenuControl::mScrollIfTooBig;

  EPopupState State() const { return mState; }
  int NPanels() const { return mMenuPanels.GetSize(); }
  MenuPanel& Panel(int i) const { return *mMenuPanels.Get(i); }
  IRECT Cell(int panel, int cell) const { return *Panel(panel).mCellBounds.Get(cell); }
  int ShownPanels() const
  {
    int n = 0;
    for (int i = 0; i < NPanels(); ++i)
      n += Panel(i).mShouldDraw ? 1 : 0;
    return n;
  }
  float Weight(int panel) const { return Panel(panel).mBlend.mWeight; }

  // The fade of the current state, finished at once.
  void FinishFade() { OnEndAnimation(); }
  void FinishClosing()
  {
    for (int i = 0; i < 8 && mState != kClosed; ++i)
      OnEndAnimation();
  }
  void Hover(float x, float y) { OnMouseOver(x, y, IMouseMod()); }
  void Click(float x, float y) { OnMouseDown(x, y, IMouseMod()); }
};

const IRECT kTopAnchor(100.f, 50.f, 140.f, 70.f);

std::unique_ptr<IPopupMenu> Numbered(int n)
{
  auto menu = std::make_unique<IPopupMenu>();
  for (int i = 0; i < n; ++i)
    menu->AddItem(("Item " + std::to_string(i)).c_str());
  return menu;
}

class PopupMenu : public SurfaceFixture
{
protected:
  PopupMenu() { g.mTextExtent = IRECT(-20.f, -8.f, 20.f, 8.f); }

  void Open(IPopupMenu& menu, const IRECT& anchor = kTopAnchor, bool settle = true)
  {
    popup->CreatePopupMenu(menu, anchor);
    if (settle)
      popup->FinishFade();
  }

  // Draws the open menu and returns the recorded calls.
  std::vector<RecordingGraphics::DrawCall> Drawn(const std::string& op)
  {
    g.mDrawCalls.clear();
    popup->Draw(g);
    return g.DrawCallsOf(op);
  }

  Probe* popup = static_cast<Probe*>(g.AttachControl(new Probe()));
};

struct PlacementCase
{
  const char* name;
  IRECT anchor;
  bool withSubmenu;
  float left, top; // of the visible panel
  int calloutDir;
};

class PopupPlacement : public PopupMenu, public ::testing::WithParamInterface<PlacementCase>
{};

// Three items make a 78 x 62 panel; it must stay 10 inside the surface, so its left edge is at most 312
// and its top at most 228.
TEST_P(PopupPlacement, PanelLiesBesideTheAnchorInsideTheEditor)
{
  const PlacementCase& c = GetParam();
  IPopupMenu plain("", 0, false, {"One", "Two", "Three"});
  IPopupMenu nested("", 0, false, {"One", "Three"});
  nested.AddItem("Two", 1, new IPopupMenu("", 0, false, {"X"}));
  Open(c.withSubmenu ? nested : plain, c.anchor);

  ASSERT_EQ(popup->NPanels(), 1);
  const IRECT panel = popup->Panel(0).mTargetRect;
  EXPECT_FLOAT_EQ(panel.L, c.left);
  EXPECT_FLOAT_EQ(panel.T, c.top);
  EXPECT_FLOAT_EQ(panel.W(), 78.f);
  EXPECT_FLOAT_EQ(panel.H(), 62.f);
  EXPECT_EQ(popup->mCalloutArrowDir, c.calloutDir);
  EXPECT_EQ(popup->GetTargetRECT(), panel);
  EXPECT_EQ(popup->GetRECT(), panel.GetPadded(10.f));
}

INSTANTIATE_TEST_SUITE_P(
  Anchors, PopupPlacement,
  ::testing::Values(PlacementCase{"RoomBelow", kTopAnchor, false, 86.f, 70.f, 2},
                    PlacementCase{"NearTheBottomGoesAbove", IRECT(100.f, 260.f, 140.f, 280.f), false, 86.f, 198.f, 0},
                    PlacementCase{"AtTheRightEdgeIsPushedIn", IRECT(380.f, 50.f, 400.f, 70.f), false, 312.f, 70.f, 2},
                    PlacementCase{"BottomRightCorner", IRECT(360.f, 260.f, 400.f, 280.f), false, 312.f, 198.f, 0},
                    PlacementCase{"AnchorCoversEverything", IRECT(0.f, 0.f, 400.f, 300.f), false, 312.f, 228.f, 1},
                    PlacementCase{"SubmenusBelowWithMoreRoomBelow", kTopAnchor, true, 86.f, 70.f, 2},
                    PlacementCase{"SubmenusAboveWithMoreRoomAbove", IRECT(100.f, 200.f, 140.f, 220.f), true, 86.f,
                                  138.f, 0}),
  [](const ::testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

TEST_F(PopupMenu, CellsStackInOneColumnWithSeparatorsThin)
{
  IPopupMenu menu("", 0, false, {"One", "Two"});
  menu.AddItem("", 1, IPopupMenu::Item::kSeparator);
  Open(menu);

  ASSERT_EQ(popup->Panel(0).mCellBounds.GetSize(), 3);
  EXPECT_EQ(popup->Cell(0, 0), IRECT(91.f, 75.f, 159.f, 91.f));
  EXPECT_EQ(popup->Cell(0, 1), IRECT(91.f, 93.f, 159.f, 95.f));
  EXPECT_EQ(popup->Cell(0, 2), IRECT(91.f, 97.f, 159.f, 113.f));
  EXPECT_EQ(popup->Panel(0).mTargetRect, IRECT(86.f, 70.f, 164.f, 118.f));
}

TEST_F(PopupMenu, WithoutScrollingAFullColumnStartsTheNextBesideIt)
{
  popup->mScrollIfTooBig = false;
  popup->mMaxColumnItems = 4;
  auto menu = Numbered(10);
  Open(*menu);

  const IPopupMenuControl::MenuPanel& panel = popup->Panel(0);
  ASSERT_EQ(panel.mCellBounds.GetSize(), 10);
  EXPECT_FALSE(panel.mScroller);
  EXPECT_EQ(popup->Cell(0, 3), IRECT(91.f, 129.f, 159.f, 145.f));
  EXPECT_EQ(popup->Cell(0, 4), IRECT(161.f, 75.f, 229.f, 91.f));
  EXPECT_EQ(popup->Cell(0, 9), IRECT(231.f, 93.f, 299.f, 109.f));
  EXPECT_EQ(panel.mTargetRect, IRECT(86.f, 70.f, 304.f, 150.f));
}

// Each entry: where the mouse is, the cell it hits (-1 none) and the index a click there chooses.
struct HitCase
{
  float x, y;
  int cell;
  int chosen;
};

class PopupHits : public PopupMenu, public ::testing::WithParamInterface<HitCase>
{};

// Items: 0 "One" (75..91), 1 disabled (93..109), 2 separator (111..113), 3 title (115..131), 4 "Last"
// (133..149); the cells run from x 91 to 159.
TEST_P(PopupHits, TheCellUnderTheMouseIsChosenOnlyWhenChoosable)
{
  IPopupMenu menu;
  menu.AddItem("One");
  menu.AddItem("Off", -1, IPopupMenu::Item::kDisabled);
  menu.AddItem("", -1, IPopupMenu::Item::kSeparator);
  menu.AddItem("Head", -1, IPopupMenu::Item::kTitle);
  menu.AddItem("Last");
  std::vector<int> completions;
  menu.SetFunction([&](IPopupMenu* pMenu) { completions.push_back(pMenu->GetChosenItemIdx()); });
  Open(menu);

  const HitCase& c = GetParam();
  const IRECT* pHit = popup->Panel(0).HitTestCells(c.x, c.y);
  EXPECT_EQ(pHit ? popup->Panel(0).mCellBounds.Find(pHit) : -1, c.cell);

  menu.SetChosenItemIdx(3);
  popup->Click(c.x, c.y);
  EXPECT_EQ(menu.GetChosenItemIdx(), c.chosen);
  EXPECT_EQ(completions, std::vector<int>{c.chosen});
  EXPECT_EQ(popup->State(), IPopupMenuControl::kFlickering);
  EXPECT_TRUE(popup->IsHidden());
}

INSTANTIATE_TEST_SUITE_P(Points, PopupHits,
                         ::testing::Values(HitCase{120.f, 80.f, 0, 0}, HitCase{91.f, 75.f, 0, 0},
                                           HitCase{159.f, 80.f, -1, -1}, HitCase{120.f, 92.f, -1, -1},
                                           HitCase{120.f, 100.f, -1, -1}, HitCase{120.f, 112.f, 2, -1},
                                           HitCase{120.f, 120.f, 3, -1}, HitCase{120.f, 140.f, 4, 4},
                                           HitCase{5.f, 5.f, -1, -1}));

TEST_F(PopupMenu, TheFadesRunThroughTheStatesAndCloseTheControl)
{
  IPopupMenu menu("", 0, false, {"One", "Two"});
  Open(menu, kTopAnchor, false);
  EXPECT_EQ(popup->State(), IPopupMenuControl::kExpanding);
  EXPECT_FALSE(popup->IsHidden());
  EXPECT_FALSE(popup->GetExpanded());

  popup->FinishFade();
  EXPECT_TRUE(popup->GetExpanded());
  EXPECT_FLOAT_EQ(popup->Weight(0), 0.95f);
  EXPECT_FALSE(popup->GetAnimationFunction());

  popup->Click(120.f, 80.f);
  const std::vector<IPopupMenuControl::EPopupState> expected = {
    IPopupMenuControl::kCollapsing, IPopupMenuControl::kFinishing, IPopupMenuControl::kClosed};
  for (IPopupMenuControl::EPopupState state : expected)
  {
    // Each closing step starts the fade of the next one itself.
    EXPECT_TRUE(popup->GetAnimationFunction());
    popup->FinishFade();
    EXPECT_EQ(popup->State(), state);
    EXPECT_TRUE(popup->IsHidden());
  }
  EXPECT_EQ(popup->NPanels(), 0);
  EXPECT_TRUE(popup->GetRECT().Empty());
  EXPECT_TRUE(popup->GetTargetRECT().Empty());
  EXPECT_FALSE(popup->GetAnimationFunction());
}

TEST_F(PopupMenu, TheOpeningFadeEndsInTimeThroughTheAnimation)
{
  ManualAnimationClock clock;
  IPopupMenu menu("", 0, false, {"One"});
  Open(menu, kTopAnchor, false);
  // The panel fades in over a tenth of a second, to the control's opacity.
  const struct
  {
    double advanceMs;
    bool expanded;
    float weight;
  } steps[] = {{0., false, 0.f}, {50., false, 0.475f}, {45., false, 0.9025f}, {10., true, 0.95f}};
  double elapsedMs = 0.;
  for (const auto& step : steps)
  {
    clock.Advance(step.advanceMs);
    elapsedMs += step.advanceMs;
    popup->Animate();
    EXPECT_EQ(popup->GetExpanded(), step.expanded) << elapsedMs << " ms";
    EXPECT_NEAR(popup->Weight(0), step.weight, 1e-5f) << elapsedMs << " ms";
  }
}

TEST_F(PopupMenu, ASecondMenuIsIgnoredUntilTheFirstHasClosed)
{
  IPopupMenu first("", 0, false, {"One"});
  IPopupMenu second("", 0, false, {"A", "B", "C"});
  Open(first);

  popup->CreatePopupMenu(second, IRECT(300.f, 200.f, 320.f, 220.f));
  ASSERT_EQ(popup->NPanels(), 1);
  EXPECT_EQ(&popup->Panel(0).mMenu, &first);
  EXPECT_TRUE(popup->GetExpanded());

  popup->Click(5.f, 5.f);
  for (int step = 0; step < 3; ++step)
  {
    popup->CreatePopupMenu(second, kTopAnchor);
    EXPECT_EQ(&popup->Panel(0).mMenu, &first) << step;
    popup->FinishFade();
  }
  ASSERT_EQ(popup->State(), IPopupMenuControl::kClosed);

  Open(second);
  ASSERT_EQ(popup->NPanels(), 1);
  EXPECT_EQ(&popup->Panel(0).mMenu, &second);
}

// Fifteen rows fit: (300 - 5 - 15) / 18 = 15.6 gives 15 cells from y 15 down.
TEST_F(PopupMenu, ATallMenuScrollsBetweenItsLimitsWhileTheMouseRestsOnAnArrow)
{
  auto menu = Numbered(40);
  Open(*menu);
  IPopupMenuControl::MenuPanel& panel = popup->Panel(0);
  ASSERT_TRUE(panel.mScroller);
  ASSERT_EQ(panel.mScrollMaxRows, 15);
  ASSERT_EQ(panel.mCellBounds.GetSize(), 15);
  EXPECT_FLOAT_EQ(popup->Cell(0, 0).T, 15.f);
  EXPECT_FLOAT_EQ(popup->Cell(0, 14).B, 283.f);
  EXPECT_GE(panel.mTargetRect.T, 0.f);
  EXPECT_LE(panel.mTargetRect.B, 300.f);

  const IRECT first = popup->Cell(0, 0), last = popup->Cell(0, 14);
  popup->Hover(first.MW(), first.MH());
  EXPECT_EQ(panel.mScrollItemOffset, 0);
  popup->Hover(last.MW(), last.MH());
  EXPECT_EQ(panel.mScrollItemOffset, 1);
  for (int i = 0; i < 40; ++i)
    popup->Hover(last.MW(), last.MH());
  EXPECT_EQ(panel.mScrollItemOffset, 25);
  popup->Hover(first.MW(), first.MH());
  EXPECT_EQ(panel.mScrollItemOffset, 24);

  // The first and last cells show arrows, the others items 25 to 37.
  const auto texts = Drawn("text");
  ASSERT_EQ(texts.size(), 13u);
  EXPECT_EQ(texts.front().text, "Item 25");
  EXPECT_EQ(texts.back().text, "Item 37");
  EXPECT_EQ(Drawn("fill triangle").size(), 2u);

  const IRECT fifth = popup->Cell(0, 4);
  popup->Hover(fifth.MW(), fifth.MH());
  popup->Click(fifth.MW(), fifth.MH());
  EXPECT_EQ(menu->GetChosenItemIdx(), 28);
}

TEST_F(PopupMenu, AClickOnAScrollArrowChoosesNothing)
{
  auto menu = Numbered(40);
  Open(*menu);
  const IRECT last = popup->Cell(0, 14);
  popup->Hover(last.MW(), last.MH());
  popup->Click(last.MW(), last.MH());
  EXPECT_EQ(menu->GetChosenItemIdx(), -1);
}

class PopupSubmenus : public PopupMenu
{
protected:
  // "Alpha", "More" (opens "X", "Y"), "Gamma": the root panel's cells run from x 91 to 159.
  PopupSubmenus()
  {
    menu.AddItem("Alpha");
    pMore = menu.AddItem("More", new IPopupMenu("", 0, false, {"X", "Y"}));
    menu.AddItem("Gamma");
    Open(menu);
  }
  IPopupMenu menu;
  IPopupMenu::Item* pMore = nullptr;
};

TEST_F(PopupSubmenus, HoveringASubmenuItemOpensItsPanelBesideTheCell)
{
  popup->Hover(120.f, 100.f);

  ASSERT_EQ(popup->NPanels(), 2);
  EXPECT_EQ(&popup->Panel(1).mMenu, pMore->GetSubmenu());
  EXPECT_EQ(popup->Panel(1).mParentIdx, 0);
  EXPECT_EQ(popup->Panel(1).mTargetRect, IRECT(164.f, 88.f, 242.f, 132.f));
  EXPECT_EQ(popup->ShownPanels(), 2);
  EXPECT_EQ(popup->Panel(0).mHighlightedCell, popup->Panel(0).mCellBounds.Get(1));
  EXPECT_EQ(popup->State(), IPopupMenuControl::kSubmenuAppearing);
  EXPECT_EQ(popup->GetTargetRECT(), IRECT(86.f, 70.f, 242.f, 132.f));

  // Hovering the same cell again keeps the one panel.
  popup->FinishFade();
  popup->Hover(121.f, 101.f);
  EXPECT_EQ(popup->NPanels(), 2);
  EXPECT_EQ(popup->State(), IPopupMenuControl::kExpanded);
}

TEST_F(PopupSubmenus, AChoiceInTheSubmenuIsWrittenIntoTheSubmenu)
{
  popup->Hover(120.f, 100.f);
  popup->FinishFade();
  popup->Hover(200.f, 120.f);
  popup->Click(200.f, 120.f);

  EXPECT_EQ(pMore->GetSubmenu()->GetChosenItemIdx(), 1);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
}

TEST_F(PopupSubmenus, ClickingTheItemThatOpensASubmenuChoosesNothing)
{
  popup->Hover(120.f, 100.f);
  popup->FinishFade();
  popup->Click(120.f, 100.f);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
}

TEST_F(PopupSubmenus, MovingBackToAPlainItemHidesEveryLevelBelow)
{
  IPopupMenu* pDeep = new IPopupMenu("", 0, false, {"Leaf"});
  pMore->GetSubmenu()->AddItem("Deeper", pDeep);
  popup->Hover(120.f, 100.f);
  popup->FinishFade();
  const IRECT deeper = popup->Cell(1, 2);
  popup->Hover(deeper.MW(), deeper.MH());
  popup->FinishFade();
  ASSERT_EQ(popup->NPanels(), 3);
  ASSERT_EQ(popup->ShownPanels(), 3);

  // Straight from the deepest panel to the root's first item.
  popup->Hover(120.f, 80.f);
  EXPECT_EQ(popup->ShownPanels(), 1);
  EXPECT_TRUE(popup->Panel(0).mShouldDraw);
  EXPECT_EQ(popup->Panel(0).mHighlightedCell, nullptr);
}

TEST_F(PopupMenu, DrawingShowsChecksSeparatorsSubmenuArrowsAndTheHoveredCell)
{
  IPopupMenu menu;
  menu.AddItem("Checked", -1, IPopupMenu::Item::kChecked);
  menu.AddItem("", -1, IPopupMenu::Item::kSeparator);
  menu.AddItem("Off", -1, IPopupMenu::Item::kDisabled);
  menu.AddItem("More", new IPopupMenu("", 0, false, {"X"}));
  Open(menu);
  popup->Hover(120.f, 80.f);

  const auto rounds = Drawn("fill round rect");
  ASSERT_EQ(rounds.size(), 2u);
  EXPECT_EQ(rounds[0].color, COLOR_WHITE);
  EXPECT_FLOAT_EQ(rounds[0].weight, 0.95f);
  // The tick: 5 x 5 in the middle of the cell's first 10 pixels, in the hovered text colour.
  EXPECT_EQ(rounds[1].color, COLOR_WHITE);
  EXPECT_EQ(rounds[1].coords, (std::vector<float>{93.5f, 80.5f, 98.5f, 85.5f, 2.f}));

  const auto rects = Drawn("fill rect");
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].color, COLOR_BLUE);
  EXPECT_EQ(rects[0].coords, (std::vector<float>{86.f, 75.f, 164.f, 91.f}));
  EXPECT_EQ(rects[1].color, COLOR_MID_GRAY);
  EXPECT_FLOAT_EQ(rects[1].weight, 0.25f);

  const auto texts = Drawn("text");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].color, COLOR_WHITE);
  EXPECT_EQ(texts[0].coords, (std::vector<float>{106.f, 75.f, 154.f, 91.f}));
  EXPECT_EQ(texts[1].color, COLOR_GRAY);
  EXPECT_EQ(texts[2].color, COLOR_BLACK);

  // The submenu arrow: its tip halfway into the padding right of the cell.
  const auto triangles = Drawn("fill triangle");
  ASSERT_EQ(triangles.size(), 1u);
  EXPECT_EQ(triangles[0].color, COLOR_BLACK);
  EXPECT_FLOAT_EQ(triangles[0].coords[2], 161.5f);
}

// With callouts the root panel keeps 8 from the anchor and a submenu 8 from its parent cell; each
// callout points back at what its panel belongs to.
TEST_F(PopupMenu, CalloutsPointFromThePanelsBackToAnchorAndParentCell)
{
  popup->mCallOut = true;
  IPopupMenu menu;
  menu.AddItem("Alpha");
  menu.AddItem("More", new IPopupMenu("", 0, false, {"X"}));
  Open(menu);
  EXPECT_FLOAT_EQ(popup->Panel(0).mTargetRect.T, 78.f);

  popup->Hover(120.f, 109.f);
  ASSERT_EQ(popup->NPanels(), 2);
  EXPECT_FLOAT_EQ(popup->Panel(1).mTargetRect.L, 172.f);

  std::vector<std::vector<float>> callouts;
  for (const auto& call : Drawn("fill triangle"))
    if (call.color == COLOR_WHITE)
      callouts.push_back(call.coords);
  const std::vector<float> towardsAnchor{116.f, 78.f, 120.f, 70.f, 124.f, 78.f};
  const std::vector<float> towardsCell{172.f, 105.f, 164.f, 109.f, 172.f, 113.f};
  EXPECT_NE(std::find(callouts.begin(), callouts.end(), towardsAnchor), callouts.end());
  EXPECT_NE(std::find(callouts.begin(), callouts.end(), towardsCell), callouts.end());
}

TEST_F(PopupMenu, SeparatorsWaitUntilThePanelIsNearlyOpaque)
{
  IPopupMenu menu;
  menu.AddItem("", -1, IPopupMenu::Item::kSeparator);
  Open(menu, kTopAnchor, false);
  EXPECT_TRUE(Drawn("fill rect").empty());
  popup->FinishFade();
  EXPECT_EQ(Drawn("fill rect").size(), 1u);
}

// Menus from elsewhere: none may crash the control, and every click ends with a valid answer.
struct HostileCase
{
  const char* name;
  std::function<std::unique_ptr<IPopupMenu>()> make;
  IRECT textExtent;
};

class PopupHostileMenus : public PopupMenu, public ::testing::WithParamInterface<HostileCase>
{};

TEST_P(PopupHostileMenus, SurviveHoveringEverywhereAndAClick)
{
  g.mTextExtent = GetParam().textExtent;
  std::unique_ptr<IPopupMenu> menu = GetParam().make();
  Open(*menu);
  ASSERT_EQ(popup->NPanels(), 1);

  for (float y = -10.f; y < 320.f; y += 7.f)
    for (float x = -10.f; x < 420.f; x += 13.f)
    {
      popup->Hover(x, y);
      if (popup->State() == IPopupMenuControl::kSubmenuAppearing)
        popup->FinishFade();
    }
  Drawn("text");
  popup->Click(200.f, 150.f);
  popup->Draw(g);
  popup->FinishClosing();
  EXPECT_EQ(popup->State(), IPopupMenuControl::kClosed);
}

std::unique_ptr<IPopupMenu> Nested(int depth)
{
  auto root = std::make_unique<IPopupMenu>();
  IPopupMenu* pLevel = root.get();
  for (int i = 0; i < depth; ++i)
  {
    pLevel->AddItem("Plain");
    pLevel = pLevel->AddItem("Deeper", new IPopupMenu())->GetSubmenu();
  }
  pLevel->AddItem("Bottom");
  return root;
}

INSTANTIATE_TEST_SUITE_P(
  Menus, PopupHostileMenus,
  ::testing::Values(HostileCase{"Empty", [] { return std::make_unique<IPopupMenu>(); }, IRECT(-20.f, -8.f, 20.f, 8.f)},
                    HostileCase{"WiderThanTheEditor", [] { return Numbered(2); }, IRECT(-500.f, -8.f, 500.f, 8.f)},
                    HostileCase{"TallerThanTheEditorTwice", [] { return Numbered(1000); },
                                IRECT(-20.f, -8.f, 20.f, 8.f)},
                    HostileCase{"TextlessItems", [] { return Numbered(5); }, IRECT()},
                    HostileCase{"ThirtyLevelsDeep", [] { return Nested(30); }, IRECT(-20.f, -8.f, 20.f, 8.f)}),
  [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

TEST_F(PopupMenu, AnEmptyMenuStillOpensAPanelThatAClickDismisses)
{
  IPopupMenu menu;
  int completions = 0;
  menu.SetFunction([&](IPopupMenu* pMenu) { completions += pMenu->GetChosenItemIdx() == -1 ? 1 : 100; });
  Open(menu);
  // No text to measure: the panel is as wide as the tick, the paddings and the arrow.
  EXPECT_EQ(popup->Panel(0).mTargetRect, IRECT(106.f, 70.f, 144.f, 80.f));
  popup->Click(120.f, 75.f);
  EXPECT_EQ(completions, 1);
}

} // namespace
