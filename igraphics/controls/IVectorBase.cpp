#include "igraphics/controls/IVectorBase.h"

#include <algorithm>
#include <cmath>

#include "igraphics/IControl.h"
#include "igraphics/IGraphics.h"
#include "utility/MathConstants.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// A disabled face is darker by a quarter of the channel range; the alpha stays.
IColor WithContrast(const IColor& color, bool disabled)
{
  const int delta = disabled ? static_cast<int>(-0.25f * 255.f) : 0;
  auto channel = [delta](int32_t c) { return std::clamp(c + delta, 0, 255); };
  return IColor(color.A, channel(color.R), channel(color.G), channel(color.B));
}

IRECT ScaledAboutCentre(const IRECT& r, float frac)
{
  return r.GetCentredInside(r.W() * frac, r.H() * frac);
}

// The face inside an embossed rim.
IRECT InnerFace(const IRECT& r, float offset)
{
  return IRECT(r.L + offset, r.T + offset, r.R - offset, r.B - offset);
}

// A pressed face sinks towards the bottom right.
IRECT PressedFace(const IRECT& r, float offset)
{
  return IRECT(r.L + offset, r.T + offset, r.R, r.B);
}

} // namespace

IVectorBase::IVectorBase(const IVStyle& style, bool labelInWidget, bool valueInWidget)
: mLabelInWidget(labelInWidget)
, mValueInWidget(valueInWidget)
{
  SetStyle(style);
}

void IVectorBase::AttachIControl(IControl* pControl, const char* label)
{
  mControl = pControl;
  SetLabelStr(label);
}

void IVectorBase::SetStyle(const IVStyle& style)
{
  mStyle = style;
  OnStyleChanged();
}

const IBlend* IVectorBase::ControlBlend() const
{
  return mControl ? &mControl->GetBlend() : nullptr;
}

void IVectorBase::DrawBackground(IGraphics& g, const IRECT& r)
{
  g.FillRect(GetColor(kBG), r, ControlBlend());
}

void IVectorBase::DrawLabel(IGraphics& g)
{
  if (mLabelBounds.H() == 0.f || !mStyle.showLabel)
    return;
  g.DrawText(mStyle.labelText, mLabelString.Get(), mLabelBounds, ControlBlend());
}

void IVectorBase::DrawValue(IGraphics& g, bool mouseOver)
{
  if (mouseOver)
    g.FillRect(COLOR_TRANSLUCENT, mValueBounds);
  if (mStyle.showValue)
    g.DrawText(mStyle.valueText, mValueString.Get(), mValueBounds, ControlBlend());
}

void IVectorBase::DrawPressableShape(IGraphics& g, EVShape shape, const IRECT& bounds, bool pressed, bool mouseOver,
                                     bool disabled)
{
  switch (shape)
  {
  case EVShape::Rectangle:
  case EVShape::RoundedAll: DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled); break;
  case EVShape::RoundedTop:
    DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled, true, true, false, false);
    break;
  case EVShape::Ellipse: DrawPressableEllipse(g, bounds, pressed, mouseOver, disabled); break;
  case EVShape::Triangle: DrawPressableTriangle(g, bounds, pressed, mouseOver, mStyle.angle, disabled); break;
  }
}

IRECT IVectorBase::GetAdjustedHandleBounds(const IRECT& bounds) const
{
  IRECT handle = bounds;
  if (mStyle.drawFrame)
    handle = handle.GetPadded(-0.5f * mStyle.frameThickness);
  if (mStyle.drawShadows)
  {
    handle.L += mStyle.shadowOffset;
    handle.R -= mStyle.shadowOffset;
    handle.B -= mStyle.shadowOffset;
  }
  return handle;
}

float IVectorBase::GetRoundedCornerRadius(const IRECT& bounds) const
{
  return std::min(bounds.W(), bounds.H()) * 0.5f * mStyle.roundness;
}

IRECT IVectorBase::MakeRects(const IRECT& parent, bool hasHandle)
{
  IRECT clickable = parent;
  IGraphics* pGraphics = mControl ? mControl->GetUI() : nullptr;
  // An empty text takes no room, whatever a surface would report for it.
  auto measure = [pGraphics](const IText& text, const char* str) {
    IRECT extent;
    if (pGraphics && *str)
      pGraphics->MeasureText(text, str, extent);
    return extent;
  };

  if (!mLabelInWidget)
  {
    if (mStyle.showLabel && mLabelString.GetLength() > 0)
    {
      const IRECT extent = measure(mStyle.labelText, mLabelString.Get());
      const float tw = extent.W();
      const float th = extent.H();
      IRECT strip;
      switch (static_cast<ELabelSide>(mStyle.labelSide))
      {
      case ELabelSide::Top: strip = IRECT(parent.L, parent.T, parent.R, parent.T + th); break;
      case ELabelSide::Right: strip = IRECT(parent.R - tw, parent.T, parent.R, parent.B); break;
      case ELabelSide::Bottom: strip = IRECT(parent.L, parent.B - th, parent.R, parent.B); break;
      case ELabelSide::Left: strip = IRECT(parent.L, parent.T, parent.L + tw, parent.B); break;
      }
      // A text that measures as nothing still gets a rectangle, so the label keeps its place.
      const float w = std::max(tw, 1.f);
      mLabelBounds = strip.GetCentredInside(w, th > 0.f ? th : w);
    }
    else
      mLabelBounds = IRECT();

    if (!mLabelBounds.Empty())
    {
      switch (static_cast<ELabelSide>(mStyle.labelSide))
      {
      case ELabelSide::Top: clickable.T += mLabelBounds.H(); break;
      case ELabelSide::Right: clickable.R -= mLabelBounds.W(); break;
      case ELabelSide::Bottom: clickable.B -= mLabelBounds.H(); break;
      case ELabelSide::Left: clickable.L += mLabelBounds.W(); break;
      }
    }
  }

  if (!mStyle.showValue || mValueInWidget)
  {
    // Without a value strip nothing may be hit or hovered where the value used to be.
    mValueBounds = IRECT();
    mWidgetBounds = ScaledAboutCentre(clickable, mStyle.widgetFrac);
  }
  else
  {
    const IRECT extent = measure(mStyle.valueText, mValueString.Get());
    const float vw = extent.W() * mValueDisplayFraction;
    const float th = extent.H();
    const float cx = clickable.MW();
    const float cy = clickable.MH();
    IRECT widget = clickable;
    switch (mStyle.valueText.mVAlign)
    {
    case kVAlignTop:
      mValueBounds = IRECT(cx - vw, clickable.T, cx + vw, clickable.T + th);
      widget.T += th;
      break;
    case kVAlignMiddle: mValueBounds = IRECT(cx - vw, cy - th / 2.f, cx + vw, cy + th / 2.f); break;
    case kVAlignBottom:
      mValueBounds = IRECT(cx - vw, clickable.B - th, cx + vw, clickable.B);
      widget.B -= th;
      break;
    }
    mWidgetBounds = ScaledAboutCentre(widget, mStyle.widgetFrac);
  }

  if (hasHandle)
    mWidgetBounds = ScaledAboutCentre(GetAdjustedHandleBounds(clickable), mStyle.widgetFrac);

  if (mLabelInWidget)
    mLabelBounds = mWidgetBounds;
  if (mValueInWidget)
    mValueBounds = mWidgetBounds;

  return clickable;
}

IRECT IVectorBase::DrawPressableRectangle(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver,
                                          bool disabled, bool roundTopLeft, bool roundTopRight, bool roundBottomLeft,
                                          bool roundBottomRight)
{
  const IRECT handle = GetAdjustedHandleBounds(bounds);
  const float r = GetRoundedCornerRadius(handle);
  const float tl = roundTopLeft ? r : 0.f;
  const float tr = roundTopRight ? r : 0.f;
  const float bl = roundBottomLeft ? r : 0.f;
  const float br = roundBottomRight ? r : 0.f;
  const float offset = mStyle.shadowOffset;
  const IBlend* pBlend = ControlBlend();
  const IRECT inner = InnerFace(handle, offset);
  auto fill = [&](const IColor& color, const IRECT& rect, const IBlend* pFillBlend) {
    g.FillRoundRect(color, rect, tl, tr, br, bl, pFillBlend);
  };

  if (!pressed)
  {
    if (mStyle.drawShadows)
      fill(GetColor(kSH), handle.GetTranslated(offset, offset), pBlend);

    if (mStyle.emboss)
    {
      fill(WithContrast(GetColor(kPR), disabled), handle, nullptr);
      fill(WithContrast(GetColor(kSH), disabled), handle.GetTranslated(offset, offset), nullptr);
      fill(WithContrast(GetColor(kFG), disabled), inner, nullptr);
      if (mouseOver)
        fill(GetColor(kHL), inner, pBlend);
    }
    else
    {
      fill(WithContrast(GetColor(kFG), disabled), handle, nullptr);
      if (mouseOver)
        fill(GetColor(kHL), handle, pBlend);
    }
  }
  else
  {
    if (mStyle.emboss)
    {
      fill(GetColor(kPR), handle, pBlend);
      fill(GetColor(kSH), handle, pBlend);
      fill(WithContrast(GetColor(kFG), disabled), PressedFace(handle, offset), nullptr);
      fill(GetColor(kPR), inner, pBlend);
    }
    else
      fill(WithContrast(GetColor(kPR), disabled), handle, nullptr);

    if (mControl && mControl->GetAnimationFunction())
      DrawSplash(g, handle);
  }

  if (mStyle.drawFrame)
    g.DrawRoundRect(GetColor(kFR), handle, tl, tr, br, bl, pBlend, mStyle.frameThickness);

  return handle;
}

IRECT IVectorBase::DrawPressableEllipse(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled)
{
  const float offset = mStyle.shadowOffset;
  const IBlend* pBlend = ControlBlend();
  const IRECT inner = InnerFace(bounds, offset);

  if (!pressed && !disabled && mStyle.drawShadows)
    g.FillEllipse(GetColor(kSH), bounds.GetTranslated(offset, offset), nullptr);

  if (!pressed)
  {
    if (mStyle.emboss)
    {
      g.FillEllipse(WithContrast(GetColor(kPR), disabled), bounds, nullptr);
      g.FillEllipse(WithContrast(GetColor(kSH), disabled), bounds.GetTranslated(offset, offset), nullptr);
      g.FillEllipse(WithContrast(GetColor(kFG), disabled), inner, nullptr);
      if (mouseOver)
        g.FillEllipse(GetColor(kHL), inner, pBlend);
    }
    else
    {
      g.FillEllipse(WithContrast(GetColor(kFG), disabled), bounds, nullptr);
      if (mouseOver)
        g.FillEllipse(GetColor(kHL), bounds, pBlend);
    }
  }
  else
  {
    if (mStyle.emboss)
    {
      g.FillEllipse(GetColor(kPR), bounds, pBlend);
      g.FillEllipse(GetColor(kSH), bounds, pBlend);
      g.FillEllipse(WithContrast(GetColor(kFG), disabled), PressedFace(bounds, offset), nullptr);
      g.FillEllipse(WithContrast(GetColor(kPR), disabled), inner, nullptr);
    }
    else
      g.FillEllipse(WithContrast(GetColor(kPR), disabled), bounds, nullptr);

    if (mControl && mControl->GetAnimationFunction())
      DrawSplash(g, bounds);
  }

  if (mStyle.drawFrame)
    g.DrawEllipse(GetColor(kFR), bounds, pBlend, mStyle.frameThickness);

  return bounds;
}

IRECT IVectorBase::DrawPressableTriangle(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, float angle,
                                         bool disabled)
{
  const IRECT handle = GetAdjustedHandleBounds(bounds);
  const float cx = handle.MW();
  const float cy = handle.MH();
  const float rad = angle / 180.f * brimvale::utility::kPiFloat;
  const float c = std::cos(rad);
  const float s = std::sin(rad);
  float x[3] = {handle.MW(), handle.L, handle.R};
  float y[3] = {handle.T, handle.B, handle.B};
  for (int i = 0; i < 3; ++i)
  {
    const float dx = x[i] - cx;
    const float dy = y[i] - cy;
    x[i] = cx + dx * c - dy * s;
    y[i] = cy + dx * s + dy * c;
  }

  const float offset = mStyle.shadowOffset;
  const IBlend* pBlend = ControlBlend();
  auto fill = [&](const IColor& color, float dx, float dy, const IBlend* pFillBlend) {
    g.FillTriangle(color, x[0] + dx, y[0] + dy, x[1] + dx, y[1] + dy, x[2] + dx, y[2] + dy, pFillBlend);
  };

  if (!pressed && mStyle.drawShadows)
    fill(GetColor(kSH), offset, offset, pBlend);

  fill(WithContrast(GetColor(pressed ? kPR : kFG), disabled), 0.f, 0.f, nullptr);

  if (mouseOver)
    fill(GetColor(kHL), 0.f, 0.f, pBlend);

  if (pressed && mControl && mControl->GetAnimationFunction())
    DrawSplash(g, handle);

  if (mStyle.drawFrame)
    g.DrawTriangle(GetColor(kFR), x[0], y[0], x[1], y[1], x[2], y[2], pBlend, mStyle.frameThickness);

  return handle;
}

void IVectorBase::DrawSplash(IGraphics& g, const IRECT& clipRect)
{
  g.PathClipRegion(clipRect);
  g.FillCircle(GetColor(kHL), mSplashPoint[0], mSplashPoint[1], mSplashRadius);
  g.PathClipRegion();
}

} // namespace igraphics
} // namespace iplug
