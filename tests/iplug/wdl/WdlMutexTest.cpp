#include "iplug/wdl/WdlMutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using iplug::WDL_Mutex;
using iplug::WDL_MutexLock;

namespace
{
TEST(WdlMutex, ExcludesOtherThreadsUntilFullyReleased)
{
  WDL_Mutex mutex;
  std::atomic<bool> otherStarted{false}, otherEntered{false};
  mutex.Enter();
  mutex.Enter();
  std::thread other([&] {
    otherStarted = true;
    WDL_MutexLock lock(&mutex);
    otherEntered = true;
  });
  mutex.Leave();
  // The other thread must be on its way to the lock before its absence says anything.
  while (!otherStarted)
    std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(otherEntered) << "one Leave of two must not release the lock";
  mutex.Leave();
  other.join();
  EXPECT_TRUE(otherEntered);
}

TEST(WdlMutex, SerialisesUpdatesFromManyThreads)
{
  WDL_Mutex mutex;
  long counter = 0;
  auto work = [&] {
    for (int i = 0; i < 20000; ++i)
    {
      WDL_MutexLock lock(&mutex);
      counter = counter + 1;
    }
  };
  std::thread a(work), b(work), c(work);
  a.join();
  b.join();
  c.join();
  EXPECT_EQ(counter, 60000);
}

TEST(WdlMutexLock, NullMutexDoesNothing)
{
  WDL_MutexLock lock(nullptr);
  SUCCEED();
}
} // namespace
