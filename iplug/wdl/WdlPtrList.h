#pragma once

#include <algorithm>

#include "iplug/wdl/WdlHeapBuf.h"

namespace iplug
{

// A growable list of pointers. It deletes its items only when asked to (Delete or Empty with the
// delete flag); its destructor leaves them alone, so owners empty it themselves.
template <class T>
class WDL_PtrList
{
public:
  using DeleteFunc = void (*)(void*);

  explicit WDL_PtrList(int granularityBytes = 4096) : mPtrs(granularityBytes) {}
  WDL_PtrList(const WDL_PtrList&) = delete;
  WDL_PtrList& operator=(const WDL_PtrList&) = delete;

  T** GetList() const { return mPtrs.Get(); }
  int GetSize() const { return mPtrs.GetSize(); }

  // The item at idx, or null outside the list.
  T* Get(int idx) const { return idx >= 0 && idx < GetSize() ? GetList()[idx] : nullptr; }

  // The index of the first entry equal to item, or -1.
  int Find(const T* item) const
  {
    for (int i = 0; i < GetSize(); ++i)
      if (GetList()[i] == item)
        return i;
    return -1;
  }

  // Each returns the item added, or null when the list could not grow (the list is then unchanged).
  T* Add(T* item) { return Insert(GetSize(), item); }

  // idx is clamped to 0..GetSize().
  T* Insert(int idx, T* item)
  {
    const int n = GetSize();
    if (mPtrs.Add(item) == nullptr)
      return nullptr;
    idx = std::clamp(idx, 0, n);
    T** items = GetList();
    for (int i = n; i > idx; --i)
      items[i] = items[i - 1];
    items[idx] = item;
    return item;
  }

  // Removes the entry at idx (nothing outside the list); with wantDelete the item is then deleted,
  // by delFunc when one is given.
  void Delete(int idx, bool wantDelete = false, DeleteFunc delFunc = nullptr)
  {
    if (idx < 0 || idx >= GetSize())
      return;
    T* item = GetList()[idx];
    mPtrs.Delete(idx);
    if (wantDelete)
      Destroy(item, delFunc);
  }

  // Clears the list. With wantDelete the items go from the last to the first, the list shrinking by
  // one after each, so an item's destructor sees only the items before it and itself.
  void Empty(bool wantDelete = false, DeleteFunc delFunc = nullptr)
  {
    if (wantDelete)
    {
      for (int i = GetSize() - 1; i >= 0; --i)
      {
        Destroy(Get(i), delFunc);
        mPtrs.Resize(std::min(i, GetSize()), false);
      }
    }
    mPtrs.Resize(0, true);
  }

private:
  static void Destroy(T* item, DeleteFunc delFunc)
  {
    if (item == nullptr)
      return;
    if (delFunc != nullptr)
      delFunc(item);
    else
      delete item;
  }

  WDL_TypedBuf<T*> mPtrs;
};

} // namespace iplug
