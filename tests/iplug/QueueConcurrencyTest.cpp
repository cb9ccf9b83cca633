#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "iplug/IPlugMidi.h"
#include "iplug/IPlugQueue.h"

using namespace iplug;

// One thread pushes, another pops, as the audio and main threads do. Every item is either
// received, in order, or counted as dropped by the producer.
TEST(QueueConcurrency, SingleProducerSingleConsumerKeepsOrderAndCountsDrops)
{
  constexpr int kItems = 200000;
  IPlugQueue<IMidiMsg> q(32);
  std::atomic<bool> producerDone{false};
  int dropped = 0;

  std::thread producer([&] {
    for (int i = 0; i < kItems; ++i)
    {
      const IMidiMsg msg(i, 0x90, static_cast<uint8_t>(i & 0x7F), static_cast<uint8_t>((i >> 7) & 0x7F));
      if (!q.Push(msg))
        ++dropped;
    }
    producerDone.store(true, std::memory_order_release);
  });

  std::vector<int> received;
  received.reserve(kItems);
  IMidiMsg msg;
  while (true)
  {
    if (q.Pop(msg))
    {
      ASSERT_EQ(msg.mData1, msg.mOffset & 0x7F) << "an item arrived torn";
      received.push_back(msg.mOffset);
    }
    else if (producerDone.load(std::memory_order_acquire))
    {
      while (q.Pop(msg))
        received.push_back(msg.mOffset);
      break;
    }
  }
  producer.join();

  EXPECT_EQ(static_cast<int>(received.size()) + dropped, kItems);
  EXPECT_GT(received.size(), 0u) << "the item pushed last is always there to be received";
  for (size_t i = 1; i < received.size(); ++i)
    ASSERT_LT(received[i - 1], received[i]);
}
