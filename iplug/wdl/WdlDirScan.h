#pragma once

#include "iplug/wdl/WdlString.h"

namespace iplug
{

// Walks the entries of one directory, in the order the file system lists them ("." and ".."
// included). Paths are UTF-8 on every platform.
class WDL_DirScan
{
public:
  // What GetCurrentIsDirectory reports.
  enum EEntryKind
  {
    kNotDirectory = 0,
    kDirectory = 1,
    kLinkToDirectory = 2,
    kLinkToOwnAncestor = 4, // a link back to the scanned directory or one of its parents
  };

  WDL_DirScan() = default;
  ~WDL_DirScan() { Close(); }
  WDL_DirScan(const WDL_DirScan&) = delete;
  WDL_DirScan& operator=(const WDL_DirScan&) = delete;

  // -1 for a null or empty path; 1 when the directory cannot be opened or is empty; 0 when its
  // first entry is current. One trailing slash or backslash is ignored.
  int First(const char* dir);
  // 0 when the next entry is current, 1 at the end (or with no directory open).
  int Next();
  void Close();

  // The current entry's name, "" when there is none.
  const char* GetCurrentFN() const { return mHasCurrent ? mCurrentName.Get() : ""; }
  int GetCurrentIsDirectory() const;
  // Base path, "/", entry name.
  void GetCurrentFullFN(WDL_String* out) const;

private:
  // Platform part: open mBasePath and read the first entry, read the next, close.
  bool OpenAndReadFirst();
  bool ReadNext();
  void CloseDirectory();
  int ClassifyCurrent() const;
  // mResolvedBasePath becomes the base path as the file system names it, links and "." followed;
  // the base path as given when it cannot be resolved. Only a link needs it, so it is asked for
  // when the first link is met.
  void ResolveBasePath() const;
  // Whether a resolved link target is the base path itself or one of its parents.
  bool IsBaseOrAncestor(const char* resolved) const;

  WDL_String mBasePath;
  // Link targets come resolved, so they are compared with this, never with the path as given.
  mutable WDL_String mResolvedBasePath;
  mutable bool mBasePathResolved = false;
  WDL_String mCurrentName;
  bool mHasCurrent = false;
  // The platform's directory handle and what the listing said of the current entry's kind.
  void* mHandle = nullptr;
  unsigned long mCurrentType = 0;
};

} // namespace iplug
