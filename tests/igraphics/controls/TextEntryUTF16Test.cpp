// The text entry's UTF-8 and UTF-16 conversions on well-formed and malformed input. Each input sits
// in a buffer of exactly its size, so a read past the terminator shows under AddressSanitizer.
#include "igraphics/controls/TextEntryUTF16.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace iplug::igraphics;

namespace
{

std::unique_ptr<char[]> ExactCopy(const char* bytes)
{
  const size_t size = std::strlen(bytes) + 1;
  auto copy = std::make_unique<char[]>(size);
  std::memcpy(copy.get(), bytes, size);
  return copy;
}

} // namespace

TEST(TextEntryUTF16, ParseCharReadsOneCharacterOrFallsBackToItsLeadByte)
{
  struct ParseCase
  {
    const char* name;
    const char* bytes;
    int used;
    int cp;
  };
  const ParseCase cases[] = {
    {"ASCII", "A", 1, 'A'},
    {"two bytes", "\xC3\xA9", 2, 0xE9},
    {"three bytes", "\xE2\x82\xAC", 3, 0x20AC},
    {"four bytes", "\xF0\x9F\x98\x80", 4, 0x1F600},
    {"the highest code point", "\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
    {"a lead without a continuation",
     "\xC3"
     "A",
     1, 0xC3},
    {"a sequence cut by the terminator", "\xE2\x82", 1, 0xE2},
    {"a lone continuation byte", "\x80", 1, 0x80},
    {"an overlong two-byte form", "\xC0\xAF", 1, 0xC0},
    {"an overlong three-byte form", "\xE0\x80\xAF", 1, 0xE0},
    {"an overlong four-byte form", "\xF0\x80\x80\xAF", 1, 0xF0},
    {"an encoded surrogate", "\xED\xA0\x80", 1, 0xED},
    {"a value above U+10FFFF", "\xF4\x90\x80\x80", 1, 0xF4},
    {"a five-byte form", "\xF8\x88\x80\x80\x80", 5, '_'},
    {"a six-byte form", "\xFC\x84\x80\x80\x80\x80", 6, '_'},
    {"a five-byte form cut short", "\xF8\x88\x80", 1, 0xF8},
    {"0xFF", "\xFF", 1, 0xFF},
    {"the terminator", "", 1, 0},
  };
  for (const ParseCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    const auto bytes = ExactCopy(c.bytes);
    int cp = -1;
    EXPECT_EQ(wdl_utf8_parsechar(bytes.get(), &cp), c.used);
    EXPECT_EQ(cp, c.cp);
  }
}

TEST(TextEntryUTF16, UTF8BecomesUTF16WithPairsAboveTheBasicPlane)
{
  EXPECT_EQ(UTF8ToUTF16String(nullptr), u"");
  EXPECT_EQ(UTF8ToUTF16String(""), u"");
  EXPECT_EQ(UTF8ToUTF16String("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"a\u00E9\u20AC\U0001F600");
  const auto cut = ExactCopy("x\xF0\x9F\x98");
  EXPECT_EQ(UTF8ToUTF16String(cut.get()), u"x\u00F0\u009F\u0098");
}

TEST(TextEntryUTF16, UTF16BecomesWellFormedUTF8)
{
  struct EncodeCase
  {
    const char* name;
    std::u16string units;
    std::string utf8;
  };
  const EncodeCase cases[] = {
    {"basic plane", u"a\u00E9\u20AC", "a\xC3\xA9\xE2\x82\xAC"},
    {"a pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
    {"a lone high surrogate", std::u16string(1, char16_t(0xD83D)), "\xEF\xBF\xBD"},
    {"a lone low surrogate", std::u16string(1, char16_t(0xDE00)), "\xEF\xBF\xBD"},
    {"a high surrogate before a letter", std::u16string{char16_t(0xD83D), u'a'},
     "\xEF\xBF\xBD"
     "a"},
    {"a pair in the wrong order", std::u16string{char16_t(0xDE00), char16_t(0xD83D)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const EncodeCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(UTF16ToUTF8String(c.units), c.utf8);
  }
}
