#include "igraphics/controls/IVLabelControl.h"

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

IVLabelControl::IVLabelControl(const IRECT& bounds, const char* label, const IVStyle& style)
: ITextControl(bounds, label, style.valueText)
, IVectorBase(style)
{
  AttachIControl(this, label);
}

void IVLabelControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  if (!mStr.empty())
  {
    if (mStyle.drawShadows && !IsDisabled())
    {
      IText shadowText = mStyle.valueText;
      shadowText.mFGColor = GetColor(kSH);
      g.DrawText(shadowText, mStr.c_str(), mRect.GetTranslated(mStyle.shadowOffset, mStyle.shadowOffset), &mBlend);
    }
    g.DrawText(mStyle.valueText, mStr.c_str(), mRect, &mBlend);
  }
  if (mStyle.drawFrame)
    g.DrawRect(GetColor(kFR), mRect, &mBlend, mStyle.frameThickness);
}

} // namespace igraphics
} // namespace iplug
