#include "iplug/wdl/WdlPtrList.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using iplug::WDL_PtrList;

namespace
{
struct Tracked
{
  explicit Tracked(int id, std::vector<int>* deleted = nullptr) : id(id), deleted(deleted) {}
  ~Tracked()
  {
    if (deleted)
      deleted->push_back(id);
  }
  int id;
  std::vector<int>* deleted;
};

std::vector<int> Ids(const WDL_PtrList<Tracked>& list)
{
  std::vector<int> ids;
  for (int i = 0; i < list.GetSize(); ++i)
    ids.push_back(list.Get(i)->id);
  return ids;
}

TEST(WdlPtrList, InsertsAtClampedPositionsAndFinds)
{
  Tracked a(1), b(2), c(3), d(4);
  WDL_PtrList<Tracked> list;
  list.Add(&a);
  list.Insert(0, &b);
  list.Insert(99, &c);
  list.Insert(1, &d);
  EXPECT_EQ(Ids(list), (std::vector<int>{2, 4, 1, 3}));
  EXPECT_EQ(list.Find(&c), 3);
  EXPECT_EQ(list.Find(nullptr), -1);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(4), nullptr);
  list.Empty();
}

TEST(WdlPtrList, DeleteRemovesAndOptionallyDestroys)
{
  std::vector<int> deleted;
  WDL_PtrList<Tracked> list;
  Tracked kept(1, &deleted);
  list.Add(&kept);
  list.Add(new Tracked(2, &deleted));
  list.Add(new Tracked(3, &deleted));

  list.Delete(1, true);
  list.Delete(0);
  list.Delete(5, true);
  EXPECT_EQ(Ids(list), (std::vector<int>{3}));
  EXPECT_EQ(deleted, (std::vector<int>{2}));
  list.Empty(true);
  EXPECT_EQ(deleted, (std::vector<int>{2, 3}));
}

// What each deletion saw: the item's id and the list's size at that moment.
std::vector<std::pair<int, int>> gSeen;
WDL_PtrList<Tracked>* gList = nullptr;

void RecordAndDelete(void* item)
{
  auto* tracked = static_cast<Tracked*>(item);
  gSeen.emplace_back(tracked->id, gList->GetSize());
  delete tracked;
}

TEST(WdlPtrList, EmptyWithDeleteGoesBackwardsShrinkingAfterEachItem)
{
  WDL_PtrList<Tracked> list;
  gList = &list;
  gSeen.clear();
  list.Add(new Tracked(1));
  list.Add(nullptr);
  list.Add(new Tracked(3));
  list.Add(new Tracked(4));

  list.Empty(true, RecordAndDelete);
  EXPECT_EQ(gSeen, (std::vector<std::pair<int, int>>{{4, 4}, {3, 3}, {1, 1}}));
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_EQ(list.GetList(), nullptr);
}

TEST(WdlPtrList, EmptyWithoutDeleteLeavesTheItems)
{
  std::vector<int> deleted;
  Tracked a(1, &deleted);
  WDL_PtrList<Tracked> list;
  list.Add(&a);
  list.Empty();
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_TRUE(deleted.empty());
}
} // namespace
