#include "igraphics/IRECT.h"

#include <gtest/gtest.h>

using iplug::igraphics::IRECT;

namespace
{

struct PointCase
{
  float x, y;
  bool inside;
};

TEST(IRECT, ContainsTakesLeftAndTopEdgesButNotRightAndBottom)
{
  const IRECT r(10.f, 20.f, 30.f, 40.f);
  const PointCase cases[] = {
    {10.f, 20.f, true},  {29.99f, 39.99f, true}, {30.f, 25.f, false},
    {15.f, 40.f, false}, {9.99f, 25.f, false},   {15.f, 19.99f, false},
  };
  for (const PointCase& c : cases)
    EXPECT_EQ(r.Contains(c.x, c.y), c.inside) << c.x << ", " << c.y;
}

TEST(IRECT, EmptyRectangleContainsNothing)
{
  EXPECT_TRUE(IRECT().Empty());
  EXPECT_FALSE(IRECT().Contains(0.f, 0.f));
  EXPECT_FALSE(IRECT(0.f, 0.f, 0.f, 1.f).Empty());
}

TEST(IRECT, PixelAlignedCoversTheRectangleOnTheGrid)
{
  EXPECT_EQ(IRECT(0.3f, 0.3f, 10.2f, 10.2f).PixelAligned(2.f), IRECT(0.f, 0.f, 10.5f, 10.5f));
  EXPECT_EQ(IRECT(-0.5f, 1.25f, 3.f, 4.01f).PixelAligned(1.f), IRECT(-1.f, 1.f, 3.f, 5.f));
}

TEST(IRECT, DerivedRectangles)
{
  const IRECT r(10.f, 20.f, 50.f, 40.f);
  EXPECT_EQ(r.W(), 40.f);
  EXPECT_EQ(r.H(), 20.f);
  EXPECT_EQ(r.MW(), 30.f);
  EXPECT_EQ(r.MH(), 30.f);

  const struct
  {
    IRECT got, want;
  } cases[] = {
    {r.GetTranslated(5.f, -10.f), IRECT(15.f, 10.f, 55.f, 30.f)},
    {r.GetPadded(2.f), IRECT(8.f, 18.f, 52.f, 42.f)},
    {r.GetPadded(-5.f), IRECT(15.f, 25.f, 45.f, 35.f)},
    {r.GetCentredInside(40.f, 16.f), IRECT(10.f, 22.f, 50.f, 38.f)},
  };
  for (const auto& c : cases)
  {
    EXPECT_EQ(c.got, c.want);
  }
}

TEST(IRECT, UnionAndIntersectTreatEmptyAsNothing)
{
  const IRECT a(0.f, 0.f, 10.f, 10.f);
  const IRECT b(5.f, 5.f, 20.f, 8.f);
  EXPECT_EQ(a.Union(b), IRECT(0.f, 0.f, 20.f, 10.f));
  EXPECT_EQ(a.Union(IRECT()), a);
  EXPECT_EQ(IRECT().Union(b), b);
  EXPECT_EQ(a.Intersect(b), IRECT(5.f, 5.f, 10.f, 8.f));
  EXPECT_EQ(a.Intersect(IRECT(11.f, 0.f, 12.f, 1.f)), IRECT());
  EXPECT_TRUE(a.Contains(IRECT(1.f, 1.f, 10.f, 10.f)));
  EXPECT_FALSE(a.Contains(b));
}

TEST(IRECT, MergeableWhenSharingColumnsOrRowsAndTouching)
{
  const IRECT a(0.f, 0.f, 10.f, 10.f);
  EXPECT_TRUE(a.Mergeable(IRECT(0.f, 10.f, 10.f, 20.f)));
  EXPECT_TRUE(a.Mergeable(IRECT(10.f, 0.f, 30.f, 10.f)));
  EXPECT_FALSE(a.Mergeable(IRECT(0.f, 11.f, 10.f, 20.f)));
  EXPECT_FALSE(a.Mergeable(IRECT(1.f, 5.f, 10.f, 20.f)));
  EXPECT_TRUE(a.Mergeable(IRECT()));
}

TEST(IRECT, ClankMovesInsideThenCuts)
{
  IRECT r(-5.f, 2.f, 5.f, 12.f);
  r.Clank(IRECT(0.f, 0.f, 100.f, 10.f));
  EXPECT_EQ(r, IRECT(0.f, 0.f, 10.f, 9.f));
}

} // namespace
