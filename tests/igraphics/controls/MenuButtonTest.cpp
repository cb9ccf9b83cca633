// The vector menu button over the recording surface: its button shows the parameter's text, and a
// click offers the parameter's menu once the splash has ended.
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "../SurfaceFixture.h"
#include "igraphics/controls/IVButtonControl.h"
#include "igraphics/controls/IVMenuButtonControl.h"

using namespace iplug::igraphics;

namespace
{

constexpr int kMode = 2;   // enum A, B, C, D; default B
constexpr int kCutoff = 3; // 0..100 Hz

IMouseInfo Point(float x, float y)
{
  IMouseInfo info;
  info.x = x;
  info.y = y;
  info.ms = IMouseMod(true);
  return info;
}

class MenuButton : public SurfaceFixture
{
protected:
  MenuButton() { g.mTextExtent = IRECT(0.f, 0.f, 40.f, 10.f); }

  IVMenuButtonControl* AddMenuButton(int paramIdx = kMode)
  {
    auto* pMenu = static_cast<IVMenuButtonControl*>(
      g.AttachControl(new IVMenuButtonControl(IRECT(0.f, 0.f, 100.f, 30.f), paramIdx, "")));
    // The delegate hands every control its parameter's value once the editor is open.
    pMenu->SetValueFromDelegate(dlg.GetParam(paramIdx)->GetNormalized());
    return pMenu;
  }

  void ClickAndWaitForTheSplash()
  {
    g.OnMouseDown({Point(50.f, 15.f)});
    g.OnMouseUp({Point(50.f, 15.f)});
    std::this_thread::sleep_for(std::chrono::milliseconds(130));
    IRECTList rects;
    g.IsDirty(rects);
  }

  std::string ButtonText(const IVMenuButtonControl& menu) const { return menu.GetMenuButton()->GetValueStr(); }
};

} // namespace

TEST_F(MenuButton, ShowsTheParametersTextAndFollowsTheHost)
{
  IVMenuButtonControl* pMenu = AddMenuButton();
  ASSERT_NE(pMenu->GetMenuButton(), nullptr);
  EXPECT_EQ(ButtonText(*pMenu), "B");

  dlg.GetParam(kMode)->Set(2.);
  pMenu->SetValueFromDelegate(2. / 3.);
  EXPECT_EQ(ButtonText(*pMenu), "C");
}

TEST_F(MenuButton, TextIncludesTheUnitLabel)
{
  IVMenuButtonControl* pMenu = AddMenuButton(kCutoff);
  EXPECT_NE(ButtonText(*pMenu).find("Hz"), std::string::npos) << ButtonText(*pMenu);
}

TEST_F(MenuButton, MenuOpensAfterTheSplashAndTheChoiceSetsTheParameter)
{
  IVMenuButtonControl* pMenu = AddMenuButton();
  g.mMenuChoice = 3;

  g.OnMouseDown({Point(50.f, 15.f)});
  g.OnMouseUp({Point(50.f, 15.f)});
  EXPECT_FALSE(Logged("menu 4")) << "the menu waits for the splash";

  std::this_thread::sleep_for(std::chrono::milliseconds(130));
  IRECTList rects;
  g.IsDirty(rects);
  EXPECT_TRUE(Logged("menu 4"));
  EXPECT_EQ(dlg.GetParam(kMode)->Value(), 3.);
  EXPECT_EQ(ButtonText(*pMenu), "D");
  EXPECT_EQ(pMenu->GetMenuButton()->GetValue(), 0.) << "the button is released";
}

TEST_F(MenuButton, ChoosingTheCurrentEntryRewritesOnlyTheText)
{
  IVMenuButtonControl* pMenu = AddMenuButton();
  pMenu->GetMenuButton()->SetValueStr("stale");
  g.mMenuChoice = 1;
  ClickAndWaitForTheSplash();

  EXPECT_EQ(ButtonText(*pMenu), "B");
  EXPECT_EQ(IndexOf("send 2 0.333333"), -1) << "the unchanged value is not sent";
}

TEST_F(MenuButton, ItemWithoutTextEmptiesTheButton)
{
  IVMenuButtonControl* pMenu = AddMenuButton();
  // The chosen item is the current state, so the value stays and nothing rewrites the text.
  IPopupMenu menu;
  menu.AddItem("A");
  menu.AddItem("");
  menu.SetChosenItemIdx(1);
  pMenu->OnPopupMenuSelection(&menu, 0);
  EXPECT_EQ(ButtonText(*pMenu), "");
  EXPECT_EQ(dlg.GetParam(kMode)->Value(), 1.);
}

TEST_F(MenuButton, StyleReachesTheButtonBeforeAndAfterAttaching)
{
  IVStyle red;
  red.colorSpec.SetColor(kFG, COLOR_RED);
  auto* pMenu = new IVMenuButtonControl(IRECT(0.f, 0.f, 100.f, 30.f), kMode, "");
  pMenu->SetStyle(red);
  g.AttachControl(pMenu);
  ASSERT_NE(pMenu->GetMenuButton(), nullptr);
  EXPECT_EQ(pMenu->GetMenuButton()->GetColor(kFG), COLOR_RED);
  EXPECT_EQ(pMenu->GetMenuButton()->GetStyle().valueText.mVAlign, kVAlignMiddle);

  IVStyle blue;
  blue.colorSpec.SetColor(kFG, COLOR_BLUE);
  pMenu->SetStyle(blue);
  EXPECT_EQ(pMenu->GetMenuButton()->GetColor(kFG), COLOR_BLUE);
  EXPECT_EQ(pMenu->GetMenuButton()->GetStyle().valueText.mVAlign, kVAlignMiddle);
}

TEST_F(MenuButton, ResizingMovesTheButton)
{
  IVMenuButtonControl* pMenu = AddMenuButton();
  g.SetControlBounds(pMenu, IRECT(10.f, 40.f, 150.f, 80.f));
  EXPECT_EQ(pMenu->GetMenuButton()->GetRECT(), IRECT(10.f, 40.f, 150.f, 80.f));
  EXPECT_EQ(pMenu->GetMenuButton()->GetTargetRECT(), IRECT(10.f, 40.f, 150.f, 80.f));
}

TEST_F(MenuButton, ARemovedButtonIsForgotten)
{
  IVMenuButtonControl* pMenu = AddMenuButton();
  g.RemoveControl(pMenu->GetMenuButton());
  EXPECT_EQ(pMenu->GetMenuButton(), nullptr);
  pMenu->SetValueFromDelegate(1.);
  g.SetControlBounds(pMenu, IRECT(0.f, 0.f, 50.f, 20.f));
}
