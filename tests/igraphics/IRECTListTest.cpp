#include "igraphics/IRECTList.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace iplug::igraphics;

namespace
{

std::vector<IRECT> Entries(const IRECTList& list)
{
  std::vector<IRECT> out;
  for (int i = 0; i < list.Size(); ++i)
    out.push_back(list.Get(i));
  return out;
}

IRECTList ListOf(const std::vector<IRECT>& rects)
{
  IRECTList list;
  for (const IRECT& r : rects)
    list.Add(r);
  return list;
}

} // namespace

TEST(IRECTList, OptimizeCases)
{
  struct Case
  {
    const char* what;
    std::vector<IRECT> in;
    std::vector<IRECT> out;
  };
  const Case cases[] = {
    {"overlapping rows merge back into one", {{0, 0, 10, 10}, {5, 0, 20, 10}}, {{0, 0, 20, 10}}},
    {"a rect inside another goes", {{0, 0, 10, 10}, {2, 2, 5, 5}}, {{0, 0, 10, 10}}},
    {"an enclosing rect replaces the first", {{2, 2, 5, 5}, {0, 0, 10, 10}}, {{0, 0, 10, 10}}},
    {"identical rects become one", {{1, 1, 4, 4}, {1, 1, 4, 4}}, {{1, 1, 4, 4}}},
    {"diagonal overlap splits the second",
     {{0, 0, 10, 10}, {5, 5, 15, 15}},
     {{0, 0, 10, 10}, {5, 10, 15, 15}, {10, 5, 15, 10}}},
    {"touching columns join", {{0, 0, 10, 10}, {0, 10, 10, 20}}, {{0, 0, 10, 20}}},
    {"an overlap through the middle is cut off the rect it ends in",
     {{10, 14, 23, 15}, {13, 4, 22, 15}},
     {{10, 14, 23, 15}, {13, 4, 22, 14}}},
    {"far apart stay apart", {{0, 0, 1, 1}, {50, 50, 60, 60}}, {{0, 0, 1, 1}, {50, 50, 60, 60}}},
  };
  for (const Case& c : cases)
  {
    IRECTList list = ListOf(c.in);
    list.Optimize();
    EXPECT_EQ(Entries(list), c.out) << c.what;
  }
}

TEST(IRECTList, SplitByCornerOfOverlap)
{
  struct Case
  {
    IRECT r, x, appended, returned;
  };
  const IRECT r(0, 0, 10, 10);
  const Case cases[] = {
    {r, {0, 0, 4, 4}, {4, 0, 10, 4}, {0, 4, 10, 10}},
    {r, {0, 6, 4, 10}, {0, 0, 10, 6}, {4, 6, 10, 10}},
    {r, {6, 0, 10, 4}, {0, 0, 6, 4}, {0, 4, 10, 10}},
    {r, {6, 6, 10, 10}, {0, 0, 10, 6}, {0, 6, 6, 10}},
  };
  for (const Case& c : cases)
  {
    IRECTList list;
    EXPECT_EQ(list.Split(c.r, c.x), c.returned);
    ASSERT_EQ(list.Size(), 1);
    EXPECT_EQ(list.Get(0), c.appended);
  }
}

TEST(IRECTList, BoundsSkipsEmptyEntriesAndPixelAlignCovers)
{
  IRECTList list = ListOf({{}, {5, 5, 6, 6}, {0.3f, 0.3f, 10.2f, 2}});
  EXPECT_EQ(list.Bounds(), IRECT(0.3f, 0.3f, 10.2f, 6));
  list.PixelAlign(2.f);
  EXPECT_EQ(list.Get(2), IRECT(0, 0, 10.5f, 2));
}

// Whatever the input, the optimised list must cover the same pixels, each of them once.
TEST(IRECTList, OptimizeKeepsCoverageWithoutOverlap)
{
  constexpr int kGrid = 24;
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> coord(0, kGrid);
  for (int trial = 0; trial < 2000; ++trial)
  {
    IRECTList list;
    std::vector<int> before(kGrid * kGrid, 0);
    const int n = 2 + trial % 5;
    for (int k = 0; k < n; ++k)
    {
      int l = coord(rng), r = coord(rng), t = coord(rng), b = coord(rng);
      if (l > r)
        std::swap(l, r);
      if (t > b)
        std::swap(t, b);
      if (l == r || t == b)
        continue;
      list.Add(IRECT(float(l), float(t), float(r), float(b)));
      for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x)
          before[y * kGrid + x] = 1;
    }
    list.Optimize();
    std::vector<int> after(kGrid * kGrid, 0);
    for (const IRECT& r : Entries(list))
      for (int y = int(r.T); y < int(r.B); ++y)
        for (int x = int(r.L); x < int(r.R); ++x)
          ++after[y * kGrid + x];
    ASSERT_EQ(before, after) << "trial " << trial;
  }
}
