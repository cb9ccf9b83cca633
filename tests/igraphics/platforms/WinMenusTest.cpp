#include "WinEditorFixture.h"
#include "WinModalHelpers.h"

#include <atomic>
#include <string>
#include <vector>

using iplug::igraphics::IGraphicsWin;
using iplug::igraphics::IPopupMenu;
using iplug::igraphics::IRECT;

namespace
{
using Item = IPopupMenu::Item;

/** A native menu tree, destroyed with its submenus at the end of the test. */
struct NativeMenu
{
  explicit NativeMenu(HMENU menu) : handle(menu) {}
  ~NativeMenu()
  {
    if (handle)
      DestroyMenu(handle);
  }
  NativeMenu(const NativeMenu&) = delete;
  NativeMenu& operator=(const NativeMenu&) = delete;
  HMENU handle;
};

std::wstring Label(HMENU menu, int pos)
{
  wchar_t text[512] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 512;
  GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info);
  return text;
}

UINT ItemType(HMENU menu, int pos)
{
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info);
  return info.fType;
}

/** The positions of a menu's items that start a new column. */
std::vector<int> ColumnBreaks(HMENU menu)
{
  std::vector<int> breaks;
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos)
    if (ItemType(menu, pos) & MFT_MENUBARBREAK)
      breaks.push_back(pos);
  return breaks;
}

IPopupMenu* AddSubmenu(IPopupMenu& parent, const char* text, std::initializer_list<const char*> items)
{
  auto* pSubmenu = new IPopupMenu("", 0, false, items);
  parent.AddItem(text, pSubmenu);
  return pSubmenu;
}

// The tree {a, b -> {x, y}, c} of the numbering example.
struct ThreeWithSubmenu
{
  ThreeWithSubmenu() : root("", 0, false, {"a"})
  {
    submenu = AddSubmenu(root, "b", {"x", "y"});
    root.AddItem("c");
  }
  IPopupMenu root;
  IPopupMenu* submenu;
};

TEST(WinMenuNumbering, OwnItemsComeBeforeTheSubmenusDepthFirst)
{
  // {a, S1 -> {p, S11 -> {q}}, S2 -> {r}}: the root takes 0..2, S1 3..4, S11 5 and S2 6.
  IPopupMenu root("", 0, false, {"a"});
  IPopupMenu* s1 = AddSubmenu(root, "S1", {"p"});
  IPopupMenu* s11 = AddSubmenu(*s1, "S11", {"q"});
  IPopupMenu* s2 = AddSubmenu(root, "S2", {"r"});

  long offset = 0;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(root, offset));
  ASSERT_NE(native.handle, nullptr);
  EXPECT_EQ(offset, 7);
  HMENU nativeS1 = GetSubMenu(native.handle, 1);
  EXPECT_EQ(GetMenuItemID(native.handle, 0), 0u);
  EXPECT_EQ(GetMenuItemID(nativeS1, 0), 3u);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(nativeS1, 1), 0), 5u);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(native.handle, 2), 0), 6u);

  struct Case
  {
    long number;
    IPopupMenu* menu;
    int itemIdx;
  };
  const Case cases[] = {{0, &root, 0}, {2, &root, 2}, {3, s1, 0},       {4, s1, 1},
                        {5, s11, 0},   {6, s2, 0},    {7, nullptr, -1}, {-1, nullptr, -1}};
  for (const Case& c : cases)
  {
    int itemIdx = -1;
    long start = 0;
    EXPECT_EQ(IGraphicsWin::GetMenuForFlatIndex(c.number, itemIdx, start, root), c.menu) << c.number;
    if (c.menu)
    {
      EXPECT_EQ(itemIdx, c.itemIdx) << c.number;
    }
  }
}

TEST(WinMenuNumbering, ThreeItemsWithASubmenuOfTwo)
{
  ThreeWithSubmenu tree;
  long offset = 0;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(tree.root, offset));
  ASSERT_NE(native.handle, nullptr);
  ASSERT_EQ(GetMenuItemCount(native.handle), 3);
  EXPECT_EQ(GetMenuItemID(native.handle, 0), 0u);
  EXPECT_EQ(GetMenuItemID(native.handle, 1), static_cast<UINT>(-1)); // opens the submenu
  EXPECT_EQ(GetMenuItemID(native.handle, 2), 2u);
  HMENU nativeSubmenu = GetSubMenu(native.handle, 1);
  ASSERT_NE(nativeSubmenu, nullptr);
  EXPECT_EQ(GetMenuItemID(nativeSubmenu, 0), 3u);
  EXPECT_EQ(GetMenuItemID(nativeSubmenu, 1), 4u);
  EXPECT_EQ(Label(nativeSubmenu, 1), L"y");
}

TEST(WinMenuNumbering, AnOffsetMovesTheWholeTree)
{
  ThreeWithSubmenu tree;
  long offset = 10;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(tree.root, offset));
  EXPECT_EQ(offset, 15);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(native.handle, 1), 1), 14u);
  int itemIdx = -1;
  long start = 10;
  EXPECT_EQ(IGraphicsWin::GetMenuForFlatIndex(14, itemIdx, start, tree.root), tree.submenu);
  EXPECT_EQ(itemIdx, 1);
}

struct LabelCase
{
  int prefix;
  int itemIdx;
  const char* text;
  const wchar_t* label;
};

class WinMenuLabel : public ::testing::TestWithParam<LabelCase>
{};

TEST_P(WinMenuLabel, ShowsTheTextNumberedAndLiterally)
{
  const LabelCase& c = GetParam();
  IPopupMenu menu("", c.prefix);
  for (int i = 0; i < c.itemIdx; ++i)
    menu.AddItem("filler");
  menu.AddItem(c.text);
  long offset = 0;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(menu, offset));
  ASSERT_NE(native.handle, nullptr);
  EXPECT_EQ(Label(native.handle, c.itemIdx), c.label);
}

const std::string kLongText(80, 'n');
const std::wstring kLongLabel = L"001: " + std::wstring(80, L'n');

INSTANTIATE_TEST_SUITE_P(Cases, WinMenuLabel,
                         ::testing::Values(LabelCase{0, 0, "Plain", L"Plain"},
                                           LabelCase{0, 0, "Rock & Roll", L"Rock && Roll"},
                                           LabelCase{0, 0, "&&", L"&&&&"}, LabelCase{0, 0, "", L""},
                                           LabelCase{1, 0, "one", L"1: one"}, LabelCase{1, 11, "twelve", L"12: twelve"},
                                           LabelCase{2, 1, "two", L"02: two"}, LabelCase{3, 2, "three", L"003: three"},
                                           LabelCase{3, 0, "A&B", L"001: A&&B"},
                                           LabelCase{4, 0, "unknown prefix", L"unknown prefix"},
                                           LabelCase{0, 0,
                                                     "Gr\xC3\xB6\xC3\x9F"
                                                     "e \xE2\x82\xAC",
                                                     L"Gr\u00F6\u00DFe \u20AC"},
                                           // Long texts are shown whole, however long the numbering makes them.
                                           LabelCase{3, 0, kLongText.c_str(), kLongLabel.c_str()}));

struct FlagCase
{
  int itemFlags;
  UINT state; // of MF_GRAYED, MF_DISABLED, MF_CHECKED
};

class WinMenuFlags : public ::testing::TestWithParam<FlagCase>
{};

TEST_P(WinMenuFlags, BecomeTheItemsState)
{
  IPopupMenu menu;
  menu.AddItem("item", IPopupMenu::kAppend, GetParam().itemFlags);
  long offset = 0;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(menu, offset));
  ASSERT_NE(native.handle, nullptr);
  EXPECT_EQ(GetMenuState(native.handle, 0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED), GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(Cases, WinMenuFlags,
                         ::testing::Values(FlagCase{Item::kNoFlags, 0u}, FlagCase{Item::kDisabled, MF_GRAYED},
                                           FlagCase{Item::kTitle, MF_DISABLED}, FlagCase{Item::kChecked, MF_CHECKED},
                                           FlagCase{Item::kDisabled | Item::kChecked, MF_GRAYED | MF_CHECKED}));

TEST(WinMenuSeparator, IsASeparatorThatStillTakesItsNumber)
{
  IPopupMenu menu("", 1, false, {"a"});
  menu.AddItem("ignored", IPopupMenu::kAppend, Item::kSeparator);
  menu.AddItem("b");
  long offset = 0;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(menu, offset));
  ASSERT_EQ(GetMenuItemCount(native.handle), 3);
  EXPECT_TRUE(ItemType(native.handle, 1) & MFT_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(native.handle, 2), 2u);
  EXPECT_EQ(Label(native.handle, 2), L"3: b");
}

struct ColumnCase
{
  int nItems;
  int columns;
  std::vector<int> breaks;
};

class WinMenuColumns : public ::testing::TestWithParam<ColumnCase>
{};

TEST_P(WinMenuColumns, BreakAtEveryMultipleOfTheColumnCount)
{
  const ColumnCase& c = GetParam();
  IPopupMenu menu;
  for (int i = 0; i < c.nItems; ++i)
    menu.AddItem(std::to_string(i).c_str());
  long offset = 0;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(menu, offset, c.columns));
  ASSERT_EQ(GetMenuItemCount(native.handle), c.nItems);
  EXPECT_EQ(ColumnBreaks(native.handle), c.breaks);
  EXPECT_EQ(offset, c.nItems);
}

INSTANTIATE_TEST_SUITE_P(Cases, WinMenuColumns,
                         ::testing::Values(ColumnCase{10, 4, {4, 8}}, ColumnCase{10, 0, {}}, ColumnCase{3, 1, {1, 2}},
                                           ColumnCase{4, 4, {}}, ColumnCase{159, 50, {50, 100, 150}},
                                           // Menus this long scroll instead.
                                           ColumnCase{160, 50, {}}, ColumnCase{200, 4, {}}));

TEST(WinMenuColumns, ApplyToSubmenusOfTheirOwnLength)
{
  IPopupMenu root("", 0, false, {"a", "b", "c"});
  IPopupMenu* pSubmenu = AddSubmenu(root, "more", {});
  for (int i = 0; i < 170; ++i)
    pSubmenu->AddItem("x");
  long offset = 0;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(root, offset, 2));
  EXPECT_EQ(ColumnBreaks(native.handle), (std::vector<int>{2}));
  EXPECT_TRUE(ColumnBreaks(GetSubMenu(native.handle, 3)).empty());
  EXPECT_EQ(offset, 174);
}

TEST(WinMenuNumbering, ALongMenuNumbersEveryItem)
{
  IPopupMenu menu("", 3);
  for (int i = 0; i < 1200; ++i)
    menu.AddItem("item");
  long offset = 0;
  NativeMenu native(IGraphicsWin::BuildNativeMenu(menu, offset));
  ASSERT_EQ(GetMenuItemCount(native.handle), 1200);
  EXPECT_EQ(GetMenuItemID(native.handle, 1199), 1199u);
  EXPECT_EQ(Label(native.handle, 1199), L"1200: item");
  int itemIdx = -1;
  long start = 0;
  EXPECT_EQ(IGraphicsWin::GetMenuForFlatIndex(1199, itemIdx, start, menu), &menu);
  EXPECT_EQ(itemIdx, 1199);
}

/** Makes the given call (counted from 1) for a native menu fail, for the test's length. */
class FailingMenus
{
public:
  explicit FailingMenus(int failingCall)
  {
    sFailingCall = failingCall;
    sCalls = 0;
    IGraphicsWin::sCreatePopupMenu = &Create;
  }
  ~FailingMenus() { IGraphicsWin::sCreatePopupMenu = ::CreatePopupMenu; }
  FailingMenus(const FailingMenus&) = delete;
  FailingMenus& operator=(const FailingMenus&) = delete;

private:
  static HMENU WINAPI Create() { return ++sCalls == sFailingCall ? nullptr : ::CreatePopupMenu(); }
  static inline int sFailingCall = 0;
  static inline int sCalls = 0;
};

TEST(WinMenuFailure, ASubmenuThatCannotBeMadeIsLeftOutAndKeepsItsNumbers)
{
  // {A, B -> {x, y}, C -> {p, q}} with B's submenu (the second menu made) failing.
  IPopupMenu root("", 0, false, {"A"});
  AddSubmenu(root, "B", {"x", "y"});
  IPopupMenu* pLast = AddSubmenu(root, "C", {"p", "q"});
  HMENU handle;
  long offset = 0;
  {
    FailingMenus failing(2);
    handle = IGraphicsWin::BuildNativeMenu(root, offset);
  }
  NativeMenu native(handle);
  ASSERT_NE(native.handle, nullptr);
  ASSERT_EQ(GetMenuItemCount(native.handle), 2);
  EXPECT_EQ(Label(native.handle, 0), L"A");
  EXPECT_EQ(Label(native.handle, 1), L"C");
  HMENU nativeLast = GetSubMenu(native.handle, 1);
  ASSERT_NE(nativeLast, nullptr);
  EXPECT_EQ(GetMenuItemID(nativeLast, 1), 6u);
  EXPECT_EQ(offset, 7);
  int itemIdx = -1;
  long start = 0;
  EXPECT_EQ(IGraphicsWin::GetMenuForFlatIndex(6, itemIdx, start, root), pLast);
  EXPECT_EQ(itemIdx, 1);
}

TEST(WinMenuFailure, ARootThatCannotBeMadeGivesNull)
{
  ThreeWithSubmenu tree;
  FailingMenus failing(1);
  long offset = 0;
  EXPECT_EQ(IGraphicsWin::BuildNativeMenu(tree.root, offset), nullptr);
  EXPECT_EQ(offset, 5);
}

/** Works the next popup menu of this process from its own thread: once the menu window shows, the
 * keys are posted to it one by one. Past the limit the menu is cancelled so that the call returns. */
class MenuDriver
{
public:
  explicit MenuDriver(std::vector<WPARAM> keys, std::chrono::milliseconds limit = std::chrono::seconds(5))
  : mThread([this, keys, limit] { Run(keys, limit); })
  {}
  ~MenuDriver()
  {
    mStop = true;
    mThread.join();
  }
  MenuDriver(const MenuDriver&) = delete;
  MenuDriver& operator=(const MenuDriver&) = delete;

  bool SawMenu() const { return mSawMenu; }
  bool TimedOut() const { return mTimedOut; }

private:
  static void Press(HWND menu, WPARAM key)
  {
    PostMessageW(menu, WM_KEYDOWN, key, 1);
    PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }

  void Run(const std::vector<WPARAM>& keys, std::chrono::milliseconds limit)
  {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!mStop)
    {
      const std::vector<HWND> menus = wintest::ProcessWindowsOfClass(L"#32768");
      if (std::chrono::steady_clock::now() > end)
      {
        mTimedOut = true;
        for (HWND menu : menus)
          Press(menu, VK_ESCAPE);
      }
      else if (!mSawMenu && !menus.empty())
      {
        mSawMenu = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        for (WPARAM key : keys)
        {
          // The menu loop reads the keys of the whole thread: any of its menu windows will do.
          const std::vector<HWND> open = wintest::ProcessWindowsOfClass(L"#32768");
          if (!open.empty())
            Press(open.front(), key);
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  std::atomic<bool> mStop{false};
  std::atomic<bool> mSawMenu{false};
  std::atomic<bool> mTimedOut{false};
  std::thread mThread;
};

struct ChoiceCase
{
  const char* name;
  std::vector<WPARAM> keys;
  int menu; // 0 root, 1 submenu, -1 none
  int chosenIdx;
};

class WinPopupMenu : public ::testing::TestWithParam<ChoiceCase>
{};

TEST_P(WinPopupMenu, ReturnsTheMenuChosenIn)
{
  const ChoiceCase& c = GetParam();
  wintest::Editor editor;
  ASSERT_NE(editor.window, nullptr);
  ThreeWithSubmenu tree;
  std::vector<IPopupMenu*> completions;
  tree.submenu->SetFunction([&completions](IPopupMenu* pMenu) { completions.push_back(pMenu); });
  IPopupMenu* const menus[] = {&tree.root, tree.submenu};

  bool isAsync = true;
  IPopupMenu* pResult;
  {
    MenuDriver driver(c.keys);
    pResult = editor.graphics->CreatePlatformPopupMenu(tree.root, IRECT(10, 10, 60, 30), isAsync);
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_FALSE(driver.TimedOut());
  }
  EXPECT_FALSE(isAsync);
  IPopupMenu* const expected = c.menu < 0 ? nullptr : menus[c.menu];
  EXPECT_EQ(pResult, expected);
  if (expected)
  {
    EXPECT_EQ(expected->GetChosenItemIdx(), c.chosenIdx);
  }
  // Only the submenu has a completion function; it hears of choices made in it.
  EXPECT_EQ(completions,
            expected == tree.submenu ? std::vector<IPopupMenu*>{tree.submenu} : std::vector<IPopupMenu*>{});
  // The menu's command was taken, not left for the window.
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, editor.window, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
}

INSTANTIATE_TEST_SUITE_P(
  Cases, WinPopupMenu,
  ::testing::Values(ChoiceCase{"FirstItem", {VK_DOWN, VK_RETURN}, 0, 0},
                    ChoiceCase{"LastItem", {VK_UP, VK_RETURN}, 0, 2},
                    ChoiceCase{"SubmenusSecondItem", {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, 1, 1},
                    ChoiceCase{"Dismissed", {VK_ESCAPE}, -1, -1}),
  [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST(WinPopupMenuFailure, AMenuThatCannotBeMadeShowsNothing)
{
  wintest::Editor editor;
  ASSERT_NE(editor.window, nullptr);
  ThreeWithSubmenu tree;
  FailingMenus failing(1);
  bool isAsync = true;
  MenuDriver driver({VK_ESCAPE}, std::chrono::milliseconds(300));
  EXPECT_EQ(editor.graphics->CreatePlatformPopupMenu(tree.root, IRECT(10, 10, 60, 30), isAsync), nullptr);
  EXPECT_FALSE(isAsync);
  EXPECT_FALSE(driver.SawMenu());
}

} // namespace
