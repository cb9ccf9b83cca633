#include "igraphics/IGraphicsConstants.h"
#include "igraphics/IGraphicsStructs.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

using namespace iplug::igraphics;

namespace
{

bool SameText(const IText& a, const IText& b)
{
  return std::strcmp(a.mFont, b.mFont) == 0 && a.mSize == b.mSize && a.mFGColor == b.mFGColor &&
         a.mTextEntryBGColor == b.mTextEntryBGColor && a.mTextEntryFGColor == b.mTextEntryFGColor &&
         a.mAngle == b.mAngle && a.mAlign == b.mAlign && a.mVAlign == b.mVAlign;
}

TEST(GraphicsLook, DefaultTextIsRobotoFourteenBlackCentred)
{
  EXPECT_STREQ(DEFAULT_TEXT.mFont, "Roboto-Regular");
  EXPECT_EQ(DEFAULT_TEXT.mSize, 14.f);
  EXPECT_EQ(DEFAULT_TEXT.mFGColor, COLOR_BLACK);
  EXPECT_EQ(DEFAULT_TEXT.mTextEntryBGColor, COLOR_WHITE);
  EXPECT_EQ(DEFAULT_TEXT.mTextEntryFGColor, COLOR_BLACK);
  EXPECT_EQ(DEFAULT_TEXT.mAlign, kAlignCenter);
  EXPECT_EQ(DEFAULT_TEXT.mVAlign, kVAlignMiddle);
}

TEST(GraphicsLook, LabelAndValueTextsDifferFromDefaultTextOnlyWhereStated)
{
  IText label = DEFAULT_TEXT;
  label.mSize = 19.f;
  label.mVAlign = kVAlignTop;
  EXPECT_TRUE(SameText(DEFAULT_LABEL_TEXT, label));

  IText value = DEFAULT_TEXT;
  value.mVAlign = kVAlignBottom;
  EXPECT_TRUE(SameText(DEFAULT_VALUE_TEXT, value));
}

TEST(GraphicsLook, ColoursThatAreEasyToGetWrong)
{
  const struct
  {
    IColor got, want;
  } cases[] = {
    {COLOR_GRAY, IColor(255, 127, 127, 127)}, {COLOR_ORANGE, IColor(255, 255, 127, 0)},
    {DEFAULT_HLCOLOR, IColor(10, 0, 0, 0)},   {DEFAULT_SHCOLOR, IColor(60, 0, 0, 0)},
    {DEFAULT_FGCOLOR, COLOR_MID_GRAY},        {DEFAULT_PRCOLOR, COLOR_LIGHT_GRAY},
    {DEFAULT_X2COLOR, COLOR_GREEN},           {COLOR_VIOLET, IColor(255, 148, 0, 211)},
    {LED1, IColor(255, 36, 157, 16)},         {LED4, IColor(255, 247, 153, 33)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.got, c.want);
}

TEST(GraphicsLook, NamedBlends)
{
  const struct
  {
    IBlend blend;
    EBlend method;
    float weight;
  } cases[] = {
    {BLEND_75, EBlend::Default, 0.75f}, {BLEND_05, EBlend::Default, 0.05f},     {BLEND_01, EBlend::Default, 0.01f},
    {BLEND_DST_IN, EBlend::DstIn, 1.f}, {BLEND_DST_OVER, EBlend::DstOver, 1.f}, {IBlend(), EBlend::Default, 1.f},
  };
  for (const auto& c : cases)
  {
    EXPECT_EQ(c.blend.mMethod, c.method);
    EXPECT_EQ(c.blend.mWeight, c.weight);
  }
}

TEST(GraphicsLook, ColorSpecListFillsFromTheFrontAndKeepsDefaultsForTheRest)
{
  const IVColorSpec partial{COLOR_RED, COLOR_BLUE};
  EXPECT_EQ(partial.GetColor(kBG), COLOR_RED);
  EXPECT_EQ(partial.GetColor(kFG), COLOR_BLUE);
  for (int i = kPR; i < kNumVColors; ++i)
    EXPECT_EQ(partial.mColors[i], DEFAULT_COLOR_SPEC.mColors[i]) << i;

  EXPECT_TRUE(IVColorSpec{} == DEFAULT_COLOR_SPEC);
  EXPECT_EQ(DEFAULT_COLOR_SPEC.GetColor(kX3), DEFAULT_X3COLOR);

  const IVColorSpec tooLong{COLOR_RED, COLOR_RED, COLOR_RED, COLOR_RED, COLOR_RED,
                            COLOR_RED, COLOR_RED, COLOR_RED, COLOR_RED, COLOR_BLUE};
  EXPECT_EQ(tooLong.GetColor(kX3), COLOR_RED);
}

TEST(GraphicsLook, DefaultStyle)
{
  EXPECT_TRUE(DEFAULT_STYLE.hideCursor && DEFAULT_STYLE.showLabel && DEFAULT_STYLE.showValue);
  EXPECT_TRUE(DEFAULT_STYLE.drawFrame && DEFAULT_STYLE.drawShadows);
  EXPECT_FALSE(DEFAULT_STYLE.emboss);
  EXPECT_EQ(DEFAULT_STYLE.roundness, 0.f);
  EXPECT_EQ(DEFAULT_STYLE.frameThickness, 1.f);
  EXPECT_EQ(DEFAULT_STYLE.shadowOffset, 3.f);
  EXPECT_EQ(DEFAULT_STYLE.widgetFrac, 1.f);
  EXPECT_TRUE(DEFAULT_STYLE.colorSpec == DEFAULT_COLOR_SPEC);
  EXPECT_TRUE(SameText(DEFAULT_STYLE.labelText, DEFAULT_LABEL_TEXT));
  EXPECT_TRUE(SameText(DEFAULT_STYLE.valueText, DEFAULT_VALUE_TEXT));
  EXPECT_EQ(DEFAULT_STYLE.labelSide, 0);
}

TEST(GraphicsLook, OverlongStringsAreCutAndStayTerminated)
{
  const std::string longFont(100, 'f');
  const IText text(12.f, COLOR_RED, longFont.c_str());
  EXPECT_EQ(std::strlen(text.mFont), sizeof(text.mFont) - 1);

  const IKeyPress key("abcdefgh", 65);
  EXPECT_STREQ(key.utf8, "abcd");
  EXPECT_STREQ(IKeyPress(nullptr, 32).utf8, "");
}

} // namespace
