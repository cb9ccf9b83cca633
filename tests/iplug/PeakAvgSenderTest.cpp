#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "iplug/IPlugPeakAvgSender.h"
#include "tests/iplug/TestPlug.h"

using namespace iplug;

namespace
{
using Sender = IPeakAvgSender<2, 64>;
using Record = Sender::Data;

static_assert(sizeof(Record) == 28, "the meter control reads 28-byte records");

/** Collects the records a sender transmits. */
struct MeterDelegate : test::TestPlug
{
  MeterDelegate() : TestPlug(test::MakeTestConfig(0)) {}
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* pData) override
  {
    ASSERT_EQ(msgTag, 0);
    ASSERT_EQ(dataSize, static_cast<int>(sizeof(Record)));
    Record r;
    std::memcpy(&r, pData, sizeof(r));
    EXPECT_EQ(r.ctrlTag, ctrlTag);
    records.push_back(r);
  }
  std::vector<Record> records;
};

/** Feeds nFrames of a constant level to both channels, in blocks of blockSize. */
void Feed(Sender& sender, double level, int nFrames, int blockSize = 480)
{
  std::vector<double> left(blockSize, level), right(blockSize, level);
  double* channels[2] = {left.data(), right.data()};
  for (int done = 0; done < nFrames; done += blockSize)
    sender.ProcessBlock(channels, std::min(blockSize, nFrames - done), 3, 2, 0);
}

std::vector<Record> Drain(Sender& sender)
{
  MeterDelegate dlg;
  sender.TransmitData(dlg);
  return dlg.records;
}
} // namespace

TEST(PeakAvgSender, WindowsFollowTheSampleRate)
{
  struct Case
  {
    double rate;
    int window, hold;
    float attack, decay;
  };
  const Case cases[] = {
    {48000.0, 240, 24000, 0.2f, 20.0f},
    {44100.0, 220, 22050, static_cast<float>(44100.0 / 220 * 0.001), static_cast<float>(44100.0 / 220 * 0.1)},
    {100.0, 1, 50, 0.1f, 10.0f}, // 5 ms is no whole frame here: the window still holds one
    {0.0, 1, 0, 0.0f, 0.0f},
  };
  for (const Case& c : cases)
  {
    Sender sender;
    sender.Reset(c.rate);
    EXPECT_EQ(sender.WindowSize(), c.window) << c.rate;
    EXPECT_EQ(sender.PeakHoldTime(), c.hold) << c.rate;
    EXPECT_FLOAT_EQ(sender.AttackTimeWindows(), c.attack) << c.rate;
    EXPECT_FLOAT_EQ(sender.DecayTimeWindows(), c.decay) << c.rate;
    Feed(sender, 0.5, 300); // stays inside the window buffers at every rate
  }
}

TEST(PeakAvgSender, AverageRisesAtOnceAndDecaysByOneTwentiethPerWindow)
{
  Sender sender;
  sender.Reset(48000.0);
  Feed(sender, 0.5, 240 * 4);
  auto records = Drain(sender);
  ASSERT_GE(records.size(), 2u);
  EXPECT_EQ(records.back().ctrlTag, 3);
  EXPECT_EQ(records.back().nChans, 2);
  EXPECT_FLOAT_EQ(records.back().vals[0].avg, 0.5f);
  EXPECT_FLOAT_EQ(records.back().vals[1].peak, 0.5f);

  Feed(sender, 0.0, 240 * 3);
  records = Drain(sender);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_FLOAT_EQ(records[1].vals[0].avg, records[0].vals[0].avg * 19.0f / 20.0f);
  EXPECT_FLOAT_EQ(records[2].vals[0].avg, records[1].vals[0].avg * 19.0f / 20.0f);
  EXPECT_FLOAT_EQ(records[2].vals[0].peak, 0.5f) << "the peak is held";
}

TEST(PeakAvgSender, PeaksFallToZeroAfterTheHoldTimeAndSendingStopsAfterTheThreshold)
{
  Sender sender;
  sender.Reset(48000.0);
  Feed(sender, 1.0, 240 * 2);
  Drain(sender);

  // Silence: the smoothed sum falls below -90 dB after about 200 windows (one second).
  std::vector<Record> all;
  for (int second = 0; second < 3; ++second)
    for (int block = 0; block < 100; ++block)
    {
      Feed(sender, 0.0, 480);
      for (const Record& r : Drain(sender))
        all.push_back(r);
    }

  ASSERT_GT(all.size(), 150u);
  ASSERT_LT(all.size(), 260u);
  EXPECT_FLOAT_EQ(all[50].vals[0].peak, 1.0f) << "held for half a second";
  EXPECT_EQ(all[110].vals[0].peak, 0.0f) << "then reads zero";

  const float threshold = 3.1623e-5f;
  const Record& last = all.back();
  EXPECT_LE(last.vals[0].avg + last.vals[1].avg, threshold) << "the last record is the first one at or below it";
  const Record& beforeLast = all[all.size() - 2];
  EXPECT_GT(beforeLast.vals[0].avg + beforeLast.vals[1].avg, threshold);

  Feed(sender, 0.0, 48000);
  EXPECT_TRUE(Drain(sender).empty());
}

TEST(PeakAvgSender, FullQueueDropsTheNewRecords)
{
  Sender sender;
  sender.Reset(48000.0);
  Feed(sender, 0.5, 240 * 70);
  EXPECT_EQ(Drain(sender).size(), 64u);
}

TEST(PeakAvgSender, IgnoresEmptyBlocksAndChannelsOutsideItsRecord)
{
  Sender sender;
  sender.Reset(48000.0);
  std::vector<double> samples(480, 0.25);
  double* channels[3] = {samples.data(), samples.data(), samples.data()};
  sender.ProcessBlock(channels, 0, 3, 2, 0);
  sender.ProcessBlock(channels, -5, 3, 2, 0);
  sender.ProcessBlock(channels, 480, 3, 2, 2);
  sender.ProcessBlock(nullptr, 480, 3, 2, 0);
  EXPECT_TRUE(Drain(sender).empty());

  sender.ProcessBlock(channels, 480, 3, 3, 1); // cut to the one channel left from offset 1
  const auto records = Drain(sender);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().nChans, 1);
  EXPECT_FLOAT_EQ(records.back().vals[1].avg, 0.25f);
  EXPECT_EQ(records.back().vals[0].avg, 0.0f);
}

TEST(PeakAvgSender, ABlockBeforeTheFirstResetStaysInsideItsBuffers)
{
  Sender sender;
  Feed(sender, 0.5, 1000);
  EXPECT_FALSE(Drain(sender).empty());
}
