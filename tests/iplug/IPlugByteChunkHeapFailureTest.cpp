#include "iplug/IPlugByteChunk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FailingHeap.h"

using iplug::IByteChunk;
using wdl_test::HeapFailure;
using wdl_test::ScopedHeapFailure;

namespace
{
// A chunk filled to its allocation: growing to 1 byte allocates 4000, which Resize then fills, so
// the next append must reallocate.
void FillToAllocation(IByteChunk& chunk)
{
  chunk.Resize(1);
  chunk.Resize(4000);
  std::memset(chunk.GetData(), 0x5A, 4000);
}

TEST(IByteChunkHeapFailure, FailedAppendsLeaveTheChunkAsItWas)
{
  const std::string text(200, 't');
  const double value = 3.0;
  struct Case
  {
    const char* name;
    int (*append)(IByteChunk&, const std::string&, double);
  };
  const Case cases[] = {
    {"Put", [](IByteChunk& c, const std::string&, double v) { return c.Put(&v); }},
    {"PutStr", [](IByteChunk& c, const std::string& t, double) { return c.PutStr(t.c_str()); }},
    {"PutChunk", [](IByteChunk& c, const std::string&, double) { return c.PutChunk(&c); }},
  };
  for (const Case& c : cases)
  {
    IByteChunk chunk;
    FillToAllocation(chunk);
    const std::vector<unsigned char> before(chunk.GetData(), chunk.GetData() + chunk.Size());
    {
      ScopedHeapFailure fail(HeapFailure::kAll);
      EXPECT_EQ(c.append(chunk, text, value), 4000) << c.name;
    }
    ASSERT_EQ(chunk.Size(), 4000) << c.name;
    EXPECT_EQ(std::memcmp(chunk.GetData(), before.data(), 4000), 0) << c.name;
  }
}

TEST(IByteChunkHeapFailure, TheMallocFallbackKeepsTheBytes)
{
  IByteChunk chunk;
  FillToAllocation(chunk);
  const double value = 3.0;
  {
    ScopedHeapFailure fail(HeapFailure::kReallocOnly);
    EXPECT_EQ(chunk.Put(&value), 4008);
  }
  double read = 0;
  EXPECT_EQ(chunk.Get(&read, 4000), 4008);
  EXPECT_EQ(read, 3.0);
  EXPECT_EQ(chunk.GetData()[3999], 0x5A);
}
} // namespace
