#include <gtest/gtest.h>

#include "iplug/IPlugQueue.h"

using namespace iplug;

TEST(Queue, HoldsItsCapacityThenDropsWithoutLosingContents)
{
  IPlugQueue<int> q(4);
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(q.Push(i));
  EXPECT_FALSE(q.Push(99));
  EXPECT_EQ(q.ElementsAvailable(), 4u);

  int v = -1;
  for (int i = 0; i < 4; ++i)
  {
    ASSERT_TRUE(q.Pop(v));
    EXPECT_EQ(v, i);
  }
  EXPECT_FALSE(q.Pop(v));
  EXPECT_EQ(v, 3) << "a failed pop leaves the target alone";
}

TEST(Queue, CountsAcrossTheWrapOfItsIndices)
{
  IPlugQueue<int> q(3);
  int v = 0;
  for (int round = 0; round < 10; ++round)
  {
    EXPECT_TRUE(q.Push(round));
    EXPECT_TRUE(q.Push(round + 100));
    EXPECT_EQ(q.ElementsAvailable(), 2u);
    EXPECT_TRUE(q.Pop(v));
    EXPECT_EQ(v, round);
    EXPECT_TRUE(q.Pop(v));
    EXPECT_EQ(v, round + 100);
    EXPECT_EQ(q.ElementsAvailable(), 0u);
  }
}

TEST(Queue, WithoutStorageStoresNothing)
{
  for (int size : {0, -5})
  {
    IPlugQueue<double> q(size);
    double v = 1.5;
    EXPECT_FALSE(q.Push(2.0));
    EXPECT_FALSE(q.Pop(v));
    EXPECT_EQ(v, 1.5);
    EXPECT_EQ(q.ElementsAvailable(), 0u);
  }
}

TEST(Queue, ResizeEmptiesTheQueue)
{
  IPlugQueue<int> q(2);
  q.Push(1);
  q.Resize(5);
  EXPECT_EQ(q.ElementsAvailable(), 0u);
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(q.Push(i));
  EXPECT_FALSE(q.Push(5));
}
