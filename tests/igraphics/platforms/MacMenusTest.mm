// The native popup menu: built from an IPopupMenu, shown on a later turn of the main queue, and its
// choice delivered to the menu's completion and to the control.
#import "MacPromptFixture.h"

#import <StandIns/AppKitMenus.h>
#import <StandIns/RunLoop.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

using Flags = IPopupMenu::Item::Flags;

/** A root menu: Alpha (checked), a separator, Heading (title), Off (disabled), Sub {x, y checked},
 * an item with no text and one whose text is not UTF-8. The completion is set before the submenu is added, so both have it. */
std::unique_ptr<IPopupMenu> SampleMenu(IPopupMenu::IPopupFunction func = nullptr)
{
  auto menu = std::make_unique<IPopupMenu>("root");
  menu->SetFunction(std::move(func));
  menu->AddItem("Alpha", -1, Flags::kChecked);
  menu->AddItem("-", -1, Flags::kSeparator);
  menu->AddItem("Heading", -1, Flags::kTitle);
  menu->AddItem("Off", -1, Flags::kDisabled);
  auto* sub = new IPopupMenu("sub");
  sub->AddItem("x");
  sub->AddItem("y", -1, Flags::kChecked);
  menu->AddItem("Sub", sub);
  menu->AddItem("");
  menu->AddItem("\xff\xfe not UTF-8");
  return menu;
}

class MacMenusTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    StandInResetMenus();
    StandInDrainMainQueue(1.0);
  }

  /** Opens the menu for the control as a click would, then lets the main queue run. */
  void PopUp(IControl& control, IPopupMenu& menu, const IRECT& bounds)
  {
    editor.graphics->CreatePopupMenu(control, menu, bounds, 0);
    ASSERT_TRUE(StandInDrainMainQueue(1.0));
  }

  MacEditor editor;
};

TEST_F(MacMenusTest, BuildsTheMenuTreeFromTheModel)
{
  @autoreleasepool
  {
    auto menu = SampleMenu();
    auto* control = editor.Attach(new MenuControl(editor.log, IRECT(10, 10, 50, 30)));
    PopUp(*control, *menu, control->GetRECT());

    struct Row
    {
      const char* title;
      bool separator, enabled, checked;
      long indent;
      size_t submenuItems;
    };
    const Row expected[] = {
      {"Alpha", false, true, true, 0, 0}, {"", true, false, false, 0, 0},    {"Heading", false, true, false, 1, 0},
      {"Off", false, false, false, 0, 0}, {"Sub", false, true, false, 0, 2}, {"", false, true, false, 0, 0},
      {"", false, true, false, 0, 0}, // not UTF-8: shown empty rather than refused by Cocoa
    };
    const auto& items = StandInLastMenuPopup().items;
    ASSERT_EQ(items.size(), std::size(expected));
    for (size_t i = 0; i < items.size(); ++i)
    {
      SCOPED_TRACE(i);
      EXPECT_EQ(items[i].title, expected[i].title);
      EXPECT_EQ(items[i].separator, expected[i].separator);
      if (!expected[i].separator)
      {
        EXPECT_EQ(items[i].enabled, expected[i].enabled);
        EXPECT_EQ(items[i].checked, expected[i].checked);
        EXPECT_EQ(items[i].indent, expected[i].indent);
      }
      EXPECT_EQ(items[i].submenu.size(), expected[i].submenuItems);
    }
    EXPECT_EQ(items[4].submenu[0].title, "x");
    EXPECT_FALSE(items[4].submenu[0].checked);
    EXPECT_EQ(items[4].submenu[1].title, "y");
    EXPECT_TRUE(items[4].submenu[1].checked);
  }
}

TEST_F(MacMenusTest, PrefixModesNumberEveryItem)
{
  struct Case
  {
    int prefix;
    const char* first;
    const char* fifth;
  };
  const Case cases[] = {
    {0, "a", "e"}, {1, "1: a", "5: e"}, {2, "01: a", "05: e"}, {3, "001: a", "005: e"}, {4, "a", "e"},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.prefix);
    @autoreleasepool
    {
      IPopupMenu menu("numbers", c.prefix, false, {"a", "b", "c", "d", "e"});
      auto* control = editor.Attach(new MenuControl(editor.log, IRECT(0, 0, 20, 20)));
      PopUp(*control, menu, control->GetRECT());
      const auto& items = StandInLastMenuPopup().items;
      ASSERT_EQ(items.size(), 5u);
      EXPECT_EQ(items[0].title, c.first);
      EXPECT_EQ(items[4].title, c.fifth);
    }
  }
}

TEST_F(MacMenusTest, DeliversTheChoiceToTheMenusCompletionAndTheControl)
{
  struct Case
  {
    std::vector<long> path;
    const char* completion; // the menu the completion heard, "" for no call
    std::vector<std::string> log;
  };
  // A choice edits the control's parameter inside a host gesture; a dismissal only tells the control.
  const Case cases[] = {
    {{0}, "root 0", {"begin 2", "chosen root 0 0", "end 2"}},
    {{5}, "root 5", {"begin 2", "chosen root 5 0", "end 2"}},
    {{4, 1}, "sub 1", {"begin 2", "chosen sub 1 0", "end 2"}},
    {{}, "", {"chosen none 0"}},
    {{3}, "", {"chosen none 0"}},    // disabled
    {{1}, "", {"chosen none 0"}},    // separator
    {{4, 7}, "", {"chosen none 0"}}, // outside the submenu
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.log[c.log.size() > 1 ? 1 : 0]);
    @autoreleasepool
    {
      std::vector<std::string> heard;
      auto menu = SampleMenu([&heard](IPopupMenu* pMenu) {
        heard.push_back(std::string(pMenu->GetRootTitle()) + " " + std::to_string(pMenu->GetChosenItemIdx()));
      });
      StandInMenuChoosePath(c.path);
      auto* control = editor.Attach(new MenuControl(editor.log, IRECT(0, 0, 20, 20), kParamMode));
      editor.log.Clear();
      PopUp(*control, *menu, control->GetRECT());

      if (*c.completion)
        EXPECT_EQ(heard, std::vector<std::string>{c.completion});
      else
        EXPECT_TRUE(heard.empty());
      EXPECT_EQ(editor.log.events, c.log);
      EXPECT_EQ(editor.graphics->GetControlInPopupMenu(), nullptr);
    }
  }
}

TEST_F(MacMenusTest, OpensAtTheChosenItemOrBelowTheRectangle)
{
  struct Case
  {
    float drawScale;
    int chosen;
    long positioningItem;
    NSPoint location;
  };
  // Bounds 10.5, 20.25 .. 60.5, 40.75 in editor units; the Cocoa rectangle is scaled, its left and
  // top rounded down, its right and bottom up.
  const Case cases[] = {
    {1.f, 2, 2, {10, 20}}, {1.f, -1, -1, {10, 41 + 4}}, {1.f, 9, -1, {10, 41 + 4}}, // no such item
    {2.f, 0, 0, {21, 40}}, {2.f, -1, -1, {21, 82 + 4}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(std::to_string(c.drawScale) + " " + std::to_string(c.chosen));
    @autoreleasepool
    {
      StandInResetMenus();
      MacEditor scaled(c.drawScale);
      auto menu = SampleMenu();
      menu->SetChosenItemIdx(c.chosen);
      auto* control = scaled.Attach(new MenuControl(scaled.log, IRECT(10.5f, 20.25f, 60.5f, 40.75f)));
      scaled.graphics->CreatePopupMenu(*control, *menu, control->GetRECT(), 0);
      EXPECT_EQ(StandInLastMenuPopup().count, 0) << "shown only on a later turn of the main queue";
      ASSERT_TRUE(StandInDrainMainQueue(1.0));

      const StandInMenuPopup& popup = StandInLastMenuPopup();
      ASSERT_EQ(popup.count, 1);
      EXPECT_EQ(popup.view, scaled.View());
      EXPECT_EQ(popup.positioningItemIndex, c.positioningItem);
      EXPECT_DOUBLE_EQ(popup.location.x, c.location.x);
      EXPECT_DOUBLE_EQ(popup.location.y, c.location.y);
    }
  }
}

TEST_F(MacMenusTest, AnswersLaterAndNullAtOnce)
{
  @autoreleasepool
  {
    auto menu = SampleMenu();
    bool isAsync = false;
    EXPECT_EQ(editor.graphics->CreatePlatformPopupMenu(*menu, IRECT(0, 0, 10, 10), isAsync), nullptr);
    EXPECT_TRUE(isAsync);
    EXPECT_TRUE(StandInDrainMainQueue(1.0));
  }
}

TEST_F(MacMenusTest, WithoutAViewTheMenuIsDismissedAtOnce)
{
  @autoreleasepool
  {
    MacEditor closed(1.f, false);
    auto menu = SampleMenu();
    auto* control = closed.Attach(new MenuControl(closed.log, IRECT(0, 0, 10, 10), kParamMode));
    closed.log.Clear();
    closed.graphics->CreatePopupMenu(*control, *menu, control->GetRECT(), 0);
    EXPECT_EQ(closed.log.events, std::vector<std::string>{"chosen none 0"});
    ASSERT_TRUE(StandInDrainMainQueue(1.0));
    EXPECT_EQ(StandInLastMenuPopup().count, 0);
  }
}

TEST_F(MacMenusTest, NothingShowsWhenTheEditorOrTheControlWentAwayMeanwhile)
{
  enum Gone
  {
    kWindowClosed,
    kGraphicsDeleted,
    kControlRemoved,
    kWindowReopened,
    kParentlessGraphicsDeleted // a view opened without a parent view
  };
  for (Gone gone : {kWindowClosed, kGraphicsDeleted, kControlRemoved, kWindowReopened, kParentlessGraphicsDeleted})
  {
    SCOPED_TRACE(gone);
    @autoreleasepool
    {
      StandInResetMenus();
      StandInMenuChoosePath({0});
      auto scratch = std::make_unique<MacEditor>();
      auto menu = SampleMenu();
      bool called = false;
      menu->SetFunction([&called](IPopupMenu*) { called = true; });
      auto* control = scratch->Attach(new MenuControl(scratch->log, IRECT(0, 0, 10, 10)));
      if (gone == kParentlessGraphicsDeleted)
        scratch->graphics->OpenWindow(nullptr);
      scratch->graphics->CreatePopupMenu(*control, *menu, control->GetRECT(), 0);
      switch (gone)
      {
      case kWindowClosed: scratch->graphics->CloseWindow(); break;
      case kGraphicsDeleted:
      case kParentlessGraphicsDeleted: scratch.reset(); break;
      case kControlRemoved: scratch->graphics->RemoveControl(control); break;
      case kWindowReopened: scratch->graphics->OpenWindow([scratch->window contentView]); break;
      }
      if (scratch)
        scratch->log.Clear();
      ASSERT_TRUE(StandInDrainMainQueue(1.0));
      EXPECT_EQ(StandInLastMenuPopup().count, 0);
      EXPECT_FALSE(called);
      if (scratch)
        EXPECT_TRUE(scratch->log.events.empty());
    }
  }
}

} // namespace
