#include "iplug/wdl/WdlHeapBuf.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "iplug/wdl/WdlHeapAlloc.h"

namespace iplug
{
namespace
{
constexpr int64_t kPage = 4096;
constexpr int64_t kMaxPageGrowth = 0x400000;
// Large blocks end 96 bytes short of a page boundary, leaving room for the heap's own header.
constexpr int64_t kHeapHeaderSlack = 96;

int64_t AllocationFor(int64_t size, int64_t granularity)
{
  int64_t growth = std::max(size / 2, granularity);
  if (granularity < kPage)
    return size + growth;
  growth = std::min(growth / kPage * kPage, kMaxPageGrowth);
  return (size + growth + kHeapHeaderSlack) / kPage * kPage - kHeapHeaderSlack;
}

int64_t ShrinkThreshold(int64_t allocated, int64_t granularity)
{
  return std::max<int64_t>(1, std::min(allocated - 4 * granularity, allocated / 2));
}
} // namespace

WDL_HeapBuf::~WDL_HeapBuf()
{
  Release();
}

WDL_HeapBuf::WDL_HeapBuf(const WDL_HeapBuf& other) : mGranularity(other.mGranularity)
{
  if (Resize(other.mSize) != nullptr && mSize == other.mSize)
    std::memcpy(mBuf, other.mBuf, static_cast<size_t>(mSize));
}

WDL_HeapBuf& WDL_HeapBuf::operator=(const WDL_HeapBuf& other)
{
  if (this != &other)
  {
    WDL_HeapBuf copy(other);
    Swap(copy);
  }
  return *this;
}

WDL_HeapBuf::WDL_HeapBuf(WDL_HeapBuf&& other) noexcept : mGranularity(other.mGranularity)
{
  Swap(other);
}

WDL_HeapBuf& WDL_HeapBuf::operator=(WDL_HeapBuf&& other) noexcept
{
  if (this != &other)
  {
    Release();
    Swap(other);
  }
  return *this;
}

void* WDL_HeapBuf::Resize(int newSize, bool resizeDown)
{
  newSize = std::max(newSize, 0);
  const bool grow = newSize > mAlloc;
  const bool shrink = resizeDown && newSize < ShrinkThreshold(mAlloc, mGranularity);
  if (grow || shrink)
  {
    if (newSize == 0)
    {
      Release();
      return nullptr;
    }
    const int64_t wanted = AllocationFor(newSize, mGranularity);
    if (wanted > INT_MAX || (wanted != mAlloc && !Reallocate(static_cast<int>(wanted))))
      return mSize ? mBuf : nullptr;
  }
  mSize = newSize;
  return mSize ? mBuf : nullptr;
}

bool WDL_HeapBuf::Reallocate(int newAlloc)
{
  void* block = wdl_heap::Realloc(mBuf, static_cast<size_t>(newAlloc));
  if (block == nullptr)
  {
    block = wdl_heap::Malloc(static_cast<size_t>(newAlloc));
    if (block == nullptr)
      return false;
    if (mBuf != nullptr)
    {
      std::memcpy(block, mBuf, static_cast<size_t>(std::min(mAlloc, newAlloc)));
      wdl_heap::Free(mBuf);
    }
  }
  mBuf = block;
  mAlloc = newAlloc;
  return true;
}

void WDL_HeapBuf::Release()
{
  if (mBuf != nullptr)
    wdl_heap::Free(mBuf);
  mBuf = nullptr;
  mAlloc = 0;
  mSize = 0;
}

void WDL_HeapBuf::Swap(WDL_HeapBuf& other) noexcept
{
  std::swap(mBuf, other.mBuf);
  std::swap(mAlloc, other.mAlloc);
  std::swap(mSize, other.mSize);
  std::swap(mGranularity, other.mGranularity);
}

} // namespace iplug
