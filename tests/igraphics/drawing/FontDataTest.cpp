#include "igraphics/drawing/IGraphicsFontData.h"

#include "FontBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace iplug::igraphics;
using namespace fontbuilder;

namespace
{

Bytes ReadFile(const char* path)
{
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Face NamedFace(const std::u16string& family, const std::u16string& style)
{
  return SimpleFace({WinName(1, family), WinName(2, style)});
}

} // namespace

TEST(FontInfo, ReadsTheRobotoPackageFont)
{
  const Bytes roboto = ReadFile(ROBOTO_TTF);
  ASSERT_GT(roboto.size(), 1000u);
  IFontInfo info(roboto.data(), uint32_t(roboto.size()), 0);
  ASSERT_TRUE(info.IsValid());
  EXPECT_STREQ(info.GetFamily().Get(), "Roboto");
  EXPECT_STREQ(info.GetStyle().Get(), "Regular");
  EXPECT_EQ(info.GetUnitsPerEM(), 2048);
  EXPECT_GT(info.GetAscender(), 0);
  EXPECT_LT(info.GetDescender(), 0);
  EXPECT_EQ(PlatformFont::GetFaceIdx(roboto.data(), int(roboto.size()), ""), 0);
  EXPECT_EQ(PlatformFont::GetFaceIdx(roboto.data(), int(roboto.size()), "Bold"), -1);
}

TEST(FontInfo, CollectionFacesAreFoundByStyle)
{
  const Bytes ttc = Build({NamedFace(u"Fam", u"Regular"), NamedFace(u"Fam", u"Bold")}, true);
  struct Case
  {
    const char* style;
    int face;
  };
  for (const Case& c : {Case{"Bold", 1}, Case{"Regular", 0}, Case{"", 0}, Case{"bold", -1}, Case{"Italic", -1}})
    EXPECT_EQ(PlatformFont::GetFaceIdx(ttc.data(), int(ttc.size()), c.style), c.face) << c.style;

  IFontInfo second(ttc.data(), uint32_t(ttc.size()), 1);
  ASSERT_TRUE(second.IsValid());
  EXPECT_STREQ(second.GetStyle().Get(), "Bold");
  EXPECT_FALSE(IFontInfo(ttc.data(), uint32_t(ttc.size()), 2).IsValid());
}

TEST(FontInfo, FacesWithoutStyleNameAreSkipped)
{
  const Bytes noStyle = Build({SimpleFace({WinName(1, u"Fam")})}, false);
  EXPECT_TRUE(IFontInfo(noStyle.data(), uint32_t(noStyle.size()), 0).IsValid());
  EXPECT_EQ(PlatformFont::GetFaceIdx(noStyle.data(), int(noStyle.size()), ""), -1);

  const Bytes ttc = Build({SimpleFace({WinName(1, u"Fam")}), NamedFace(u"Fam", u"Bold")}, true);
  EXPECT_EQ(PlatformFont::GetFaceIdx(ttc.data(), int(ttc.size()), ""), 1);
}

TEST(FontInfo, NameRecordsOfEitherPlatform)
{
  struct Case
  {
    const char* what;
    std::vector<NameRecord> names;
    const char* family;
    const char* style;
  };
  const Case cases[] = {
    {"macintosh only", {MacName(1, "MacFam"), MacName(2, "Italic")}, "MacFam", "Italic"},
    {"windows wins over macintosh", {MacName(1, "Mac"), WinName(1, u"Win"), MacName(2, "S")}, "Win", "S"},
    {"surrogate pair joined", {WinName(1, u"A\U0001F600"), WinName(2, u"\u00e9")}, "A\xF0\x9F\x98\x80", "\xC3\xA9"},
    {"lone surrogate replaced", {WinName(1, u"x\xD800y")}, "x\xEF\xBF\xBDy", ""},
    {"other languages ignored", {{3, 1, 0x407, 1, UTF16BE(u"De")}}, "", ""},
  };
  for (const Case& c : cases)
  {
    const Bytes font = Build({SimpleFace(c.names)}, false);
    IFontInfo info(font.data(), uint32_t(font.size()), 0);
    ASSERT_TRUE(info.IsValid()) << c.what;
    EXPECT_STREQ(info.GetFamily().Get(), c.family) << c.what;
    EXPECT_STREQ(info.GetStyle().Get(), c.style) << c.what;
  }
}

TEST(FontInfo, MetricsAndStyleFlags)
{
  const Bytes font = Build({SimpleFace({WinName(2, u"Bold Italic")}, 0x3)}, false);
  IFontInfo info(font.data(), uint32_t(font.size()), 0);
  ASSERT_TRUE(info.IsValid());
  EXPECT_TRUE(info.IsBold());
  EXPECT_TRUE(info.IsItalic());
  EXPECT_FALSE(info.IsUnderline());
  EXPECT_EQ(info.GetUnitsPerEM(), 1000);
  EXPECT_EQ(info.GetAscender(), 900);
  EXPECT_EQ(info.GetDescender(), -250);
  EXPECT_EQ(info.GetLineGap(), 40);
}

TEST(FontInfo, RequiredTablesAndSignatures)
{
  Face withFdsc = SimpleFace({WinName(2, u"R")});
  withFdsc.tables.push_back({"fdsc", Bytes(8, 0)});
  Face noHhea = SimpleFace({WinName(2, u"R")});
  noHhea.tables.erase(noHhea.tables.begin() + 1);

  Bytes otto = Build({SimpleFace({WinName(2, u"R")})}, false);
  std::copy_n("OTTO", 4, otto.begin());
  Bytes unknown = otto;
  std::copy_n("wOFF", 4, unknown.begin());
  Bytes badVersion = Build({SimpleFace({WinName(2, u"R")})}, true);
  Set16(badVersion, 4, 3);

  struct Case
  {
    const char* what;
    Bytes font;
    bool valid;
  };
  const Case cases[] = {
    {"fdsc is optional", Build({withFdsc}, false), true},
    {"hhea is required", Build({noHhea}, false), false},
    {"OpenType CFF signature", otto, true},
    {"unknown signature", unknown, false},
    {"collection version 3", badVersion, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IFontInfo(c.font.data(), uint32_t(c.font.size()), 0).IsValid(), c.valid) << c.what;
  EXPECT_FALSE(IFontInfo(nullptr, 100, 0).IsValid());
}

// Every truncation of a font must be read without touching a byte past the end.
TEST(FontInfo, TruncatedFilesNeverReadPastTheEnd)
{
  for (bool collection : {false, true})
  {
    const Bytes full = Build({NamedFace(u"Family", u"Regular")}, collection);
    for (size_t n = 0; n < full.size(); ++n)
    {
      Bytes cut(full.begin(), full.begin() + n); // its own allocation, so ASan sees overreads
      IFontInfo info(cut.data(), uint32_t(cut.size()), 0);
      EXPECT_FALSE(info.IsValid()) << n; // the name table comes last, so every cut reaches it
      PlatformFont::GetFaceIdx(cut.data(), int(cut.size()), "Regular");
    }
    EXPECT_TRUE(IFontInfo(full.data(), uint32_t(full.size()), 0).IsValid());
  }
}

TEST(FontInfo, OffsetsPointingOutsideTheFileAreRejected)
{
  Bytes font = Build({NamedFace(u"F", u"R")}, false);
  Bytes tableBeyondEnd = font;
  Set16(tableBeyondEnd, 12 + 8, 0x7FFF); // head offset high word
  Bytes nameStorageBeyondEnd = font;
  // The name table is the third table; its storage offset sits at + 4.
  const size_t nameRecord = 12 + 2 * 16;
  const size_t nameTable = (size_t(font[nameRecord + 8]) << 24) | (size_t(font[nameRecord + 9]) << 16) |
                           (size_t(font[nameRecord + 10]) << 8) | font[nameRecord + 11];
  Set16(nameStorageBeyondEnd, nameTable + 4, 0xFFF0);
  Bytes faceBeyondEnd = Build({NamedFace(u"F", u"R")}, true);
  Set16(faceBeyondEnd, 12, 0x00FF);

  EXPECT_FALSE(IFontInfo(tableBeyondEnd.data(), uint32_t(tableBeyondEnd.size()), 0).IsValid());
  EXPECT_FALSE(IFontInfo(faceBeyondEnd.data(), uint32_t(faceBeyondEnd.size()), 0).IsValid());
  IFontInfo names(nameStorageBeyondEnd.data(), uint32_t(nameStorageBeyondEnd.size()), 0);
  EXPECT_TRUE(names.IsValid());
  EXPECT_EQ(names.GetStyle().GetLength(), 0);
}

TEST(FontData, OwnsACopyAndKeepsTheFaceIndex)
{
  Bytes ttc = Build({NamedFace(u"Fam", u"Regular"), NamedFace(u"Fam", u"Bold")}, true);
  IFontData data(ttc.data(), int(ttc.size()), 1);
  std::fill(ttc.begin(), ttc.end(), 0);
  ASSERT_TRUE(data.IsValid());
  EXPECT_EQ(data.GetFaceIdx(), 1);
  EXPECT_EQ(data.GetSize(), int(ttc.size()));
  EXPECT_EQ(data.Get()[0], 't');
  EXPECT_STREQ(data.GetStyle().Get(), "Bold");
  EXPECT_FALSE(IFontData(ttc.data(), 0, 0).IsValid());
}
