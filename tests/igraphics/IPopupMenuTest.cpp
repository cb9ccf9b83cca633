#include "igraphics/IPopupMenu.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using iplug::igraphics::IPopupMenu;

namespace
{

std::vector<std::string> Texts(const IPopupMenu& menu)
{
  std::vector<std::string> texts;
  for (int i = 0; i < menu.NItems(); ++i)
    texts.push_back(menu.GetItem(i)->GetText());
  return texts;
}

TEST(IPopupMenu, SortedInsertionIgnoresCase)
{
  IPopupMenu menu;
  for (const char* text : {"beta", "Alpha", "gamma", "", "DELTA", "alpha2"})
    menu.AddItem(text, IPopupMenu::kSorted);
  EXPECT_EQ(Texts(menu), (std::vector<std::string>{"", "Alpha", "alpha2", "beta", "DELTA", "gamma"}));
}

TEST(IPopupMenu, SortedInsertionPutsAnEqualTextBeforeTheExistingOne)
{
  IPopupMenu menu;
  menu.AddItem("Beta", IPopupMenu::kSorted)->SetTag(1);
  menu.AddItem("beta", IPopupMenu::kSorted)->SetTag(2);
  EXPECT_EQ(menu.GetItem(0)->GetTag(), 2);
  EXPECT_EQ(menu.GetItem(1)->GetTag(), 1);
}

TEST(IPopupMenu, PositionalInsertion)
{
  const struct
  {
    int index;
    std::vector<std::string> want;
  } cases[] = {
    {IPopupMenu::kAppend, {"a", "b", "c", "new"}},
    {100, {"a", "b", "c", "new"}},
    {1, {"a", "new", "b", "c"}},
    {0, {"new", "a", "b", "c"}},
    {-7, {"new", "a", "b", "c"}},
  };
  for (const auto& c : cases)
  {
    IPopupMenu menu("", 0, false, {"a", "b", "c"});
    menu.AddItem("new", c.index);
    EXPECT_EQ(Texts(menu), c.want) << c.index;
  }
}

TEST(IPopupMenu, CheckItemAloneUnchecksTheWholeTree)
{
  IPopupMenu root("", 0, true, {"top"});
  auto* pFirst = new IPopupMenu("", 0, false, {"a1", "a2"});
  auto* pSecond = new IPopupMenu("", 0, false, {"b1", "b2"});
  root.AddItem("first", pFirst);
  IPopupMenu::Item* pSecondItem = root.AddItem("second", pSecond);
  root.GetItem(0)->SetChecked(true);
  pFirst->GetItem(1)->SetChecked(true);
  pSecond->GetItem(1)->SetChecked(true);

  root.CheckItemAlone(pSecond->GetItem(0));

  EXPECT_FALSE(root.GetItem(0)->GetChecked());
  EXPECT_FALSE(pFirst->GetItem(1)->GetChecked());
  EXPECT_FALSE(pSecond->GetItem(1)->GetChecked());
  EXPECT_TRUE(pSecond->GetItem(0)->GetChecked());

  root.CheckItemAlone(pSecondItem);
  EXPECT_FALSE(pSecondItem->GetChecked());
  EXPECT_FALSE(pSecond->GetItem(0)->GetChecked());
}

TEST(IPopupMenu, RemoveEmptySubmenusLooksOneLevelDeep)
{
  IPopupMenu menu;
  menu.AddItem("plain");
  menu.AddItem("empty", new IPopupMenu());
  auto* pNested = new IPopupMenu();
  pNested->AddItem("inner empty", new IPopupMenu());
  menu.AddItem("holds only an empty submenu", pNested);
  menu.AddItem("full", new IPopupMenu("", 0, false, {"x"}));

  menu.RemoveEmptySubmenus();

  EXPECT_EQ(Texts(menu), (std::vector<std::string>{"plain", "holds only an empty submenu", "full"}));
}

TEST(IPopupMenu, SubmenuInheritsTheCompletionFunctionSetBeforeItWasAdded)
{
  int calls = 0;
  IPopupMenu menu;
  auto* pBefore = new IPopupMenu();
  menu.AddItem("before", pBefore);
  menu.SetFunction([&calls](IPopupMenu*) { ++calls; });
  auto* pAfter = new IPopupMenu();
  menu.AddItem("after", pAfter);

  EXPECT_FALSE(pBefore->GetFunction());
  ASSERT_TRUE(pAfter->GetFunction());
  pAfter->GetFunction()(pAfter);
  EXPECT_EQ(calls, 1);
}

TEST(IPopupMenu, ClearForgetsItemsAndChoice)
{
  IPopupMenu menu("title", {"a", "b"}, nullptr);
  menu.SetChosenItemIdx(1);
  EXPECT_STREQ(menu.GetChosenItem()->GetText(), "b");
  menu.Clear();
  EXPECT_EQ(menu.NItems(), 0);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  EXPECT_EQ(menu.GetItem(0), nullptr);
  EXPECT_STREQ(menu.GetRootTitle(), "title");
}

} // namespace
