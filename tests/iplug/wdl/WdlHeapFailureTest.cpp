#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FailingHeap.h"
#include "iplug/wdl/WdlHeapBuf.h"
#include "iplug/wdl/WdlPtrList.h"
#include "iplug/wdl/WdlString.h"

using namespace iplug;
using wdl_test::HeapFailure;
using wdl_test::ScopedHeapFailure;

namespace
{
TEST(WdlHeapFailure, WhenReallocFailsMallocAndCopyTakeOver)
{
  WDL_HeapBuf buf(128);
  std::memcpy(buf.Resize(100), std::string(100, 'k').data(), 100);
  ScopedHeapFailure fail(HeapFailure::kReallocOnly);
  char* grown = static_cast<char*>(buf.Resize(1000));
  ASSERT_EQ(buf.GetSize(), 1000);
  EXPECT_EQ(buf.GetAllocatedSize(), 1500);
  EXPECT_EQ(std::string(grown, 100), std::string(100, 'k'));
}

TEST(WdlHeapFailure, WhenBothFailTheBufferIsUnchanged)
{
  WDL_HeapBuf buf(128);
  void* data = buf.Resize(100);
  std::memset(data, 'k', 100);
  ScopedHeapFailure fail(HeapFailure::kAll);
  EXPECT_EQ(buf.Resize(1000), data);
  EXPECT_EQ(buf.GetSize(), 100);
  EXPECT_EQ(buf.GetAllocatedSize(), 228);
  EXPECT_EQ(buf.Get(), data);
  EXPECT_EQ(static_cast<char*>(data)[99], 'k');
}

TEST(WdlHeapFailure, StringEditsThatCannotGrowLeaveTheText)
{
  const std::string longText(400, 'L');
  struct Case
  {
    const char* name;
    bool (*edit)(WDL_String&, const std::string&);
  };
  const Case cases[] = {
    {"Set", [](WDL_String& s, const std::string& t) { return s.Set(t.c_str()); }},
    {"Append", [](WDL_String& s, const std::string& t) { return s.Append(t.c_str()); }},
    {"Insert", [](WDL_String& s, const std::string& t) { return s.Insert(t.c_str(), 2); }},
    {"Append itself", [](WDL_String& s, const std::string&) { return s.Append(s.Get()); }},
    {"SetFormatted", [](WDL_String& s, const std::string& t) { return s.SetFormatted(400, "%s", t.c_str()); }},
    {"AppendFormatted", [](WDL_String& s, const std::string&) { return s.AppendFormatted(400, "%d", 5); }},
  };
  for (const Case& c : cases)
  {
    // 200 characters fill most of the first allocation (201 + 128 bytes); every edit outgrows it.
    const std::string original(200, 'o');
    WDL_String s(original.c_str());
    ScopedHeapFailure fail(HeapFailure::kAll);
    EXPECT_FALSE(c.edit(s, longText)) << c.name;
    EXPECT_EQ(std::string(s.Get()), original) << c.name;
  }
}

TEST(WdlHeapFailure, PtrListInsertThatCannotGrowReturnsNull)
{
  // Granularity 8: the first growth allocates 16 bytes, room for exactly two pointers.
  WDL_PtrList<int> list(8);
  int a = 1, b = 2;
  list.Add(&a);
  list.Add(&a);
  ScopedHeapFailure fail(HeapFailure::kAll);
  EXPECT_EQ(list.Insert(0, &b), nullptr);
  EXPECT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.Get(0), &a);
  list.Empty();
}
} // namespace
