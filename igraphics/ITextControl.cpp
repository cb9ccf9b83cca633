#include "igraphics/ITextControl.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "igraphics/IGraphics.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// Formats into a buffer sized for the text, so no format can overflow it; the text is then cut to
// maxLength characters. An encoding error yields no text rather than a partial one.
std::string FormatBounded(int maxLength, const char* fmt, va_list args)
{
  if (!fmt || maxLength <= 0)
    return {};
  va_list measureArgs;
  va_copy(measureArgs, args);
  const int needed = std::vsnprintf(nullptr, 0, fmt, measureArgs);
  va_end(measureArgs);
  if (needed < 0)
    return {};
  std::vector<char> buf(static_cast<size_t>(std::min(needed, maxLength)) + 1);
  std::vsnprintf(buf.data(), buf.size(), fmt, args);
  return std::string(buf.data(), buf.size() - 1);
}

std::string Formatted(int maxLength, const char* fmt, ...) WDL_PRINTF_FORMAT(2, 3);

std::string Formatted(int maxLength, const char* fmt, ...)
{
  va_list args;
  va_start(args, fmt);
  std::string str = FormatBounded(maxLength, fmt, args);
  va_end(args);
  return str;
}

constexpr float kPlaceHolderInset = 4.f;

} // namespace

// ---- text

ITextControl::ITextControl(const IRECT& bounds, const char* str, const IText& text, const IColor& bgColor,
                           bool setBoundsBasedOnStr)
: IControl(bounds)
, mStr(str ? str : "")
, mBGColor(bgColor)
, mSetBoundsBasedOnStr(setBoundsBasedOnStr)
{
  mText = text;
  mIgnoreMouse = true;
}

void ITextControl::Draw(IGraphics& g)
{
  g.FillRect(mBGColor, mRect, &mBlend);
  // While the text is edited in place, the entry shows it.
  if (!mStr.empty() && g.GetControlInTextEntry() != this)
    g.DrawText(mText, mStr.c_str(), mRect, &mBlend);
}

void ITextControl::OnInit()
{
  if (mSetBoundsBasedOnStr)
    SetBoundsBasedOnStr();
}

void ITextControl::SetBoundsBasedOnStr()
{
  // Only the surface can measure text.
  const IGraphics* pGraphics = GetUI();
  if (!pGraphics)
    return;
  IRECT measured = mRect;
  pGraphics->MeasureText(mText, mStr.c_str(), measured);
  SetTargetAndDrawRECTs(mRect.GetCentredInside(measured.W(), measured.H()));
  OnResize();
}

void ITextControl::SetStr(const char* str)
{
  const char* newStr = str ? str : "";
  if (mStr == newStr)
    return;
  mStr = newStr;
  if (mSetBoundsBasedOnStr)
    SetBoundsBasedOnStr();
  SetDirty(false);
}

void ITextControl::SetStrFmt(int maxLength, const char* fmt, ...)
{
  va_list args;
  va_start(args, fmt);
  mStr = FormatBounded(maxLength, fmt, args);
  va_end(args);
  SetDirty(false);
}

// ---- link

IURLControl::IURLControl(const IRECT& bounds, const char* str, const char* url, const IText& text,
                         const IColor& bgColor, const IColor& mouseOverColor, const IColor& clickedColor)
: ITextControl(bounds, str, text, bgColor)
, mURLStr(url ? url : "")
, mBaseColor(text.mFGColor)
, mMOColor(mouseOverColor)
, mCLColor(clickedColor)
{
  mIgnoreMouse = false;
}

void IURLControl::Draw(IGraphics& g)
{
  IText text = mText;
  text.mFGColor = mMouseIsOver ? mMOColor : (mClicked ? mCLColor : mBaseColor);

  g.FillRect(mBGColor, mRect, &mBlend);
  if (mStr.empty())
    return;

  // Measured at the origin, so the box gives the text's extent relative to its anchor.
  IRECT m;
  g.MeasureText(text, mStr.c_str(), m);

  float x1 = mRect.MW() + m.L;
  float x2 = mRect.MW() + m.R;
  if (text.mAlign == kAlignNear)
  {
    x1 = mRect.L;
    x2 = mRect.L + m.W();
  }
  else if (text.mAlign == kAlignFar)
  {
    x1 = mRect.R - m.W();
    x2 = mRect.R;
  }

  float y = mRect.T + m.B;
  if (text.mVAlign == kVAlignBottom)
    y = mRect.B;
  else if (text.mVAlign == kVAlignMiddle)
    y = mRect.MH() + m.B;

  g.DrawLine(text.mFGColor, x1, y, x2, y, &mBlend, 1.f);
  g.DrawText(text, mStr.c_str(), mRect, &mBlend);
}

void IURLControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (IGraphics* pGraphics = GetUI())
  {
    pGraphics->OpenURL(mURLStr.c_str());
    // The browser takes the focus; a capture kept now would never see its mouse-up.
    pGraphics->ReleaseMouseCapture();
  }
  mClicked = true;
}

void IURLControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (IGraphics* pGraphics = GetUI())
    pGraphics->SetMouseCursor(ECursor::HAND);
  ITextControl::OnMouseOver(x, y, mod);
}

void IURLControl::OnMouseOut()
{
  if (IGraphics* pGraphics = GetUI())
    pGraphics->SetMouseCursor(ECursor::ARROW);
  ITextControl::OnMouseOut();
}

void IURLControl::SetText(const IText& txt)
{
  ITextControl::SetText(txt);
  mBaseColor = txt.mFGColor;
}

// ---- text toggle

ITextToggleControl::ITextToggleControl(const IRECT& bounds, int paramIdx, const char* offText, const char* onText,
                                       const IText& text, const IColor& bgColor)
: ITextToggleControl(bounds, IActionFunction(), offText, onText, text, bgColor)
{
  mVals[0].idx = paramIdx;
}

ITextToggleControl::ITextToggleControl(const IRECT& bounds, IActionFunction action, const char* offText,
                                       const char* onText, const IText& text, const IColor& bgColor)
: ITextControl(bounds, offText, text, bgColor)
, mOffText(offText ? offText : "")
, mOnText(onText ? onText : "")
{
  mActionFunc = std::move(action);
  mDblAsSingleClick = true;
  mIgnoreMouse = false;
}

void ITextToggleControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  SetValue(GetValue(0) < 0.5 ? 1. : 0., 0);
  SetDirty(true, 0);
}

void ITextToggleControl::SetDirty(bool triggerAction, int /*valIdx*/)
{
  // SetStr marks dirty through this function again; by then the text is the same, so it stops.
  SetStr(GetValue(0) > 0.5 ? mOnText.c_str() : mOffText.c_str());
  ITextControl::SetDirty(triggerAction, kNoValIdx);
}

// ---- caption

ICaptionControl::ICaptionControl(const IRECT& bounds, int paramIdx, const IText& text, const IColor& bgColor,
                                 bool showParamLabel)
: ITextControl(bounds, "", text, bgColor)
, mShowParamLabel(showParamLabel)
{
  mVals[0].idx = paramIdx;
  mDisablePrompt = false;
  mIgnoreMouse = false;
  mDblAsSingleClick = true;
}

void ICaptionControl::Draw(IGraphics& g)
{
  if (const IParam* pParam = GetParam(0))
  {
    WDL_String display;
    if (mShowParamLabel)
      pParam->GetDisplayWithLabel(display);
    else
      pParam->GetDisplay(pParam->Value(), false, display);
    mStr = display.Get();
  }

  ITextControl::Draw(g);

  if (mTri.W() > 0.f)
    g.FillTriangle(mTriangleColors[mMouseIsOver ? 1 : 0], mTri.L, mTri.T, mTri.R, mTri.T, mTri.MW(), mTri.B,
                   mMouseIsOver ? nullptr : &BLEND_50);
}

void ICaptionControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& mod)
{
  if (mod.L || mod.R)
    PromptUserInput(mRect, 0);
}

void ICaptionControl::OnResize()
{
  const IParam* pParam = GetParam(0);
  if (!pParam || pParam->Type() != IParam::kTypeEnum)
  {
    mTri = IRECT();
    return;
  }
  // The marker sits at the end of the box away from right-aligned text.
  const float s = mText.mSize;
  const IRECT strip = mText.mAlign == kAlignFar ? IRECT(mRect.L, mRect.T, mRect.L + s, mRect.B)
                                                : IRECT(mRect.R - s, mRect.T, mRect.R, mRect.B);
  mTri = strip.GetCentredInside(s * 0.5f, s * 0.33f);
}

// ---- place holder

PlaceHolder::PlaceHolder(const IRECT& bounds, const char* str) : ITextControl(bounds, str, DEFAULT_TEXT, COLOR_WHITE)
{
  // Double-clicking renames it.
  mIgnoreMouse = false;
}

void PlaceHolder::Draw(IGraphics& g)
{
  const IColor& ink = mText.mFGColor;
  g.FillRect(mBGColor, mRect, &mBlend);
  g.DrawRect(ink, mRect, &mBlend);
  g.DrawLine(ink, mRect.L, mRect.T, mRect.R, mRect.B, &mBlend);
  g.DrawLine(ink, mRect.L, mRect.B, mRect.R, mRect.T, &mBlend);

  // Each text sits on a patch of the background so the diagonals do not run through it.
  const IRECT area = mRect.GetPadded(-kPlaceHolderInset);
  auto drawBoxed = [&](const std::string& str, ETextAlign align, ETextVAlign valign) {
    if (str.empty())
      return;
    IText text = mText;
    text.mAlign = align;
    text.mVAlign = valign;
    IRECT box = area;
    g.MeasureText(text, str.c_str(), box);
    g.FillRect(mBGColor, box.GetPadded(2.f), &BLEND_75);
    g.DrawText(text, str.c_str(), area, &mBlend);
  };

  if (g.GetControlInTextEntry() != this)
    drawBoxed(mStr, kAlignCenter, kVAlignMiddle);
  drawBoxed(mTLHCStr, kAlignNear, kVAlignTop);
  drawBoxed(mWidthStr, kAlignCenter, kVAlignTop);
  drawBoxed(mHeightStr, kAlignNear, kVAlignMiddle);
}

void PlaceHolder::OnResize()
{
  constexpr int kMaxFigureLength = 64;
  mTLHCStr = Formatted(kMaxFigureLength, "%0.1f, %0.1f", mRect.L, mRect.T);
  mWidthStr = Formatted(kMaxFigureLength, "%0.1f", mRect.W());
  mHeightStr = Formatted(kMaxFigureLength, "%0.1f", mRect.H());
}

void PlaceHolder::OnMouseDblClick(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (IGraphics* pGraphics = GetUI())
    pGraphics->CreateTextEntry(*this, mText, mRect, mStr.c_str(), kNoValIdx);
}

void PlaceHolder::OnTextEntryCompletion(const char* str, int /*valIdx*/)
{
  SetStr(str);
}

} // namespace igraphics
} // namespace iplug
