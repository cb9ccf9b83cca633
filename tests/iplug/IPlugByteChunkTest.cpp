#include "iplug/IPlugByteChunk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using iplug::IByteChunk;
using iplug::WDL_String;

namespace
{
std::vector<unsigned char> Bytes(const IByteChunk& chunk)
{
  return std::vector<unsigned char>(chunk.GetData(), chunk.GetData() + chunk.Size());
}

IByteChunk ChunkOf(const std::vector<unsigned char>& bytes)
{
  IByteChunk chunk;
  chunk.PutBytes(bytes.data(), static_cast<int>(bytes.size()));
  return chunk;
}

TEST(IByteChunk, ValuesGoBackToBackInLittleEndianOrder)
{
  IByteChunk chunk;
  const int32_t i = 0x01020304;
  const bool b = true;
  const uint32_t u = 0xA0B0C0D0u;
  const float f = 1.0f;
  EXPECT_EQ(chunk.Put(&i), 4);
  EXPECT_EQ(chunk.Put(&b), 5);
  EXPECT_EQ(chunk.Put(&u), 9);
  EXPECT_EQ(chunk.Put(&f), 13);
  const std::vector<unsigned char> expected = {0x04, 0x03, 0x02, 0x01, 0x01, 0xD0, 0xC0,
                                               0xB0, 0xA0, 0x00, 0x00, 0x80, 0x3F};
  EXPECT_EQ(Bytes(chunk), expected);
}

TEST(IByteChunk, ReadsBackWhatWasWritten)
{
  IByteChunk chunk;
  const double d = -2.75;
  const int32_t i = -7;
  const bool b = false;
  chunk.Put(&d);
  chunk.Put(&i);
  chunk.Put(&b);
  chunk.PutStr("path/a.wav");

  double d2 = 0;
  int32_t i2 = 0;
  bool b2 = true;
  WDL_String s;
  int pos = chunk.Get(&d2, 0);
  pos = chunk.Get(&i2, pos);
  pos = chunk.Get(&b2, pos);
  pos = chunk.GetStr(s, pos);
  EXPECT_EQ(pos, chunk.Size());
  EXPECT_EQ(d2, d);
  EXPECT_EQ(i2, i);
  EXPECT_EQ(b2, b);
  EXPECT_STREQ(s.Get(), "path/a.wav");
}

TEST(IByteChunk, ReadsOutsideTheChunkFailAndWriteNothing)
{
  const IByteChunk chunk = ChunkOf(std::vector<unsigned char>(16, 0xAB));
  struct Case
  {
    int startPos;
    int expected;
  };
  const Case cases[] = {{8, 16}, {0, 8}, {9, -1}, {16, -1}, {-1, -1}, {0x7FFFFFFC, -1}};
  for (const Case& c : cases)
  {
    double value = 1.5;
    EXPECT_EQ(chunk.Get(&value, c.startPos), c.expected) << c.startPos;
    if (c.expected < 0)
    {
      EXPECT_EQ(value, 1.5) << c.startPos;
    }
  }
}

TEST(IByteChunk, AnyNonZeroByteReadsAsTrue)
{
  const IByteChunk chunk = ChunkOf({0x00, 0x01, 0x02, 0xFF});
  const bool expected[] = {false, true, true, true};
  for (int pos = 0; pos < 4; ++pos)
  {
    bool value = !expected[pos];
    EXPECT_EQ(chunk.Get(&value, pos), pos + 1);
    EXPECT_EQ(value, expected[pos]) << pos;
  }
}

TEST(IByteChunk, PutStrOfAnEmptyTextIsFourZeroBytes)
{
  IByteChunk chunk;
  EXPECT_EQ(chunk.PutStr(""), 4);
  EXPECT_EQ(chunk.PutStr(nullptr), 8);
  EXPECT_EQ(Bytes(chunk), std::vector<unsigned char>(8, 0));
}

TEST(IByteChunk, GetStrHandlesEveryLengthField)
{
  struct Case
  {
    const char* name;
    std::vector<unsigned char> bytes;
    int startPos;
    int expectedPos;
    const char* expectedText; // "unchanged" keeps the string's earlier text
  };
  const Case cases[] = {
    {"exact fit", {3, 0, 0, 0, 'a', 'b', 'c'}, 0, 7, "abc"},
    {"from an offset", {9, 2, 0, 0, 0, 'h', 'i'}, 1, 7, "hi"},
    {"runs past the end", {5, 0, 0, 0, 'a', 'b', 'c'}, 0, 9, "unchanged"},
    {"cut at a NUL", {4, 0, 0, 0, 'a', 0, 'c', 'd'}, 0, 8, "a"},
    {"zero length", {0, 0, 0, 0, 'x'}, 0, 4, ""},
    {"negative length", {0xFC, 0xFF, 0xFF, 0xFF, 'x'}, 0, 4, ""},
    {"huge length", {0xFF, 0xFF, 0xFF, 0x7F, 'x'}, 0, -1, "unchanged"},
    {"length cut short", {3, 0, 0}, 0, -1, "unchanged"},
    {"negative start", {0, 0, 0, 0}, -2, -1, "unchanged"},
  };
  for (const Case& c : cases)
  {
    const IByteChunk chunk = ChunkOf(c.bytes);
    WDL_String s("unchanged");
    EXPECT_EQ(chunk.GetStr(s, c.startPos), c.expectedPos) << c.name;
    EXPECT_STREQ(s.Get(), c.expectedText) << c.name;
  }
}

TEST(IByteChunk, AStringPastTheEndMakesTheNextReadFail)
{
  const IByteChunk chunk = ChunkOf({5, 0, 0, 0, 'a', 'b', 'c', 1, 0, 0, 0});
  WDL_String s;
  int32_t next = 0;
  EXPECT_EQ(chunk.Get(&next, chunk.GetStr(s, 0)), -1);
}

TEST(IByteChunk, PutChunkAppendsBytesWithoutALength)
{
  IByteChunk a = ChunkOf({1, 2, 3});
  const IByteChunk b = ChunkOf({4, 5});
  EXPECT_EQ(a.PutChunk(&b), 5);
  EXPECT_EQ(a.PutChunk(nullptr), 5);
  EXPECT_EQ(a.PutChunk(&a), 10);
  EXPECT_EQ(Bytes(a), (std::vector<unsigned char>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
}

TEST(IByteChunk, ResizeZeroFillsAndClearFrees)
{
  IByteChunk chunk = ChunkOf({7, 7});
  EXPECT_EQ(chunk.Resize(5), 5);
  EXPECT_EQ(Bytes(chunk), (std::vector<unsigned char>{7, 7, 0, 0, 0}));
  chunk.Clear();
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_EQ(chunk.GetData(), nullptr);
}
} // namespace
