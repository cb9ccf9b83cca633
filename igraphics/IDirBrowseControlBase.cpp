#include "igraphics/IDirBrowseControlBase.h"

#include <cstring>

#include "igraphics/IGraphics.h"
#include "iplug/wdl/WdlDirScan.h"
#include "utility/UTF8.h"

namespace iplug
{
namespace igraphics
{

namespace
{

bool AddOwned(WDL_PtrList<WDL_String>& list, const char* text)
{
  auto* pString = new WDL_String(text);
  if (list.Add(pString))
    return true;
  delete pString;
  return false;
}

// Ends in the extension, with at least one character before it.
bool HasExtension(const char* name, const WDL_String& extension)
{
  const size_t nameLen = std::strlen(name);
  const size_t extLen = static_cast<size_t>(extension.GetLength());
  return nameLen > extLen && std::strcmp(name + nameLen - extLen, extension.Get()) == 0;
}

} // namespace

IDirBrowseControlBase::IDirBrowseControlBase(const IRECT& bounds, const char* extension, bool showFileExtensions,
                                             bool scanRecursively, bool showEmptySubmenus)
: IControl(bounds)
, mScanRecursively(scanRecursively)
, mShowFileExtensions(showFileExtensions)
, mShowEmptySubmenus(showEmptySubmenus)
, mExtension(extension)
{}

IDirBrowseControlBase::~IDirBrowseControlBase()
{
  ClearPathList();
}

void IDirBrowseControlBase::AddPath(const char* path, const char* label)
{
  AddOwned(mPaths, path);
  AddOwned(mPathLabels, label);
}

void IDirBrowseControlBase::ClearPathList()
{
  mPaths.Empty(true);
  mPathLabels.Empty(true);
  mFiles.Empty(true);
  mItems.Empty();
}

void IDirBrowseControlBase::SetupMenu()
{
  // A drawn menu showing this menu points into the submenus that are about to be freed.
  if (GetUI())
    GetUI()->DismissPopupMenu(*this);

  mFiles.Empty(true);
  mItems.Empty();
  mMainMenu.Clear();
  mMainMenu.SetPrefix(0);
  mMainMenu.SetMultiCheck(false);
  mSelectedItemIndex = -1;

  int entriesLeft = kMaxScanEntries;
  const int nPaths = mPaths.GetSize();
  if (nPaths == 1)
    ScanDirectory(mPaths.Get(0)->Get(), mMainMenu, 0, entriesLeft);
  else
  {
    for (int i = 0; i < nPaths; ++i)
    {
      const WDL_String* pLabel = mPathLabels.Get(i);
      auto* pSubmenu = new IPopupMenu();
      mMainMenu.AddItem(pLabel ? pLabel->Get() : "", i, pSubmenu);
      ScanDirectory(mPaths.Get(i)->Get(), *pSubmenu, 0, entriesLeft);
    }
  }
  CollectItems(mMainMenu);
}

void IDirBrowseControlBase::ScanDirectory(const char* path, IPopupMenu& menu, int depth, int& entriesLeft)
{
  WDL_DirScan scan;
  for (int more = scan.First(path); more == 0 && entriesLeft > 0; more = scan.Next())
  {
    const char* name = scan.GetCurrentFN();
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
      continue;
    // Every other entry costs a look, listed or not.
    --entriesLeft;
    // A name that is not UTF-8 cannot be shown, nor reopened on every platform.
    if (name[0] == '.' || brimvale::utility::IsUTF8String(name) < 0)
      continue;

    WDL_String fullPath;
    scan.GetCurrentFullFN(&fullPath);
    const int kind = scan.GetCurrentIsDirectory();
    if (mScanRecursively && kind != WDL_DirScan::kNotDirectory)
    {
      if (kind == WDL_DirScan::kLinkToOwnAncestor || depth >= kMaxScanDepth)
        continue;
      auto* pSubmenu = new IPopupMenu();
      menu.AddItem(name, IPopupMenu::kSorted, pSubmenu);
      ScanDirectory(fullPath.Get(), *pSubmenu, depth + 1, entriesLeft);
    }
    else if (mExtension.GetLength() > 0 && HasExtension(name, mExtension))
    {
      // The path goes in first, so an item's tag always names an existing file.
      const int tag = mFiles.GetSize();
      if (!AddOwned(mFiles, fullPath.Get()))
        continue;
      WDL_String text(name);
      if (!mShowFileExtensions)
        text.SetLen(text.GetLength() - mExtension.GetLength() - 1);
      menu.AddItem(new IPopupMenu::Item(text.Get(), IPopupMenu::Item::kNoFlags, tag), IPopupMenu::kSorted);
    }
  }

  if (!mShowEmptySubmenus)
    menu.RemoveEmptySubmenus();
}

void IDirBrowseControlBase::CollectItems(const IPopupMenu& menu)
{
  for (int i = 0; i < menu.NItems(); ++i)
  {
    IPopupMenu::Item* pItem = menu.GetItem(i);
    if (const IPopupMenu* pSubmenu = pItem->GetSubmenu())
      CollectItems(*pSubmenu);
    else
      mItems.Add(pItem);
  }
}

int IDirBrowseControlBase::SetSelectedFile(const char* path)
{
  mSelectedItemIndex = -1;
  if (!path)
    return -1;

  int fileIdx = -1;
  for (int i = 0; i < mFiles.GetSize() && fileIdx < 0; ++i)
    if (std::strcmp(mFiles.Get(i)->Get(), path) == 0)
      fileIdx = i;
  if (fileIdx < 0)
    return -1;

  for (int i = 0; i < mItems.GetSize(); ++i)
  {
    if (mItems.Get(i)->GetTag() == fileIdx)
    {
      mSelectedItemIndex = i;
      break;
    }
  }
  return mSelectedItemIndex;
}

void IDirBrowseControlBase::GetSelectedFile(WDL_String& path) const
{
  // The index and the item's tag are both checked: a subclass may set either.
  const IPopupMenu::Item* pItem = mItems.Get(mSelectedItemIndex);
  const WDL_String* pFile = pItem ? mFiles.Get(pItem->GetTag()) : nullptr;
  path.Set(pFile ? pFile->Get() : "");
}

void IDirBrowseControlBase::CheckSelectedItem()
{
  if (IPopupMenu::Item* pItem = mItems.Get(mSelectedItemIndex))
    mMainMenu.CheckItemAlone(pItem);
}

} // namespace igraphics
} // namespace iplug
