#include "iplug/wdl/WdlHeapBuf.h"

#include <gtest/gtest.h>

#include <cstring>

using iplug::WDL_HeapBuf;
using iplug::WDL_TypedBuf;

namespace
{
struct GrowthCase
{
  int granularity;
  int size;
  int expectedAllocation;
};

// Small granularities grow by the larger of half the size and the granularity; from 4096 up the
// allocation ends 96 bytes short of a page, with the page-rounded growth capped at 4 MB.
const GrowthCase kGrowthCases[] = {
  {128, 10, 138},  {128, 1000, 1500},    {4096, 5000, 8096},
  {4096, 1, 4000}, {4096, 20000, 24480}, {4096, 20 * 1024 * 1024, 24 * 1024 * 1024 - 96},
};

TEST(WdlHeapBuf, FirstGrowthAllocatesByTheGranularityRule)
{
  for (const GrowthCase& c : kGrowthCases)
  {
    WDL_HeapBuf buf(c.granularity);
    EXPECT_NE(buf.Resize(c.size), nullptr);
    EXPECT_EQ(buf.GetSize(), c.size);
    EXPECT_EQ(buf.GetAllocatedSize(), c.expectedAllocation) << c.granularity << "/" << c.size;
  }
}

TEST(WdlHeapBuf, GrowingWithinTheAllocationKeepsTheBlock)
{
  WDL_HeapBuf buf(128);
  void* first = buf.Resize(10);
  std::memcpy(first, "abcdefghij", 10);
  EXPECT_EQ(buf.Resize(138), first);
  EXPECT_EQ(buf.GetAllocatedSize(), 138);
  char* grown = static_cast<char*>(buf.Resize(139));
  EXPECT_EQ(buf.GetAllocatedSize(), 139 + 128);
  EXPECT_EQ(std::memcmp(grown, "abcdefghij", 10), 0);
}

TEST(WdlHeapBuf, ShrinksOnlyBelowTheThresholdAndOnlyWhenAsked)
{
  WDL_HeapBuf buf(128);
  buf.Resize(1000);
  ASSERT_EQ(buf.GetAllocatedSize(), 1500);
  // Threshold: the smaller of 1500 - 4 * 128 and 1500 / 2, i.e. 750.
  buf.Resize(750, true);
  EXPECT_EQ(buf.GetAllocatedSize(), 1500);
  buf.Resize(749, false);
  EXPECT_EQ(buf.GetAllocatedSize(), 1500);
  EXPECT_EQ(buf.GetSize(), 749);
  buf.Resize(749, true);
  EXPECT_EQ(buf.GetAllocatedSize(), 749 + 374);
}

TEST(WdlHeapBuf, ResizingToZeroFreesOnlyWhenShrinkingIsAllowed)
{
  WDL_HeapBuf buf(128);
  buf.Resize(10);
  EXPECT_EQ(buf.Resize(0, false), nullptr);
  EXPECT_EQ(buf.GetSize(), 0);
  EXPECT_EQ(buf.GetAllocatedSize(), 138);
  EXPECT_EQ(buf.Resize(-5, true), nullptr);
  EXPECT_EQ(buf.GetAllocatedSize(), 0);
  EXPECT_EQ(buf.Get(), nullptr);
}

TEST(WdlHeapBuf, SizesBeyondTheIntRangeFailWithoutTouchingTheBuffer)
{
  WDL_HeapBuf buf(4096);
  void* data = buf.Resize(16);
  EXPECT_EQ(buf.Resize(0x7FFFFFFF), data);
  EXPECT_EQ(buf.GetSize(), 16);
}

TEST(WdlHeapBuf, CopiesAndMovesCarryTheBytes)
{
  WDL_HeapBuf original(128);
  std::memcpy(original.Resize(4), "wxyz", 4);
  WDL_HeapBuf copy(original);
  ASSERT_EQ(copy.GetSize(), 4);
  EXPECT_NE(copy.Get(), original.Get());
  EXPECT_EQ(std::memcmp(copy.Get(), "wxyz", 4), 0);
  WDL_HeapBuf moved(std::move(copy));
  EXPECT_EQ(moved.GetSize(), 4);
  EXPECT_EQ(copy.GetSize(), 0);
  EXPECT_EQ(std::memcmp(moved.Get(), "wxyz", 4), 0);
}

TEST(WdlTypedBuf, CountsElementsAndAddsAndDeletes)
{
  WDL_TypedBuf<double> buf;
  for (double v : {1.0, 2.0, 3.0, 4.0})
    ASSERT_NE(buf.Add(v), nullptr);
  EXPECT_EQ(buf.GetSize(), 4);
  buf.Delete(1);
  buf.Delete(7);
  ASSERT_EQ(buf.GetSize(), 3);
  EXPECT_EQ(buf.Get()[0], 1.0);
  EXPECT_EQ(buf.Get()[1], 3.0);
  EXPECT_EQ(buf.Get()[2], 4.0);
  EXPECT_EQ(buf.Resize(0x7FFFFFFF / 4), buf.Get()) << "an element count whose bytes overflow fails";
  EXPECT_EQ(buf.GetSize(), 3);
}
} // namespace
