// The instrument editor's own colours and the text style of its face.
#pragma once

#include "plugin/BrimvaleVersion.h"

#include "igraphics/IGraphicsLook.h"

namespace brimvale::editor
{

// (A, R, G, B)
inline constexpr iplug::igraphics::IColor COLOR_BV_BG(255, 7, 10, 15);
inline constexpr iplug::igraphics::IColor COLOR_BV_PANEL(255, 16, 22, 30);
inline constexpr iplug::igraphics::IColor COLOR_BV_PANEL_DARK(255, 10, 15, 21);
inline constexpr iplug::igraphics::IColor COLOR_BV_FRAME(255, 54, 68, 86);
inline constexpr iplug::igraphics::IColor COLOR_BV_TEXT(255, 222, 232, 241);
inline constexpr iplug::igraphics::IColor COLOR_BV_MUTED(255, 137, 151, 166);
inline constexpr iplug::igraphics::IColor COLOR_BV_CYAN(255, 0, 214, 232);
inline constexpr iplug::igraphics::IColor COLOR_BV_CYAN_DIM(155, 0, 122, 138);
inline constexpr iplug::igraphics::IColor COLOR_BV_AMBER(255, 242, 174, 22);
/** The meter's name for amber: one colour, both names in use. */
inline constexpr const iplug::igraphics::IColor& COLOR_BV_ORANGE = COLOR_BV_AMBER;
inline constexpr iplug::igraphics::IColor COLOR_BV_PINK(255, 232, 132, 184);

/** A palette colour at another alpha. */
inline iplug::igraphics::IColor WithAlpha(const iplug::igraphics::IColor& c, int alpha)
{
  return iplug::igraphics::IColor(alpha, c.R, c.G, c.B);
}

/** Text of the editor's font, unrotated. */
inline iplug::igraphics::IText PanelText(float size, const iplug::igraphics::IColor& color,
                                         iplug::igraphics::ETextAlign align = iplug::igraphics::kAlignCenter,
                                         iplug::igraphics::ETextVAlign valign = iplug::igraphics::kVAlignMiddle)
{
  return iplug::igraphics::IText(size, color, kFontName, align, valign, 0.f);
}

} // namespace brimvale::editor
