#pragma once

#include <type_traits>

namespace iplug
{

// A growable block of bytes on the system heap. Growth never throws: a failed Resize leaves the
// buffer as it was, so callers compare GetSize() with the size they asked for.
class WDL_HeapBuf
{
public:
  explicit WDL_HeapBuf(int granularity = 4096) : mGranularity(granularity) {}
  ~WDL_HeapBuf();

  // A copy holds the same used bytes; when that memory cannot be had the copy is empty.
  WDL_HeapBuf(const WDL_HeapBuf& other);
  WDL_HeapBuf& operator=(const WDL_HeapBuf& other);
  WDL_HeapBuf(WDL_HeapBuf&& other) noexcept;
  WDL_HeapBuf& operator=(WDL_HeapBuf&& other) noexcept;

  // Sets the used size (negative counts as 0) and returns the data, or null when the used size is 0.
  void* Resize(int newSize, bool resizeDown = true);

  void* Get() const { return mBuf; }
  int GetSize() const { return mSize; }
  int GetAllocatedSize() const { return mAlloc; }
  int GetGranularity() const { return mGranularity; }

private:
  bool Reallocate(int newAlloc);
  void Release();
  void Swap(WDL_HeapBuf& other) noexcept;

  void* mBuf = nullptr;
  int mAlloc = 0;
  int mSize = 0;
  int mGranularity;
};

// A WDL_HeapBuf seen as an array of plain values.
template <class T>
class WDL_TypedBuf
{
  static_assert(std::is_trivially_copyable_v<T>, "WDL_TypedBuf holds plain values only");

public:
  explicit WDL_TypedBuf(int granularityBytes = 4096) : mHeap(granularityBytes) {}

  T* Get() const { return static_cast<T*>(mHeap.Get()); }
  int GetSize() const { return mHeap.GetSize() / static_cast<int>(sizeof(T)); }

  // Sets the element count; as with WDL_HeapBuf, a failed growth keeps the old count.
  T* Resize(int count, bool resizeDown = true)
  {
    if (count > kMaxCount)
      return GetSize() ? Get() : nullptr;
    return static_cast<T*>(mHeap.Resize(count * static_cast<int>(sizeof(T)), resizeDown));
  }

  // Appends one element; returns it, or null when the buffer could not grow.
  T* Add(const T& value)
  {
    const int n = GetSize();
    if (Resize(n + 1, false) == nullptr || GetSize() != n + 1)
      return nullptr;
    Get()[n] = value;
    return Get() + n;
  }

  // Removes the element at idx, moving the later ones down; an index outside the array does nothing.
  void Delete(int idx)
  {
    const int n = GetSize();
    if (idx < 0 || idx >= n)
      return;
    T* items = Get();
    for (int i = idx; i < n - 1; ++i)
      items[i] = items[i + 1];
    Resize(n - 1, false);
  }

private:
  static constexpr int kMaxCount = 0x7FFFFFFF / static_cast<int>(sizeof(T));
  WDL_HeapBuf mHeap;
};

} // namespace iplug
