#pragma once

#include "igraphics/IControl.h"
#include "igraphics/IPopupMenu.h"
#include "iplug/wdl/WdlPtrList.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

/** Offers the files of one or more directories as a popup menu, one submenu per sub-directory, and
    tracks which file is selected. Drawing and the reaction to a choice are the subclass's.

    Directory contents are untrusted, so a scan is bounded: it descends at most kMaxScanDepth
    directories below each path (which also ends link cycles the scanner cannot see), reads at most
    kMaxScanEntries entries in all, listed or not, never enters a link back to a directory it is
    already inside, however its path is spelt, and leaves out names that are not valid UTF-8. A directory that cannot be read,
    or vanishes while it is read, adds what was read of it. */
class IDirBrowseControlBase : public IControl
{
public:
  static constexpr int kMaxScanDepth = 32;
  static constexpr int kMaxScanEntries = 10000;

  /** extension is the one to list, without its dot (for example "fxp"). */
  IDirBrowseControlBase(const IRECT& bounds, const char* extension, bool showFileExtensions = true,
                        bool scanRecursively = true, bool showEmptySubmenus = false);
  ~IDirBrowseControlBase() override;

  /** label titles the path's submenu when there are several paths. */
  void AddPath(const char* path, const char* label);
  void ClearPathList();
  /** Rescans every path into the menu and forgets the selection. */
  void SetupMenu();

  int NItems() const { return mItems.GetSize(); }
  /** The selected item's index, or -1 when path is not one of the files found. */
  int SetSelectedFile(const char* path);
  /** "" when nothing is selected. */
  void GetSelectedFile(WDL_String& path) const;
  /** Leaves the selected item the only checked one in the whole menu. */
  void CheckSelectedItem();

protected:
  bool mScanRecursively;
  bool mShowFileExtensions;
  bool mShowEmptySubmenus;
  int mSelectedItemIndex = -1;
  IPopupMenu mMainMenu;
  WDL_PtrList<WDL_String> mPaths;
  WDL_PtrList<WDL_String> mPathLabels;
  // Full paths in scan order; a file item's tag indexes this list.
  WDL_PtrList<WDL_String> mFiles;
  // The menu's file items, depth first in menu order; the menu owns them.
  WDL_PtrList<IPopupMenu::Item> mItems;
  WDL_String mExtension;

private:
  void ScanDirectory(const char* path, IPopupMenu& menu, int depth, int& entriesLeft);
  void CollectItems(const IPopupMenu& menu);
};

} // namespace igraphics
} // namespace iplug
