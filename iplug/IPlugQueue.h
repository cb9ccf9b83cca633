#pragma once

#include <atomic>
#include <cstddef>

#include "iplug/wdl/WdlHeapBuf.h"

namespace iplug
{

/** A lock-free ring between exactly one producer thread and one consumer thread.
 *  One slot always stays free, so a queue for N entries holds N + 1 slots. A full queue drops the
 *  new element rather than wait; a queue whose storage could not be allocated stores nothing. */
template <typename T>
class IPlugQueue final
{
public:
  explicit IPlugQueue(int size) { Resize(size); }

  IPlugQueue(const IPlugQueue&) = delete;
  IPlugQueue& operator=(const IPlugQueue&) = delete;

  /** Sets room for size entries and empties the queue; not to be called while either side runs. */
  void Resize(int size)
  {
    mData.Resize(size > 0 ? size + 1 : 0);
    mWriteIndex.store(0);
    mReadIndex.store(0);
  }

  bool Push(const T& item)
  {
    const size_t nSlots = NSlots();
    if (nSlots == 0)
      return false;
    const size_t writeIndex = mWriteIndex.load(std::memory_order_relaxed);
    const size_t nextWriteIndex = (writeIndex + 1) % nSlots;
    if (nextWriteIndex == mReadIndex.load(std::memory_order_acquire))
      return false;
    mData.Get()[writeIndex] = item;
    mWriteIndex.store(nextWriteIndex, std::memory_order_release);
    return true;
  }

  bool Pop(T& item)
  {
    const size_t nSlots = NSlots();
    if (nSlots == 0)
      return false;
    const size_t readIndex = mReadIndex.load(std::memory_order_relaxed);
    if (readIndex == mWriteIndex.load(std::memory_order_acquire))
      return false;
    item = mData.Get()[readIndex];
    mReadIndex.store((readIndex + 1) % nSlots, std::memory_order_release);
    return true;
  }

  size_t ElementsAvailable() const
  {
    const size_t writeIndex = mWriteIndex.load(std::memory_order_acquire);
    const size_t readIndex = mReadIndex.load(std::memory_order_acquire);
    return writeIndex >= readIndex ? writeIndex - readIndex : writeIndex + NSlots() - readIndex;
  }

private:
  size_t NSlots() const { return static_cast<size_t>(mData.GetSize()); }

  WDL_TypedBuf<T> mData;
  std::atomic<size_t> mWriteIndex{0};
  std::atomic<size_t> mReadIndex{0};
};

} // namespace iplug
