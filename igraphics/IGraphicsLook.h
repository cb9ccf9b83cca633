#pragma once

#include <cstdint>
#include <initializer_list>

namespace iplug
{
namespace igraphics
{

/** A colour; alpha comes first. Every channel is 0..255. */
struct IColor
{
  int32_t A = 0;
  int32_t R = 0;
  int32_t G = 0;
  int32_t B = 0;

  constexpr IColor() = default;
  constexpr IColor(int32_t a, int32_t r, int32_t g, int32_t b) : A(a), R(r), G(g), B(b) {}

  constexpr bool operator==(const IColor& o) const { return A == o.A && R == o.R && G == o.G && B == o.B; }
  constexpr bool operator!=(const IColor& o) const { return !(*this == o); }
};

inline constexpr IColor COLOR_TRANSPARENT(0, 0, 0, 0);
inline constexpr IColor COLOR_TRANSLUCENT(10, 0, 0, 0);
inline constexpr IColor COLOR_BLACK(255, 0, 0, 0);
inline constexpr IColor COLOR_BLACK_DROP_SHADOW(128, 0, 0, 0);
inline constexpr IColor COLOR_GRAY(255, 127, 127, 127);
inline constexpr IColor COLOR_LIGHT_GRAY(255, 240, 240, 240);
inline constexpr IColor COLOR_MID_GRAY(255, 200, 200, 200);
inline constexpr IColor COLOR_DARK_GRAY(255, 70, 70, 70);
inline constexpr IColor COLOR_WHITE(255, 255, 255, 255);
inline constexpr IColor COLOR_RED(255, 255, 0, 0);
inline constexpr IColor COLOR_GREEN(255, 0, 255, 0);
inline constexpr IColor COLOR_BLUE(255, 0, 0, 255);
inline constexpr IColor COLOR_YELLOW(255, 255, 255, 0);
inline constexpr IColor COLOR_ORANGE(255, 255, 127, 0);
inline constexpr IColor COLOR_INDIGO(255, 75, 0, 130);
inline constexpr IColor COLOR_VIOLET(255, 148, 0, 211);

inline constexpr IColor DEFAULT_BGCOLOR = COLOR_TRANSPARENT;
inline constexpr IColor DEFAULT_FGCOLOR = COLOR_MID_GRAY;
inline constexpr IColor DEFAULT_PRCOLOR = COLOR_LIGHT_GRAY;
inline constexpr IColor DEFAULT_FRCOLOR = COLOR_DARK_GRAY;
inline constexpr IColor DEFAULT_HLCOLOR = COLOR_TRANSLUCENT;
inline constexpr IColor DEFAULT_SHCOLOR(60, 0, 0, 0);
inline constexpr IColor DEFAULT_X1COLOR = COLOR_BLACK;
inline constexpr IColor DEFAULT_X2COLOR = COLOR_GREEN;
inline constexpr IColor DEFAULT_X3COLOR = COLOR_BLUE;
inline constexpr IColor DEFAULT_TEXT_FGCOLOR = COLOR_BLACK;
inline constexpr IColor DEFAULT_TEXTENTRY_BGCOLOR = COLOR_WHITE;
inline constexpr IColor DEFAULT_TEXTENTRY_FGCOLOR = COLOR_BLACK;

/** Porter-Duff compositing rules of a drawing call. */
enum class EBlend : int32_t
{
  Default = 0,
  SrcIn,
  SrcOut,
  SrcAtop,
  DstOver,
  DstIn,
  DstOut,
  DstAtop,
  Add,
  XOR
};

/** A blend mode; the weight multiplies the alpha of whatever is drawn with it. */
struct IBlend
{
  EBlend mMethod = EBlend::Default;
  float mWeight = 1.f;

  constexpr IBlend() = default;
  constexpr IBlend(EBlend method, float weight) : mMethod(method), mWeight(weight) {}
};

inline constexpr IBlend BLEND_75(EBlend::Default, 0.75f);
inline constexpr IBlend BLEND_50(EBlend::Default, 0.5f);
inline constexpr IBlend BLEND_25(EBlend::Default, 0.25f);
inline constexpr IBlend BLEND_10(EBlend::Default, 0.1f);
inline constexpr IBlend BLEND_05(EBlend::Default, 0.05f);
inline constexpr IBlend BLEND_01(EBlend::Default, 0.01f);
inline constexpr IBlend BLEND_DST_IN(EBlend::DstIn, 1.f);
inline constexpr IBlend BLEND_DST_OVER(EBlend::DstOver, 1.f);

/** Values outside these leave the back end's own alignment in force, so the type is a plain int32. */
enum ETextAlign : int32_t
{
  kAlignNear = 0,
  kAlignCenter = 1,
  kAlignFar = 2
};

enum ETextVAlign : int32_t
{
  kVAlignTop = 0,
  kVAlignMiddle = 1,
  kVAlignBottom = 2
};

inline constexpr int kFontIDLength = 64;
inline constexpr const char* DEFAULT_FONT = "Roboto-Regular";
inline constexpr float DEFAULT_TEXT_SIZE = 14.f;

/** A text style of fixed layout; the font identifier is cut to fit and always NUL-terminated. */
struct IText
{
  char mFont[kFontIDLength] = {};
  float mSize = DEFAULT_TEXT_SIZE;
  IColor mFGColor = DEFAULT_TEXT_FGCOLOR;
  IColor mTextEntryBGColor = DEFAULT_TEXTENTRY_BGCOLOR;
  IColor mTextEntryFGColor = DEFAULT_TEXTENTRY_FGCOLOR;
  float mAngle = 0.f;
  ETextAlign mAlign = kAlignCenter;
  ETextVAlign mVAlign = kVAlignMiddle;

  constexpr IText(float size = DEFAULT_TEXT_SIZE, const IColor& color = DEFAULT_TEXT_FGCOLOR,
                  const char* fontID = DEFAULT_FONT, ETextAlign align = kAlignCenter,
                  ETextVAlign valign = kVAlignMiddle, float angle = 0.f,
                  const IColor& textEntryBGColor = DEFAULT_TEXTENTRY_BGCOLOR,
                  const IColor& textEntryFGColor = DEFAULT_TEXTENTRY_FGCOLOR)
  : mSize(size)
  , mFGColor(color)
  , mTextEntryBGColor(textEntryBGColor)
  , mTextEntryFGColor(textEntryFGColor)
  , mAngle(angle)
  , mAlign(align)
  , mVAlign(valign)
  {
    SetFont(fontID);
  }

  constexpr void SetFont(const char* fontID)
  {
    int i = 0;
    for (; fontID && fontID[i] && i < kFontIDLength - 1; ++i)
      mFont[i] = fontID[i];
    for (; i < kFontIDLength; ++i)
      mFont[i] = '\0';
  }
};

inline constexpr IText DEFAULT_TEXT{};
inline constexpr IText DEFAULT_LABEL_TEXT(19.f, DEFAULT_TEXT_FGCOLOR, DEFAULT_FONT, kAlignCenter, kVAlignTop);
inline constexpr IText DEFAULT_VALUE_TEXT(DEFAULT_TEXT_SIZE, DEFAULT_TEXT_FGCOLOR, DEFAULT_FONT, kAlignCenter,
                                          kVAlignBottom);

/** Indices into a vector control's colour set. */
enum EVColor : int32_t
{
  kBG = 0,
  kFG,
  kPR,
  kFR,
  kHL,
  kSH,
  kX1,
  kX2,
  kX3,
  kNumVColors
};

/** The nine colours of a vector control. */
struct IVColorSpec
{
  IColor mColors[kNumVColors] = {DEFAULT_BGCOLOR, DEFAULT_FGCOLOR, DEFAULT_PRCOLOR, DEFAULT_FRCOLOR, DEFAULT_HLCOLOR,
                                 DEFAULT_SHCOLOR, DEFAULT_X1COLOR, DEFAULT_X2COLOR, DEFAULT_X3COLOR};

  constexpr IVColorSpec() = default;

  /** The first entries replace the defaults in order; colours beyond the ninth are ignored. */
  constexpr IVColorSpec(std::initializer_list<IColor> colors)
  {
    int i = 0;
    for (const IColor& c : colors)
    {
      if (i == kNumVColors)
        break;
      mColors[i++] = c;
    }
  }

  constexpr const IColor& GetColor(EVColor color) const { return mColors[color]; }
  constexpr void SetColor(EVColor color, const IColor& c) { mColors[color] = c; }
  constexpr bool operator==(const IVColorSpec& o) const
  {
    for (int i = 0; i < kNumVColors; ++i)
      if (mColors[i] != o.mColors[i])
        return false;
    return true;
  }
};

inline constexpr IVColorSpec DEFAULT_COLOR_SPEC{DEFAULT_BGCOLOR, DEFAULT_FGCOLOR, DEFAULT_PRCOLOR,
                                                DEFAULT_FRCOLOR, DEFAULT_HLCOLOR, DEFAULT_SHCOLOR,
                                                DEFAULT_X1COLOR, DEFAULT_X2COLOR, DEFAULT_X3COLOR};

/** The look of a vector control. A default-built style is DEFAULT_STYLE; layouts copy it and
    change the fields they need. */
struct IVStyle
{
  bool hideCursor = true;
  bool showLabel = true;
  bool showValue = true;
  bool drawFrame = true;
  bool drawShadows = true;
  bool emboss = false;
  float roundness = 0.f;
  float frameThickness = 1.f;
  float shadowOffset = 3.f;
  float widgetFrac = 1.f;
  float angle = 0.f;
  IVColorSpec colorSpec = DEFAULT_COLOR_SPEC;
  IText labelText = DEFAULT_LABEL_TEXT;
  IText valueText = DEFAULT_VALUE_TEXT;
  int32_t labelSide = 0;
};

inline constexpr IVStyle DEFAULT_STYLE{};

inline constexpr IColor LED1(255, 36, 157, 16);
inline constexpr IColor LED2(255, 153, 191, 28);
inline constexpr IColor LED3(255, 215, 222, 37);
inline constexpr IColor LED4(255, 247, 153, 33);

} // namespace igraphics
} // namespace iplug
