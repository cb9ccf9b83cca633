#include <gtest/gtest.h>

#include <vector>

#include "iplug/IPlugMidi.h"

using namespace iplug;

namespace
{
std::vector<IMidiMsg> Drain(IMidiQueueBase& q)
{
  std::vector<IMidiMsg> out;
  while (!q.Empty())
  {
    out.push_back(q.Peek());
    q.Remove();
  }
  return out;
}
} // namespace

TEST(MidiMsg, KindAndChannelFromTheStatusByte)
{
  struct Case
  {
    uint8_t status;
    IMidiMsg::EStatusMsg kind;
    int channel;
  };
  const Case cases[] = {
    {0x80, IMidiMsg::kNoteOff, 0},       {0x9F, IMidiMsg::kNoteOn, 15},       {0xA3, IMidiMsg::kPolyAftertouch, 3},
    {0xB0, IMidiMsg::kControlChange, 0}, {0xC1, IMidiMsg::kProgramChange, 1}, {0xD2, IMidiMsg::kChannelAftertouch, 2},
    {0xE5, IMidiMsg::kPitchWheel, 5},    {0x7F, IMidiMsg::kNone, 15},         {0xF0, IMidiMsg::kNone, 0},
    {0xFF, IMidiMsg::kNone, 15},
  };
  for (const Case& c : cases)
  {
    const IMidiMsg msg(0, c.status, 0, 0);
    EXPECT_EQ(msg.StatusMsg(), c.kind) << std::hex << int(c.status);
    EXPECT_EQ(msg.Channel(), c.channel) << std::hex << int(c.status);
  }
}

TEST(MidiMsg, ControllerNames)
{
  struct Case
  {
    int idx;
    const char* name;
  };
  const Case cases[] = {{0, "BankSel.MSB"},
                        {7, "MainVolume"},
                        {20, "Contr. 20"},
                        {63, "Contr. 63"},
                        {66, "Sostenuto "},
                        {70, "SoundCont 1"},
                        {79, "SoundCont 10"},
                        {95, "FX 5 Depth"},
                        {102, "Contr. 102"},
                        {120, "Contr. 120"},
                        {127, "PolyModeOn"},
                        {128, ""},
                        {-1, ""}};
  for (const Case& c : cases)
    EXPECT_STREQ(IMidiMsg::CCNameStr(c.idx), c.name) << c.idx;
}

TEST(SysExData, CopiesFitsAndZeroes)
{
  const uint8_t bytes[3] = {0xF0, 0x42, 0xF7};
  const SysExData copied(ISysEx(7, bytes, 3));
  EXPECT_EQ(copied.mOffset, 7);
  EXPECT_EQ(copied.mSize, 3);
  EXPECT_EQ(copied.mData[1], 0x42);

  const SysExData empty(ISysEx(0, nullptr, 20));
  EXPECT_EQ(empty.mData[0], 0);
  EXPECT_EQ(empty.mData[SysExData::kMaxBytes - 1], 0);

  std::vector<uint8_t> big(2000, 0x11);
  const SysExData cut(ISysEx(0, big.data(), 2000));
  EXPECT_EQ(cut.mSize, SysExData::kMaxBytes) << "only what fits is kept, and the size says so";

  const SysExData negative(ISysEx(0, bytes, -4));
  EXPECT_EQ(negative.mSize, 0);
}

TEST(MidiQueue, OrdersByOffsetKeepingArrivalOrderOfEqualOffsets)
{
  IMidiQueueBase q(512, 512);
  const int offsets[] = {10, 5, 5, 20};
  for (int i = 0; i < 4; ++i)
    q.Add(IMidiMsg(offsets[i], 0x90, static_cast<uint8_t>(i), 0));

  const auto out = Drain(q);
  ASSERT_EQ(out.size(), 4u);
  const int expectedOffsets[] = {5, 5, 10, 20};
  const int expectedArrival[] = {1, 2, 0, 3};
  for (int i = 0; i < 4; ++i)
  {
    EXPECT_EQ(out[i].mOffset, expectedOffsets[i]);
    EXPECT_EQ(out[i].mData1, expectedArrival[i]);
  }
}

TEST(MidiQueue, FullArrayReusesItsConsumedFrontBeforeGrowing)
{
  IMidiQueueBase q(4, 4);
  for (int i = 0; i < 4; ++i)
    q.Add(IMidiMsg(i, 0x90, static_cast<uint8_t>(i), 0));
  q.Remove();
  q.Add(IMidiMsg(9, 0x90, 9, 0));
  EXPECT_EQ(q.GetSize(), 4) << "the pending messages move to the start instead";
  EXPECT_EQ(q.ToDo(), 4);

  q.Add(IMidiMsg(10, 0x90, 10, 0));
  EXPECT_EQ(q.GetSize(), 8);
  const auto out = Drain(q);
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out.front().mData1, 1);
  EXPECT_EQ(out.back().mData1, 10);
}

TEST(MidiQueue, WithoutGrowthAFullArrayDrops)
{
  IMidiQueueBase q(2, 0);
  for (int i = 0; i < 3; ++i)
    q.Add(IMidiMsg(i, 0x90, 0, 0));
  EXPECT_EQ(q.ToDo(), 2);
  EXPECT_EQ(q.GetSize(), 2);
}

TEST(MidiQueue, ResizeFitsWholePagesOfMessages)
{
  struct Case
  {
    int blockSize, pending, expectedGrow, expectedSize;
  };
  const Case cases[] = {
    {1000, 0, 1024, 1024}, {512, 512, 512, 512},  {512, 0, 512, 512},
    {1, 0, 512, 512},      {100, 600, 512, 1024}, {0, 0, 0, 0},
  };
  for (const Case& c : cases)
  {
    IMidiQueueBase q(2048, 512);
    for (int i = 0; i < c.pending; ++i)
      q.Add(IMidiMsg(i, 0x90, 0, 0));
    EXPECT_EQ(q.Resize(c.blockSize), c.expectedSize) << c.blockSize << "/" << c.pending;
    EXPECT_EQ(q.GetGrow(), c.expectedGrow) << c.blockSize << "/" << c.pending;
    EXPECT_EQ(q.ToDo(), c.pending);
  }
}

TEST(MidiQueue, FlushDropsTheConsumedAndShiftsOffsetsIntoTheNextBlock)
{
  IMidiQueueBase q(512, 512);
  q.Add(IMidiMsg(3, 0x90, 1, 0));
  q.Add(IMidiMsg(700, 0x90, 2, 0));
  q.Remove();
  q.Flush(512);
  ASSERT_EQ(q.ToDo(), 1);
  EXPECT_EQ(q.Peek().mOffset, 188);
  EXPECT_EQ(q.Peek().mData1, 2);
}
