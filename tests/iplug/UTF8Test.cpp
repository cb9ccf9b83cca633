#include <gtest/gtest.h>

#include "iplug/IPlugPaths.h"
#include "iplug/IPlugUTF8.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace iplug;

TEST(IsUTF8String, ClassifiesTexts)
{
  struct Case
  {
    const char* text;
    int expected;
  };
  const Case cases[] = {
    {nullptr, 0},
    {"", 0},
    {"plain ascii", 0},
    {"caf\xC3\xA9", 1},                  // é
    {"\xE2\x82\xAC 5", 1},               // €
    {"\xF0\x9F\x8E\xB5", 1},             // a four-byte form
    {"ok \xC3", -1},                     // continuation missing at the end
    {"\xC3\x41", -1},                    // continuation replaced by ASCII
    {"\xC0\x80", -1},                    // two-byte overlong lead
    {"\xC1\xBF", -1},
    {"\xE0\x80\x80", -1},                // three-byte overlong
    {"\xF0\x80\x80\x80", -1},            // four-byte overlong
    {"\xF8\x88\x80\x80\x80", -1},        // lead beyond four bytes
    {"\x80", -1},                        // a lone continuation byte
    {"\xC3\xA9 then \xFF", -1},          // good first, malformed later
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsUTF8String(c.text), c.expected) << (c.text ? c.text : "(null)");
}

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
  EXPECT_EQ(LocateResource((path + ".missing").c_str(), "bin", untouched, nullptr, nullptr, nullptr),
            kNotFound);
  EXPECT_STREQ(untouched.Get(), "unchanged");
  std::remove(path.c_str());
}

#ifdef _WIN32
TEST(FixLongPathW, PrefixesOnlyLongDriveAndServerPaths)
{
  std::wstring drive = L"C:/" + std::wstring(297, L'a');
  drive[100] = L'/';
  FixLongPathW(drive);
  EXPECT_EQ(drive.substr(0, 7), L"\\\\?\\C:\\");
  EXPECT_EQ(drive.find(L'/'), std::wstring::npos);
  EXPECT_EQ(drive.size(), 304u);

  std::wstring server = L"\\\\server/share/" + std::wstring(285, L'b');
  FixLongPathW(server);
  EXPECT_EQ(server.substr(0, 21), L"\\\\?\\UNC\\server\\share\\");
  EXPECT_EQ(server.find(L'/'), std::wstring::npos);

  const std::wstring shortPath = L"C:/" + std::wstring(252, L'c');
  std::wstring unchanged = shortPath;
  FixLongPathW(unchanged);
  EXPECT_EQ(unchanged, shortPath);

  const std::wstring alreadyLong = L"\\\\?\\C:\\" + std::wstring(300, L'd');
  std::wstring again = alreadyLong;
  FixLongPathW(again);
  EXPECT_EQ(again, alreadyLong);

  const std::wstring relative(300, L'e');
  std::wstring relativeCopy = relative;
  FixLongPathW(relativeCopy);
  EXPECT_EQ(relativeCopy, relative);
}

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

TEST(OpenFileUTF8, OpensNonAsciiNamesAndLongPaths)
{
  const std::string dir = testing::TempDir();
  const std::string name = dir + "Kl\xC3\xA4nge-\xE2\x99\xAA.txt";
  FILE* out = OpenFileUTF8(name.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fputs("sound", out);
  std::fclose(out);

  FILE* in = OpenFileUTF8(name.c_str(), "rb");
  ASSERT_NE(in, nullptr);
  char buffer[8] = {};
  EXPECT_EQ(std::fread(buffer, 1, 5, in), 5u);
  std::fclose(in);
  EXPECT_STREQ(buffer, "sound");

  // The name must exist under its real characters, not as mangled narrow bytes.
  const std::wstring wide = UTF8ToUTF16(name.c_str());
  EXPECT_EQ(_wremove(wide.c_str()), 0);

  EXPECT_EQ(OpenFileUTF8((dir + "missing-\xC3\xA4.txt").c_str(), "rb"), nullptr);

  // Beyond MAX_PATH: only the long form reaches it.
  std::string longDir = dir;
  for (char& c : longDir)
    if (c == '/')
      c = '\\';
  longDir += std::string(200, 'd');
  std::wstring wideDir = UTF8ToUTF16(longDir.c_str());
  FixLongPathW(wideDir);
  CreateDirectoryW(wideDir.c_str(), nullptr);
  const std::string longName = longDir + "\\" + std::string(100, 'f') + ".txt";
  ASSERT_GE(longName.size(), 300u);
  FILE* longFile = OpenFileUTF8(longName.c_str(), "wb");
  ASSERT_NE(longFile, nullptr);
  std::fclose(longFile);
  std::wstring wideName = UTF8ToUTF16(longName.c_str());
  FixLongPathW(wideName);
  EXPECT_EQ(_wremove(wideName.c_str()), 0);
  RemoveDirectoryW(wideDir.c_str());
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
