#include "iplug/wdl/WdlString.h"

#include <gtest/gtest.h>

#include <string>

using iplug::WDL_String;

namespace
{
TEST(WdlString, EmptyStringOwnsNothingAndReadsEmpty)
{
  WDL_String s;
  EXPECT_STREQ(s.Get(), "");
  EXPECT_EQ(s.GetLength(), 0);
  EXPECT_EQ(s.GetWritable(), nullptr);
  ASSERT_TRUE(s.Set(""));
  ASSERT_NE(s.GetWritable(), nullptr) << "setting an empty text leaves one NUL";
  EXPECT_STREQ(s.Get(), "");
}

TEST(WdlString, SetAppendAndInsertHonourTheirLimits)
{
  struct Case
  {
    const char* name;
    void (*edit)(WDL_String&);
    const char* expected;
  };
  const Case cases[] = {
    {"set limited", [](WDL_String& s) { s.Set("abcdef", 3); }, "abc"},
    {"set stops at NUL", [](WDL_String& s) { s.Set("ab\0cd", 5); }, "ab"},
    {"append limited", [](WDL_String& s) { s.Append("xyz", 2); }, "startxy"},
    {"append null", [](WDL_String& s) { s.Append(nullptr); }, "start"},
    {"insert middle", [](WDL_String& s) { s.Insert("--", 2); }, "st--art"},
    {"insert front", [](WDL_String& s) { s.Insert(">", 0); }, ">start"},
    {"insert past end clamps", [](WDL_String& s) { s.Insert("<", 99); }, "start<"},
    {"insert before start clamps", [](WDL_String& s) { s.Insert("<", -3); }, "<start"},
    {"truncate", [](WDL_String& s) { s.SetLen(2); }, "st"},
    {"pad", [](WDL_String& s) { s.SetLen(7); }, "start  "},
  };
  for (const Case& c : cases)
  {
    WDL_String s("start");
    c.edit(s);
    EXPECT_STREQ(s.Get(), c.expected) << c.name;
    EXPECT_EQ(s.GetLength(), static_cast<int>(std::string(c.expected).size())) << c.name;
  }
}

TEST(WdlString, TakesTextFromItsOwnBuffer)
{
  // 200 characters: appending the text to itself outgrows the first allocation of 201 + 128 bytes.
  std::string base;
  for (int i = 0; i < 200; ++i)
    base += static_cast<char>('a' + i % 26);

  struct Case
  {
    const char* name;
    void (*edit)(WDL_String&);
    std::string expected;
  };
  const Case cases[] = {
    {"append itself", [](WDL_String& s) { s.Append(s.Get()); }, base + base},
    {"set from its tail", [](WDL_String& s) { s.Set(s.Get() + 195); }, base.substr(195)},
    {"insert its own head", [](WDL_String& s) { s.Insert(s.Get(), 3, 150); },
     base.substr(0, 3) + base.substr(0, 150) + base.substr(3)},
    {"insert its own tail", [](WDL_String& s) { s.Insert(s.Get() + 50, 1); },
     base.substr(0, 1) + base.substr(50) + base.substr(1)},
  };
  for (const Case& c : cases)
  {
    WDL_String s(base.c_str());
    c.edit(s);
    EXPECT_EQ(std::string(s.Get()), c.expected) << c.name;
  }
}

TEST(WdlString, FormattingKeepsAtMostMaxLenCharacters)
{
  const std::string forty(40, 'q');
  WDL_String s("previous");
  ASSERT_TRUE(s.SetFormatted(32, "%s", forty.c_str()));
  EXPECT_EQ(std::string(s.Get()), forty.substr(0, 32));

  ASSERT_TRUE(s.SetFormatted(16, "%d-%s", 42, "x"));
  EXPECT_STREQ(s.Get(), "42-x");
  ASSERT_TRUE(s.AppendFormatted(3, "%05d", 7));
  EXPECT_STREQ(s.Get(), "42-x000");
  ASSERT_TRUE(s.AppendFormatted(0, "%s", "ignored"));
  EXPECT_STREQ(s.Get(), "42-x000");
}

TEST(WdlString, CopiesAreIndependent)
{
  WDL_String a("alpha");
  WDL_String b(a);
  b.Append("!");
  WDL_String c;
  c = b;
  const WDL_String& same = c;
  c = same;
  EXPECT_STREQ(a.Get(), "alpha");
  EXPECT_STREQ(b.Get(), "alpha!");
  EXPECT_STREQ(c.Get(), "alpha!");
}
} // namespace
