#include <gtest/gtest.h>

#include "iplug/IPlugPaths.h"
#include "iplug/IPlugUTF8.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace iplug;

TEST(LocateResource, FindsFilesOnDiskOnly)
{
  const std::string path = testing::TempDir() + "locate-resource.bin";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("x", file);
  std::fclose(file);

  WDL_String result("unchanged");
  EXPECT_EQ(LocateResource(path.c_str(), "bin", result, nullptr, nullptr, nullptr), kAbsolutePath);
  EXPECT_EQ(path, result.Get());

  WDL_String untouched("unchanged");
  EXPECT_EQ(LocateResource("", "bin", untouched, nullptr, nullptr, nullptr), kNotFound);
  EXPECT_EQ(LocateResource(nullptr, "bin", untouched, nullptr, nullptr, nullptr), kNotFound);
  EXPECT_EQ(LocateResource((path + ".missing").c_str(), "bin", untouched, nullptr, nullptr, nullptr), kNotFound);
  EXPECT_STREQ(untouched.Get(), "unchanged");
  std::remove(path.c_str());
}

#ifdef _WIN32
TEST(UTF8Conversions, RoundTripAndFailClosed)
{
  const char* text = "K\xC3\xA4lte \xE2\x82\xAC";
  const std::wstring wide = UTF8ToUTF16(text);
  EXPECT_EQ(wide, L"K\u00E4lte \u20AC");
  WDL_String back;
  UTF16ToUTF8(back, wide.c_str());
  EXPECT_STREQ(back.Get(), text);

  wchar_t fixed[4];
  UTF8ToUTF16Fixed(fixed, "abc", 4);
  EXPECT_STREQ(fixed, L"abc");
  UTF8ToUTF16Fixed(fixed, "abcd", 4); // no room for the terminator
  EXPECT_STREQ(fixed, L"");
  EXPECT_TRUE(UTF8ToUTF16(nullptr).empty());

  // Malformed bytes never turn into a terminator or run past the text.
  const std::wstring replaced = UTF8ToUTF16("a\xC3z");
  EXPECT_EQ(replaced.size(), 3u);
  EXPECT_EQ(replaced.front(), L'a');
  EXPECT_EQ(replaced.back(), L'z');
}

TEST(FormatTimeUTF8, FormatsUTF8AndCutsOnCharacterBoundaries)
{
  std::tm time = {};
  time.tm_year = 126;
  time.tm_mon = 11;
  time.tm_mday = 10;
  char buffer[64];
  EXPECT_EQ(FormatTimeUTF8(buffer, sizeof buffer, "%Y \xC3\xA9t\xC3\xA9", &time), 10);
  EXPECT_STREQ(buffer, "2026 \xC3\xA9t\xC3\xA9");

  char small[7];
  const int length = FormatTimeUTF8(small, sizeof small, "%Y \xC3\xA9t\xC3\xA9", &time);
  EXPECT_EQ(length, 5); // "2026 " - the é would not fit whole
  EXPECT_STREQ(small, "2026 ");

  // A format that is not UTF-8 is handed to the narrow call untouched.
  EXPECT_EQ(FormatTimeUTF8(buffer, sizeof buffer, "%Y \xC3", &time), 6);
  EXPECT_STREQ(buffer, "2026 \xC3");
  EXPECT_EQ(FormatTimeUTF8(nullptr, 10, "%Y", &time), 0);
  EXPECT_EQ(FormatTimeUTF8(buffer, sizeof buffer, "%Y", nullptr), 0);
}
#endif
