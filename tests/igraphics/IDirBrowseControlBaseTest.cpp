#include "igraphics/IDirBrowseControlBase.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "SurfaceFixture.h"
#include "igraphics/IRECTList.h"
#include "igraphics/controls/IPopupMenuControl.h"
#if defined(BRIMVALE_HEADLESS_EDITOR)
#include "platforms/HeadlessEditor.h"
#endif

using namespace iplug;
using namespace iplug::igraphics;
namespace fs = std::filesystem;

namespace
{

// A preset browser in miniature: a choice selects the chosen file and "loads" it.
class Browser : public IDirBrowseControlBase
{
public:
  explicit Browser(bool showFileExtensions = true, bool scanRecursively = true, bool showEmptySubmenus = false)
  : IDirBrowseControlBase(IRECT(0.f, 0.f, 100.f, 20.f), "fxp", showFileExtensions, scanRecursively, showEmptySubmenus)
  {}

  void Draw(IGraphics&) override {}

  void OnPopupMenuSelection(IPopupMenu* pSelectedMenu, int) override
  {
    if (!pSelectedMenu)
    {
      ++mDismissals;
      return;
    }
    mSelectedItemIndex = mItems.Find(pSelectedMenu->GetChosenItem());
    GetSelectedFile(mLoaded);
  }

  IPopupMenu& Menu() { return mMainMenu; }
  int NFiles() const { return mFiles.GetSize(); }
  const IPopupMenu::Item* Item(int itemIdx) const { return mItems.Get(itemIdx); }
  std::string FileOf(int itemIdx) const
  {
    const IPopupMenu::Item* pItem = mItems.Get(itemIdx);
    const WDL_String* pFile = pItem ? mFiles.Get(pItem->GetTag()) : nullptr;
    return pFile ? pFile->Get() : "(none)";
  }
  std::string Selected() const
  {
    WDL_String path;
    GetSelectedFile(path);
    return path.Get();
  }

  WDL_String mLoaded;
  int mDismissals = 0;
};

// The menu tree as text: items joined by "|", a submenu's items in braces after its title.
std::string Outline(const IPopupMenu& menu)
{
  std::string out;
  for (int i = 0; i < menu.NItems(); ++i)
  {
    const IPopupMenu::Item* pItem = menu.GetItem(i);
    out += (i ? "|" : "") + std::string(pItem->GetText());
    if (const IPopupMenu* pSubmenu = pItem->GetSubmenu())
      out += "{" + Outline(*pSubmenu) + "}";
  }
  return out;
}

// Every file has exactly one item, every item's tag names a file, and no submenu is left empty.
void ExpectConsistent(Browser& browser)
{
  ASSERT_EQ(browser.NItems(), browser.NFiles());
  std::set<int> tags;
  for (int i = 0; i < browser.NItems(); ++i)
    tags.insert(browser.Item(i)->GetTag());
  ASSERT_EQ(static_cast<int>(tags.size()), browser.NFiles());
  if (!tags.empty())
  {
    EXPECT_EQ(*tags.begin(), 0);
    EXPECT_EQ(*tags.rbegin(), browser.NFiles() - 1);
  }
  EXPECT_EQ(Outline(browser.Menu()).find("{}"), std::string::npos) << Outline(browser.Menu());
}

// A fresh temporary tree per test, over the recording surface for the menu round trip.
class DirBrowse : public SurfaceFixture
{
protected:
  void SetUp() override
  {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    // Canonical, so that a link back into the tree is recognised as one.
    mRoot = fs::canonical(fs::temp_directory_path()) / fs::u8path("dir-browse-" + name + "-" + std::to_string(stamp));
    fs::create_directories(mRoot);
  }
  void TearDown() override
  {
    std::error_code ignored;
    fs::remove_all(mRoot, ignored);
  }

  // rel uses "/" and may hold UTF-8; missing parents are made.
  void Touch(const std::string& rel) const
  {
    const fs::path path = mRoot / fs::u8path(rel);
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
  }
  void MakeDir(const std::string& rel) const { fs::create_directories(mRoot / fs::u8path(rel)); }

  // The path the browser reports for rel: the scanned path, then "/" before each name.
  std::string Root() const { return mRoot.u8string(); }
  std::string PathOf(const std::string& rel) const { return Root() + "/" + rel; }

  fs::path mRoot;
};

TEST_F(DirBrowse, ListsTheTreeSortedWithoutCaseAndSelectsByPath)
{
  Touch("Zeta.fxp");
  Touch(u8"\u00c9mile.fxp");
  Touch("alpha.fxp");
  Touch("Sub/gamma.fxp");
  Touch("beta.fxp");
  Touch(".hidden.fxp");
  Touch(".hiddendir/x.fxp");
  Touch("notes.txt");

  Browser browser;
  browser.AddPath(Root().c_str(), "ignored with one path");
  browser.SetupMenu();

  // Case-insensitive byte order puts the two-byte "É" after every ASCII letter.
  EXPECT_EQ(Outline(browser.Menu()), u8"alpha.fxp|beta.fxp|Sub{gamma.fxp}|Zeta.fxp|\u00c9mile.fxp");
  ExpectConsistent(browser);

  // mItems runs depth first in menu order; whatever order the scan met the files in, each item's
  // tag leads to its own file and selecting that file finds the item again.
  const std::string rels[] = {"alpha.fxp", "beta.fxp", "Sub/gamma.fxp", "Zeta.fxp", u8"\u00c9mile.fxp"};
  ASSERT_EQ(browser.NItems(), 5);
  for (int i = 0; i < 5; ++i)
  {
    EXPECT_EQ(browser.FileOf(i), PathOf(rels[i]));
    EXPECT_EQ(browser.SetSelectedFile(PathOf(rels[i]).c_str()), i);
    EXPECT_EQ(browser.Selected(), PathOf(rels[i]));
  }

  // Checking is exclusive across submenus.
  browser.SetSelectedFile(PathOf("Sub/gamma.fxp").c_str());
  browser.CheckSelectedItem();
  EXPECT_TRUE(browser.Item(2)->GetChecked());
  browser.SetSelectedFile(PathOf("Zeta.fxp").c_str());
  browser.CheckSelectedItem();
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(browser.Item(i)->GetChecked(), i == 3) << i;

  // An unknown path, a null one, or one differing only in case selects nothing.
  for (const char* path : {"nowhere.fxp", static_cast<const char*>(nullptr), "ALPHA.FXP"})
  {
    browser.SetSelectedFile(PathOf("alpha.fxp").c_str());
    const std::string full = path ? PathOf(path) : "";
    EXPECT_EQ(browser.SetSelectedFile(path ? full.c_str() : nullptr), -1);
    EXPECT_EQ(browser.Selected(), "");
  }
  // A rescan forgets the selection.
  browser.SetSelectedFile(PathOf("alpha.fxp").c_str());
  browser.SetupMenu();
  EXPECT_EQ(browser.Selected(), "");
}

TEST_F(DirBrowse, ExtensionRules)
{
  for (const char* name : {"a.fxp.bak", "fxp", "Pad.fxp", "a.fxp.fxp", "b.fxp2"})
    Touch(name);

  struct Case
  {
    bool showFileExtensions;
    const char* outline;
  };
  for (const Case& c : {Case{true, "a.fxp.fxp|Pad.fxp"}, Case{false, "a.fxp|Pad"}})
  {
    Browser browser(c.showFileExtensions);
    browser.AddPath(Root().c_str(), "");
    browser.SetupMenu();
    EXPECT_EQ(Outline(browser.Menu()), c.outline) << c.showFileExtensions;
  }
}

TEST_F(DirBrowse, SeveralPathsBecomeLabelledSubmenusInTheOrderAdded)
{
  Touch("user/mine.fxp");
  Touch("factory/Init.fxp");
  Touch("factory/Bass/Sub.fxp");

  Browser browser;
  browser.AddPath(PathOf("user").c_str(), "User");
  browser.AddPath(PathOf("factory").c_str(), "Factory");
  browser.SetupMenu();
  EXPECT_EQ(Outline(browser.Menu()), "User{mine.fxp}|Factory{Bass{Sub.fxp}|Init.fxp}");
  EXPECT_EQ(browser.SetSelectedFile(PathOf("factory/Bass/Sub.fxp").c_str()), 1);

  browser.ClearPathList();
  EXPECT_EQ(browser.NItems(), 0);
  browser.AddPath(PathOf("factory").c_str(), "Factory");
  browser.SetupMenu();
  EXPECT_EQ(Outline(browser.Menu()), "Bass{Sub.fxp}|Init.fxp");
}

TEST_F(DirBrowse, AMissingDirectoryAddsNothing)
{
  Touch("here/a.fxp");

  Browser one;
  one.AddPath(PathOf("gone").c_str(), "Gone");
  one.SetupMenu();
  EXPECT_EQ(Outline(one.Menu()), "");

  Browser two;
  two.AddPath(PathOf("gone").c_str(), "Gone");
  two.AddPath(PathOf("here").c_str(), "Here");
  two.SetupMenu();
  EXPECT_EQ(Outline(two.Menu()), "Gone{}|Here{a.fxp}");

  Browser none;
  none.SetupMenu();
  EXPECT_EQ(none.NItems(), 0);
}

TEST_F(DirBrowse, EmptySubmenusAreDroppedUnlessAskedFor)
{
  Touch("a.fxp");
  MakeDir("empty");
  Touch("only-text/notes.txt");
  MakeDir("nested/inner");
  Touch("deep/er/b.fxp");

  struct Case
  {
    bool scanRecursively;
    bool showEmptySubmenus;
    const char* outline;
  };
  for (const Case& c :
       {Case{true, false, "a.fxp|deep{er{b.fxp}}"},
        Case{true, true, "a.fxp|deep{er{b.fxp}}|empty{}|nested{inner{}}|only-text{}"}, Case{false, true, "a.fxp"}})
  {
    Browser browser(true, c.scanRecursively, c.showEmptySubmenus);
    browser.AddPath(Root().c_str(), "");
    browser.SetupMenu();
    EXPECT_EQ(Outline(browser.Menu()), c.outline) << c.scanRecursively << c.showEmptySubmenus;
  }
}

TEST_F(DirBrowse, NamesThatAreNotUTF8AreLeftOut)
{
#if defined(_WIN32)
  GTEST_SKIP() << "Windows file names are UTF-16 and always convert";
#else
  Touch("good.fxp");
  std::ofstream(mRoot / std::string("bad\xff.fxp")) << "x";
  fs::create_directories(mRoot / std::string("dir\xc3("));
  std::ofstream(mRoot / std::string("dir\xc3(") / "inside.fxp") << "x";

  Browser browser;
  browser.AddPath(Root().c_str(), "");
  browser.SetupMenu();
  EXPECT_EQ(Outline(browser.Menu()), "good.fxp");
  ExpectConsistent(browser);
#endif
}

TEST_F(DirBrowse, LinksThatLoopEndTheScan)
{
  Touch("scan/a.fxp");
  Touch("scan/sub/b.fxp");
  Touch("p/p.fxp");
  Touch("q/q.fxp");
  std::error_code linkError;
  fs::create_directory_symlink(mRoot / "scan", mRoot / "scan/sub/back", linkError);
  if (linkError)
    GTEST_SKIP() << "this system cannot make symbolic links here: " << linkError.message();

  Browser browser;
  browser.AddPath(PathOf("scan").c_str(), "");
  browser.SetupMenu();
  EXPECT_EQ(Outline(browser.Menu()), "a.fxp|sub{b.fxp}");

  // Two folders outside the scanned one that link to each other: the scanner cannot tell the
  // cycle from a path, so only the depth bound ends it, with one p or q file per level. Short
  // link names keep the deepest path within Windows' limit.
  fs::create_directory_symlink(mRoot / "p", mRoot / "scan/l");
  fs::create_directory_symlink(mRoot / "q", mRoot / "p/m");
  fs::create_directory_symlink(mRoot / "p", mRoot / "q/n");
  browser.SetupMenu();
  EXPECT_EQ(browser.NItems(), 2 + IDirBrowseControlBase::kMaxScanDepth);
  ExpectConsistent(browser);
}

TEST_F(DirBrowse, ALinkBackIsRecognisedHoweverTheScannedPathIsSpelt)
{
  Touch("scan/a.fxp");
  Touch("scan/sub/b.fxp");
  std::error_code linkError;
  fs::create_directory_symlink(mRoot / "scan", mRoot / "scan/sub/back", linkError);
  if (!linkError)
    fs::create_directory_symlink(mRoot, mRoot / "alias", linkError);
  if (linkError)
    GTEST_SKIP() << "this system cannot make symbolic links here: " << linkError.message();

  for (const char* rel : {"./scan", "scan/sub/..", "alias/scan", "alias/./alias/scan/"})
  {
    Browser browser;
    browser.AddPath(PathOf(rel).c_str(), "");
    browser.SetupMenu();
    EXPECT_EQ(Outline(browser.Menu()), "a.fxp|sub{b.fxp}") << rel;
  }
}

TEST_F(DirBrowse, DeepTreesStopAtTheDepthBound)
{
  const int levels = IDirBrowseControlBase::kMaxScanDepth + 3;
  std::string dir;
  for (int level = 0; level < levels; ++level)
  {
    Touch(dir + "l" + std::to_string(level) + ".fxp");
    dir += "d/";
  }

  Browser browser;
  browser.AddPath(Root().c_str(), "");
  browser.SetupMenu();
  EXPECT_EQ(browser.NItems(), IDirBrowseControlBase::kMaxScanDepth + 1);
  ExpectConsistent(browser);

  const auto deepest = [&](int level) {
    std::string rel;
    for (int i = 0; i < level; ++i)
      rel += "d/";
    return PathOf(rel + "l" + std::to_string(level) + ".fxp");
  };
  EXPECT_GE(browser.SetSelectedFile(deepest(IDirBrowseControlBase::kMaxScanDepth).c_str()), 0);
  EXPECT_EQ(browser.SetSelectedFile(deepest(IDirBrowseControlBase::kMaxScanDepth + 1).c_str()), -1);
}

TEST_F(DirBrowse, WideFoldersStopAtTheEntryBound)
{
  const int files = IDirBrowseControlBase::kMaxScanEntries + 10;
  for (int i = 0; i < files; ++i)
    std::ofstream(mRoot / ("f" + std::to_string(i) + ".fxp")) << "x";

  Browser browser;
  browser.AddPath(Root().c_str(), "");
  browser.SetupMenu();
  EXPECT_EQ(browser.NItems(), IDirBrowseControlBase::kMaxScanEntries);
  ExpectConsistent(browser);
}

TEST_F(DirBrowse, EntriesThatAreNotListedCountTowardTheEntryBound)
{
  MakeDir("many");
  for (int i = 0; i < IDirBrowseControlBase::kMaxScanEntries; ++i)
    std::ofstream(mRoot / "many" / ("n" + std::to_string(i) + ".txt")) << "x";
  Touch("one/x.fxp");

  // The paths are scanned in the order added, the second once the first has used up the bound.
  Browser browser;
  browser.AddPath(PathOf("many").c_str(), "Many");
  browser.AddPath(PathOf("one").c_str(), "One");
  browser.SetupMenu();
  EXPECT_EQ(Outline(browser.Menu()), "Many{}|One{}");
}

TEST_F(DirBrowse, FoldersVanishingDuringScansLeaveAConsistentMenu)
{
  Touch("keep.fxp");
  std::atomic<bool> stop{false};
  std::thread churn([&] {
    std::error_code ignored;
    while (!stop)
    {
      fs::create_directories(mRoot / "churn/x/y", ignored);
      std::ofstream(mRoot / "churn/x/y/c.fxp") << "x";
      std::ofstream(mRoot / "churn/x/d.fxp") << "x";
      fs::remove_all(mRoot / "churn", ignored);
    }
  });

  Browser browser;
  browser.AddPath(Root().c_str(), "");
  for (int round = 0; round < 300; ++round)
  {
    browser.SetupMenu();
    ExpectConsistent(browser);
    EXPECT_GE(browser.SetSelectedFile(PathOf("keep.fxp").c_str()), 0);
  }
  stop = true;
  churn.join();
}

TEST_F(DirBrowse, AChoiceFromTheMenuReachesTheControlAsItsFile)
{
  Touch("gamma.fxp");
  Touch("Alpha.fxp");
  Touch("beta.fxp");
  auto* pBrowser = static_cast<Browser*>(g.AttachControl(new Browser()));
  pBrowser->AddPath(Root().c_str(), "");
  pBrowser->SetupMenu();

  g.mMenuChoice = 1;
  g.CreatePopupMenu(*pBrowser, pBrowser->Menu(), pBrowser->GetRECT());
  EXPECT_EQ(std::string(pBrowser->mLoaded.Get()), PathOf("beta.fxp"));
  EXPECT_EQ(pBrowser->Selected(), PathOf("beta.fxp"));

  // A dismissed menu leaves the selection alone.
  g.mMenuChoice = -1;
  g.CreatePopupMenu(*pBrowser, pBrowser->Menu(), pBrowser->GetRECT());
  EXPECT_EQ(pBrowser->Selected(), PathOf("beta.fxp"));
}

TEST_F(DirBrowse, ARescanTakesDownTheDrawnMenuThatShowsTheOldTree)
{
  Touch("a.fxp");
  Touch("Sub/b.fxp");
  Touch("Sub/c.fxp");
  g.mTextExtent = IRECT(-20.f, -8.f, 20.f, 8.f);
  g.AttachPopupMenuControl();
  IPopupMenuControl* popup = nullptr;
  g.ForAllControlsFunc([&popup](IControl* pControl) {
    if (auto* pPopup = dynamic_cast<IPopupMenuControl*>(pControl))
      popup = pPopup;
  });
  ASSERT_NE(popup, nullptr);
  auto* pBrowser = static_cast<Browser*>(g.AttachControl(new Browser()));
  pBrowser->AddPath(Root().c_str(), "");
  pBrowser->SetupMenu();
  ASSERT_EQ(Outline(pBrowser->Menu()), "a.fxp|Sub{b.fxp|c.fxp}");

  // Open, with the panel of "Sub" shown beside the root panel (rows are 16 high, 2 apart).
  g.CreatePopupMenu(*pBrowser, pBrowser->Menu(), pBrowser->GetRECT());
  popup->OnEndAnimation();
  const IRECT root = popup->GetTargetRECT();
  popup->OnMouseOver(root.L + 20.f, root.T + 5.f + 18.f + 8.f, IMouseMod());
  ASSERT_GT(popup->GetTargetRECT().R, root.R);
  const float subX = popup->GetTargetRECT().R - 20.f;

  pBrowser->SetupMenu();
  EXPECT_TRUE(popup->IsHidden());
  EXPECT_EQ(pBrowser->mDismissals, 1);
  EXPECT_EQ(g.GetControlInPopupMenu(), nullptr);

  // The next frame, and the mouse over where the submenu was, find nothing of the old tree.
  IRECTList rects;
  if (g.IsDirty(rects))
    g.Draw(rects);
  popup->OnMouseOver(subX, root.T + 5.f + 18.f + 8.f, IMouseMod());
  popup->OnMouseDown(subX, root.T + 5.f + 18.f + 8.f, IMouseMod(true));
  EXPECT_EQ(std::string(pBrowser->mLoaded.Get()), "");
}

#if defined(BRIMVALE_HEADLESS_EDITOR)

// Opens its menu on a press, as a preset browser does, and marks the file chosen.
class PressBrowser : public Browser
{
public:
  void OnMouseDown(float, float, const IMouseMod&) override { GetUI()->CreatePopupMenu(*this, mMainMenu, mRect); }
  void OnPopupMenuSelection(IPopupMenu* pSelectedMenu, int valIdx) override
  {
    Browser::OnPopupMenuSelection(pSelectedMenu, valIdx);
    CheckSelectedItem();
  }
};

// Chooses the row whose text is want, or dismisses the menu when none is; keeps the rows shown.
struct MenuScript
{
  std::string want;
  std::vector<std::string> rows;
  std::vector<int> checked;

  static int Answer(void* host, const HeadlessMenuRequest* menu)
  {
    auto* script = static_cast<MenuScript*>(host);
    script->rows.assign(menu->items, menu->items + menu->nItems);
    script->checked.assign(menu->checked, menu->checked + menu->nItems);
    for (int i = 0; i < menu->nItems; ++i)
      if (script->rows[i] == script->want)
        return i;
    return -1;
  }
};

TEST_F(DirBrowse, OnTheHeadlessEditorAChoiceSelectsItsUTF8PathAndTakesTheCheckOutOfASubmenu)
{
  const std::string folder = u8"B\u00e4sse", inFolder = u8"\u65e5\u672c.fxp", chosen = u8"\u00c5ngstr\u00f6m.fxp";
  Touch("alpha.fxp");
  Touch(folder + "/" + inFolder);
  Touch(folder + u8"/Tiefe T\u00f6ne.fxp");
  Touch(u8"Z\u00fcrich.fxp");
  Touch(chosen);

  MenuScript script;
  HeadlessWindow window{};
  window.host = &script;
  window.answerMenu = &MenuScript::Answer;
  headless::Editor editor(100, 40);
  ASSERT_NE(editor.graphics->OpenWindow(&window), nullptr);
  auto* pBrowser = static_cast<PressBrowser*>(editor.graphics->AttachControl(new PressBrowser()));
  pBrowser->AddPath(Root().c_str(), "");
  pBrowser->SetupMenu();

  // A selection restored from the subfolder holds the check mark when the menu opens.
  const int inFolderIdx = pBrowser->SetSelectedFile(PathOf(folder + "/" + inFolder).c_str());
  ASSERT_GE(inFolderIdx, 0);
  pBrowser->CheckSelectedItem();

  // The window's answer can only name a row of the top level, where the subfolder is one row; so
  // the choice is the multi-byte name sorted after that row, and the check leaves the submenu.
  script.want = chosen;
  headless::ClickAt(window, 50.f, 10.f);
  EXPECT_EQ(script.rows, (std::vector<std::string>{"alpha.fxp", folder, u8"Z\u00fcrich.fxp", chosen}));
  EXPECT_EQ(script.checked, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(std::string(pBrowser->mLoaded.Get()), PathOf(chosen));
  EXPECT_EQ(pBrowser->Selected(), PathOf(chosen));
  for (int i = 0; i < pBrowser->NItems(); ++i)
    EXPECT_EQ(pBrowser->Item(i)->GetChecked(), pBrowser->FileOf(i) == PathOf(chosen)) << pBrowser->FileOf(i);
  EXPECT_FALSE(pBrowser->Item(inFolderIdx)->GetChecked());

  // Opened again, the menu shows the check on the chosen row; dismissing it keeps the selection.
  script.want.clear();
  headless::ClickAt(window, 50.f, 10.f);
  EXPECT_EQ(script.checked, (std::vector<int>{0, 0, 0, 1}));
  EXPECT_EQ(pBrowser->Selected(), PathOf(chosen));
}

#endif

} // namespace
