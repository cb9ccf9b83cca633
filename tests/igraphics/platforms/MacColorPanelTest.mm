// The colour panel: the completion hears every change until the panel closes, a later prompt
// replaces it, and nothing is called for a view or a swatch that has gone.
#import "MacPromptFixture.h"

#import <StandIns/AppKitColorPanel.h>

#include <gtest/gtest.h>
#include <objc/runtime.h>

#include <memory>
#include <vector>

#include "igraphics/controls/IVColorSwatchControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

class MacColorPanelTest : public ::testing::Test
{
protected:
  void TearDown() override
  {
    if ([NSColorPanel sharedColorPanelExists])
      [[NSColorPanel sharedColorPanel] close];
  }

  MacEditor editor;
};

TEST_F(MacColorPanelTest, WithoutAViewNothingOpens)
{
  @autoreleasepool
  {
    MacEditor closed(1.f, false);
    IColor color(255, 1, 2, 3);
    bool called = false;
    EXPECT_FALSE(closed.graphics->PromptForColor(color, "", [&called](const IColor&) { called = true; }));
    StandInPickColor([NSColor colorWithDeviceRed:1 green:0 blue:0 alpha:1]);
    EXPECT_FALSE(called);
  }
}

TEST_F(MacColorPanelTest, OpensThePanelAtTheGivenColour)
{
  @autoreleasepool
  {
    IColor color(128, 255, 51, 0);
    EXPECT_TRUE(editor.graphics->PromptForColor(color, "ignored", [](const IColor&) {}));
    NSColorPanel* panel = [NSColorPanel sharedColorPanel];
    EXPECT_TRUE([panel isVisible]);
    EXPECT_TRUE([panel showsAlpha]);
    EXPECT_EQ(StandInColorPanelTarget(), editor.View());
    EXPECT_TRUE(sel_isEqual(StandInColorPanelAction(), @selector(onColorPicked:)));
    EXPECT_DOUBLE_EQ([[panel color] alphaComponent], 128 / 255.);
    EXPECT_DOUBLE_EQ([[panel color] redComponent], 1.0);
    EXPECT_DOUBLE_EQ([[panel color] greenComponent], 51 / 255.);
    EXPECT_DOUBLE_EQ([[panel color] blueComponent], 0.0);
  }
}

TEST_F(MacColorPanelTest, EveryChangeReachesTheCompletion)
{
  struct Pick
  {
    NSColor* color;
    IColor expected; // components x 255, truncated
  };
  @autoreleasepool
  {
    const Pick picks[] = {
      {[NSColor colorWithDeviceRed:1 green:0.5 blue:0.25 alpha:1], IColor(255, 255, 127, 63)},
      {[NSColor colorWithDeviceRed:0.999 green:0 blue:0.002 alpha:0.5], IColor(127, 254, 0, 0)},
      {[NSColor colorWithDeviceWhite:0.5 alpha:1], IColor(255, 127, 127, 127)}, // a grey pick
    };
    std::vector<IColor> heard;
    IColor start(255, 0, 0, 0);
    ASSERT_TRUE(editor.graphics->PromptForColor(start, "", [&heard](const IColor& c) { heard.push_back(c); }));
    for (const Pick& p : picks)
      EXPECT_TRUE(StandInPickColor(p.color));
    ASSERT_EQ(heard.size(), std::size(picks));
    for (size_t i = 0; i < heard.size(); ++i)
    {
      SCOPED_TRACE(i);
      EXPECT_EQ(heard[i], picks[i].expected);
    }
  }
}

TEST_F(MacColorPanelTest, ALaterPromptReplacesTheCompletion)
{
  @autoreleasepool
  {
    int first = 0;
    int second = 0;
    IColor color;
    editor.graphics->PromptForColor(color, "", [&first](const IColor&) { ++first; });
    editor.graphics->PromptForColor(color, "", [&second](const IColor&) { ++second; });
    StandInPickColor([NSColor colorWithDeviceRed:0 green:1 blue:0 alpha:1]);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
  }
}

TEST_F(MacColorPanelTest, TheViewsEndClosesThePanelAndDropsTheCompletion)
{
  @autoreleasepool
  {
    auto captured = std::make_shared<int>(0);
    IColor color;
    editor.graphics->PromptForColor(color, "", [captured](const IColor&) { ++*captured; });
    EXPECT_EQ(captured.use_count(), 2);
    editor.graphics->CloseWindow();
    EXPECT_EQ(captured.use_count(), 1);
    EXPECT_FALSE([[NSColorPanel sharedColorPanel] isVisible]);
    EXPECT_FALSE(StandInPickColor([NSColor colorWithDeviceRed:0 green:0 blue:1 alpha:1]));
    EXPECT_EQ(*captured, 0);
  }
}

// The panel is shared and keeps its target after it closes: a view that goes takes itself off it,
// and only itself.
TEST_F(MacColorPanelTest, AViewThatGoesLeavesThePanelToTheEditorThatOpenedItLast)
{
  @autoreleasepool
  {
    IColor color;
    int heard = 0;
    editor.graphics->PromptForColor(color, "", [](const IColor&) {});
    auto other = std::make_unique<MacEditor>();
    other->graphics->PromptForColor(color, "", [&heard](const IColor&) { ++heard; });
    editor.graphics->CloseWindow();
    EXPECT_EQ(StandInColorPanelTarget(), other->View());
    [[NSColorPanel sharedColorPanel] orderFront:nil];
    EXPECT_TRUE(StandInPickColor([NSColor colorWithDeviceRed:0 green:0 blue:1 alpha:1]));
    EXPECT_EQ(heard, 1);

    other->graphics->CloseWindow();
    EXPECT_EQ(StandInColorPanelTarget(), nil);
  }
}

TEST_F(MacColorPanelTest, ASwatchGoneMeanwhileHearsNothing)
{
  @autoreleasepool
  {
    std::vector<int> chosenCells;
    auto* swatch = editor.Attach(new IVColorSwatchControl(
      IRECT(0, 0, 90, 30), "", [&chosenCells](int cell, IColor) { chosenCells.push_back(cell); }, DEFAULT_STYLE,
      IVColorSwatchControl::kRow, {kBG, kFG, kPR}));
    const IRECT r = swatch->GetRECT();
    swatch->OnMouseDown(r.L + r.W() * 5 / 6, r.MH(), IMouseMod());
    ASSERT_TRUE([[NSColorPanel sharedColorPanel] isVisible]);
    StandInPickColor([NSColor colorWithDeviceRed:1 green:0 blue:0 alpha:1]);
    EXPECT_EQ(chosenCells, std::vector<int>{2});
    EXPECT_EQ(swatch->GetColor(kPR), IColor(255, 255, 0, 0));

    editor.graphics->RemoveControl(swatch);
    EXPECT_TRUE(StandInPickColor([NSColor colorWithDeviceRed:0 green:1 blue:0 alpha:1]));
    EXPECT_EQ(chosenCells, std::vector<int>{2});
  }
}

} // namespace
