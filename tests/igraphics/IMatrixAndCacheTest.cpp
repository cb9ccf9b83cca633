#include "igraphics/IMatrix.h"
#include "igraphics/StaticStorage.h"

#include <gtest/gtest.h>

using namespace iplug::igraphics;

namespace
{

struct Point
{
  double x, y;
};

Point Apply(const IMatrix& m, Point p)
{
  m.TransformPoint(p.x, p.y);
  return p;
}

} // namespace

TEST(IMatrix, OperationsActInTheCurrentFrame)
{
  struct Case
  {
    const char* what;
    IMatrix m;
    Point in, out;
  };
  const Case cases[] = {
    {"rotate 90 then translate 10 right moves down", IMatrix().Rotate(90).Translate(10, 0), {0, 0}, {0, 10}},
    {"translate then scale scales about the moved origin", IMatrix().Translate(5, 5).Scale(2, 3), {1, 1}, {7, 8}},
    {"rotation is clockwise on screen", IMatrix().Rotate(90), {1, 0}, {0, 1}},
    {"a matrix acts before the current one",
     IMatrix().Translate(10, 0).Transform(IMatrix(2, 0, 0, 2, 0, 0)),
     {1, 1},
     {12, 2}},
  };
  for (const Case& c : cases)
  {
    const Point p = Apply(c.m, c.in);
    EXPECT_NEAR(p.x, c.out.x, 1e-5) << c.what;
    EXPECT_NEAR(p.y, c.out.y, 1e-5) << c.what;
  }
}

TEST(IMatrix, InverseUndoesAndSingularGivesIdentity)
{
  const IMatrix m = IMatrix().Translate(3, -2).Rotate(30).Scale(2, 0.5f);
  const Point p = Apply(m.Inverted(), Apply(m, {4, 7}));
  EXPECT_NEAR(p.x, 4, 1e-9);
  EXPECT_NEAR(p.y, 7, 1e-9);
  EXPECT_EQ(IMatrix(0, 0, 0, 0, 1, 1).Inverted(), IMatrix());
}

TEST(StaticStorage, EntriesAreFoundByNameAndScaleOnly)
{
  StaticStorage<int> storage;
  StaticStorage<int>::Accessor cache(storage);
  int* a1 = new int(1);
  cache.Add(a1, "a", 1.0);
  EXPECT_EQ(cache.Find("a", 1.0), a1);
  EXPECT_EQ(cache.Find("a", 2.0), nullptr);
  cache.Add(new int(2), "ab", 2.0);
  EXPECT_EQ(cache.Find("a", 2.0), nullptr);
  EXPECT_EQ(*cache.Find("ab", 2.0), 2);
  EXPECT_EQ(StaticStorage<int>::Key("knob.png", 2.0), "knob.png-2.0x");
  cache.Remove(a1);
  EXPECT_EQ(cache.Find("a", 1.0), nullptr);
  EXPECT_EQ(cache.Size(), 1);
}

TEST(StaticStorage, LastUserEmptiesTheCache)
{
  StaticStorage<int> storage;
  StaticStorage<int>::Accessor cache(storage);
  cache.Retain();
  cache.Retain();
  cache.Add(new int(1), "x");
  cache.Release();
  EXPECT_EQ(cache.Size(), 1); // a second editor still holds it
  cache.Release();
  EXPECT_EQ(cache.Size(), 0);
  StaticStorage<int>::Accessor again(storage); // the lock may be taken again on one thread
  EXPECT_EQ(again.Users(), 0);
}
