// The drawn popup menu in the surface's menu slot on the headless editor, opened for a control and
// driven through the surface's input and real fades: where the answer goes, and what it looks like
// in the default style, checked by sampled pixels.
#include "../platforms/HeadlessEditor.h"
#include "igraphics/controls/IPopupMenuControl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace headless;
using namespace iplug::igraphics;

namespace
{

const IColor kBackground(255, 40, 40, 40);
const IRECT kAnchor(40.f, 40.f, 120.f, 60.f);

// A colour drawn at the panels' final weight over another.
IColor Over(const IColor& c, const IColor& below)
{
  auto mix = [](int top, int bottom) { return static_cast<int>(0.95f * top + 0.05f * bottom + 0.5f); };
  return IColor(255, mix(c.R, below.R), mix(c.G, below.G), mix(c.B, below.B));
}

const IColor kPanel = Over(COLOR_WHITE, kBackground);

// The control that asks for the menu, under the anchor; it keeps every answer and every click.
class Asker : public iplug::igraphics::IControl
{
public:
  Asker() : IControl(kAnchor) {}
  void Draw(IGraphics&) override {}
  void OnMouseDown(float, float, const IMouseMod&) override { ++mouseDowns; }
  void OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx) override
  {
    answers.push_back(pMenu);
    chosen.push_back(pMenu ? pMenu->GetChosenItemIdx() : -1);
    valIdxs.push_back(valIdx);
  }
  std::vector<IPopupMenu*> answers;
  std::vector<int> chosen, valIdxs;
  int mouseDowns = 0;
};

class PopupMenuSurface : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(e.fontLoaded);
    e.Add(e.graphics->GetBounds(),
          [](IGraphics& g, DrawFuncControl& self) { g.FillRect(kBackground, self.GetRECT()); });
    asker = static_cast<Asker*>(e.graphics->AttachControl(new Asker()));
    e.graphics->EnableMouseOver(true);
    e.graphics->AttachPopupMenuControl(DEFAULT_TEXT, IRECT());
    e.graphics->ForAllControlsFunc([this](IControl* pControl) {
      if (auto* pPopup = dynamic_cast<IPopupMenuControl*>(pControl))
        popup = pPopup;
    });
    ASSERT_NE(popup, nullptr);
  }

  // Opens the menu for the asker and waits until it has faded in; rows are then measured on the
  // root panel, whose items are all text rows of one height.
  void Open(IPopupMenu& menu, int valIdx = 0)
  {
    e.graphics->CreatePopupMenu(*asker, menu, kAnchor, valIdx);
    ASSERT_TRUE(TickUntil([&] { return popup->GetExpanded(); }));
    root = popup->GetTargetRECT();
    rowH = (root.H() - 10.f - (menu.NItems() - 1) * 2.f) / menu.NItems();
  }

  float RowMid(int row) const { return root.T + 5.f + row * (rowH + 2.f) + rowH / 2.f; }

  void Hover(float x, float y) { e.graphics->OnMouseOver(x, y, IMouseMod()); }
  void Click(float x, float y)
  {
    e.graphics->OnMouseDown({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(true)}});
    e.graphics->OnMouseUp({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(true)}});
  }

  // Redraws until the condition holds, through the fades' own timing.
  bool TickUntil(const std::function<bool()>& done)
  {
    for (int i = 0; i < 200; ++i)
    {
      e.graphics->Tick();
      if (done())
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  IColor At(float x, float y) { return e.graphics->PixelAt(static_cast<int>(x), static_cast<int>(y)); }

  Editor e{400, 300};
  Asker* asker = nullptr;
  IPopupMenuControl* popup = nullptr;
  IRECT root;
  float rowH = 0.f;
};

// Where the mouse rests before the click and where it clicks: a root row, a row of the submenu that
// "More" opens, or (row -1) a point outside every panel, on the asking control.
struct AnswerCase
{
  const char* name;
  int clickRow;
  bool inSubmenu;
  bool chosenInSubmenu; // which menu the asker gets back, when it gets one
  int chosen;           // -1: the asker is told of a dismissal with a null menu
};

class PopupMenuAnswers : public PopupMenuSurface, public ::testing::WithParamInterface<AnswerCase>
{};

// Root rows: "One", "Two", "More" (opens "X", "Y"), "Off" (disabled).
TEST_P(PopupMenuAnswers, TheAskingControlGetsTheChoiceOrANullMenu)
{
  const AnswerCase& c = GetParam();
  IPopupMenu menu("", 0, false, {"One", "Two"});
  IPopupMenu* pSub = menu.AddItem("More", new IPopupMenu("", 0, false, {"X", "Y"}))->GetSubmenu();
  menu.AddItem("Off", -1, IPopupMenu::Item::kDisabled);
  Open(menu, 3);

  float x = root.L + 20.f, y = RowMid(c.clickRow);
  if (c.inSubmenu)
  {
    Hover(x, RowMid(2));
    ASSERT_TRUE(TickUntil([&] { return popup->GetExpanded() && popup->GetTargetRECT().R > root.R; }));
    x = root.R + 20.f;
    y = RowMid(2) + c.clickRow * (rowH + 2.f);
  }
  else if (c.clickRow < 0)
  {
    x = kAnchor.MW();
    y = kAnchor.MH();
  }
  // Resting on "More" opens the submenu; a click lands once it has settled.
  Hover(x, y);
  ASSERT_TRUE(TickUntil([&] { return popup->GetExpanded(); }));
  Click(x, y);

  ASSERT_EQ(asker->answers.size(), 1u);
  EXPECT_EQ(asker->valIdxs[0], 3);
  if (c.chosen < 0)
    EXPECT_EQ(asker->answers[0], nullptr);
  else
  {
    EXPECT_EQ(asker->answers[0], c.chosenInSubmenu ? pSub : &menu);
    EXPECT_EQ(asker->chosen[0], c.chosen);
  }
  EXPECT_EQ(asker->mouseDowns, 0) << "the open menu takes every click";
  EXPECT_EQ(e.graphics->GetControlInPopupMenu(), nullptr);
  EXPECT_FALSE(popup->GetExpanded());
}

INSTANTIATE_TEST_SUITE_P(Clicks, PopupMenuAnswers,
                         ::testing::Values(AnswerCase{"RootItem", 1, false, false, 1},
                                           AnswerCase{"SubmenuItem", 1, true, true, 1},
                                           AnswerCase{"ItemThatOpensTheSubmenu", 2, false, false, -1},
                                           AnswerCase{"DisabledItem", 3, false, false, -1},
                                           AnswerCase{"OutsideOnTheAskingControl", -1, false, false, -1}),
                         [](const ::testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

TEST_F(PopupMenuSurface, WhileASubmenuFadesInClicksDoNotFallThroughTheOpenMenu)
{
  IPopupMenu menu("", 0, false, {"One", "Two"});
  menu.AddItem("More", new IPopupMenu("", 0, false, {"X", "Y"}));
  Open(menu);
  Hover(root.L + 20.f, RowMid(2));
  ASSERT_EQ(popup->GetState(), IPopupMenuControl::kSubmenuAppearing);
  Click(kAnchor.MW(), kAnchor.MH()); // on the asking control, under nothing but the menu's reach
  EXPECT_EQ(asker->mouseDowns, 0);
}

TEST_F(PopupMenuSurface, SnapshotOfACheckedEntryAndAnOpenSubmenuInTheDefaultLook)
{
  IPopupMenu menu;
  menu.AddItem("Sine", -1, IPopupMenu::Item::kChecked);
  menu.AddItem("Square");
  menu.AddItem("", -1, IPopupMenu::Item::kSeparator);
  menu.AddItem("Shapes", new IPopupMenu("", 0, false, {"Saw", "Triangle"}));
  Open(menu);
  EXPECT_FLOAT_EQ(root.T, 60.f) << "below the anchor";

  // Three text rows, a separator of 2 and gaps of 2, inside a padding of 5.
  rowH = (root.H() - 10.f - 2.f - 3.f * 2.f) / 3.f;
  const float sineMid = RowMid(0), squareMid = RowMid(1), separatorY = RowMid(2) - rowH / 2.f + 1.f;
  const float shapesMid = separatorY + 1.f + 2.f + rowH / 2.f;

  Hover(root.L + 20.f, shapesMid);
  ASSERT_TRUE(TickUntil([&] { return popup->GetExpanded() && popup->GetTargetRECT().R > root.R; }));
  e.graphics->Tick();
  EXPECT_TRUE(e.graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/popup_menu_open.png").c_str()));

  const IRECT both = popup->GetTargetRECT();
  EXPECT_TRUE(Near(At(root.R - 8.f, squareMid), kPanel)) << Str(At(root.R - 8.f, squareMid));
  EXPECT_TRUE(Near(At(root.L + 10.f, sineMid), Over(COLOR_BLACK, kPanel)))
    << "tick " << Str(At(root.L + 10.f, sineMid));
  EXPECT_TRUE(Near(At(root.L + 20.f, squareMid), kPanel)) << "no tick on an unchecked entry";
  EXPECT_TRUE(Near(At(root.L + 2.f, shapesMid), Over(COLOR_BLUE, kPanel)))
    << "the open submenu's parent cell " << Str(At(root.L + 2.f, shapesMid));
  EXPECT_TRUE(Near(At(both.R - 6.f, shapesMid), kPanel)) << "submenu panel";
  EXPECT_TRUE(Near(At(both.R - 6.f, root.T + 2.f), kBackground)) << "beside the submenu, above it";
  EXPECT_TRUE(Near(At(395.f, 295.f), kBackground)) << "far from the menu";

  const IColor separator = At(root.MW(), separatorY);
  EXPECT_LT(separator.R, kPanel.R - 4) << Str(separator);
  EXPECT_GT(separator.R, 180) << Str(separator);
}

TEST_F(PopupMenuSurface, AClosedMenuLeavesNothingBehind)
{
  IPopupMenu menu("", 0, false, {"One", "Two"});
  Open(menu);
  ASSERT_TRUE(Near(At(root.MW(), root.MH()), kPanel));

  Click(395.f, 295.f);
  ASSERT_TRUE(TickUntil([&] { return !popup->GetAnimationFunction() && popup->GetRECT().Empty(); }));
  e.graphics->Tick();
  EXPECT_TRUE(Near(At(root.MW(), root.MH()), kBackground));
  EXPECT_TRUE(popup->IsHidden());
}

} // namespace
