#include <gtest/gtest.h>

#include "utility/UTF8.h"

#include <string>

using namespace brimvale::utility;

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
    {"caf\xC3\xA9", 1},      // é
    {"\xE2\x82\xAC 5", 1},   // €
    {"\xF0\x9F\x8E\xB5", 1}, // a four-byte form
    {"ok \xC3", -1},         // continuation missing at the end
    {"\xC3\x41", -1},        // continuation replaced by ASCII
    {"\xC0\x80", -1},        // two-byte overlong lead
    {"\xC1\xBF", -1},
    {"\xE0\x80\x80", -1},         // three-byte overlong
    {"\xF0\x80\x80\x80", -1},     // four-byte overlong
    {"\xF8\x88\x80\x80\x80", -1}, // lead beyond four bytes
    {"\x80", -1},                 // a lone continuation byte
    {"\xC3\xA9 then \xFF", -1},   // good first, malformed later
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsUTF8String(c.text), c.expected) << (c.text ? c.text : "(null)");
}

TEST(AppendUTF8, EncodesEachLengthUpToItsLastCodePoint)
{
  struct Case
  {
    char32_t codePoint;
    const char* expected;
  };
  const Case cases[] = {
    {0x41, "A"},
    {0x7F, "\x7F"},
    {0x80, "\xC2\x80"},
    {0x7FF, "\xDF\xBF"},
    {0x800, "\xE0\xA0\x80"},
    {0xFFFD, "\xEF\xBF\xBD"},
    {0x10000, "\xF0\x90\x80\x80"},
    {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  for (const Case& c : cases)
  {
    std::string out = "x";
    AppendUTF8(out, c.codePoint);
    EXPECT_EQ(out, std::string("x") + c.expected) << static_cast<unsigned>(c.codePoint);
  }
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
#endif
