#include "igraphics/controls/IVGroupControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

IVGroupControl::IVGroupControl(const IRECT& bounds, const char* label, float labelOffset, const IVStyle& style,
                               IContainerFunction attachFunc, IContainerFunction resizeFunc)
: IContainerBase(bounds, std::move(attachFunc), std::move(resizeFunc))
, IVectorBase(style)
, mLabelOffset(labelOffset)
{
  AttachIControl(this, label);
}

IVGroupControl::IVGroupControl(const char* label, const char* groupName, float padL, float padT, float padR, float padB,
                               const IVStyle& style)
: IContainerBase(IRECT())
, IVectorBase(style)
, mGroupName(groupName ? groupName : "")
, mPadL(padL)
, mPadT(padT)
, mPadR(padR)
, mPadB(padB)
{
  AttachIControl(this, label);
}

void IVGroupControl::OnInit()
{
  if (mGroupName.GetLength() > 0)
    SetBoundsBasedOnGroup(mGroupName.Get(), mPadL, mPadT, mPadR, mPadB);
}

void IVGroupControl::SetBoundsBasedOnGroup(const char* groupName, float padL, float padT, float padR, float padB)
{
  mGroupName.Set(groupName ? groupName : "");
  IRECT united;
  if (IGraphics* pGraphics = GetUI())
    pGraphics->ForControlInGroup(mGroupName.Get(),
                                 [&united](IControl* pControl) { united = united.Union(pControl->GetRECT()); });
  mRect = IRECT(united.L - padL, united.T - padT, united.R + padR, united.B + padB);
  OnResize();
}

float IVGroupControl::CornerRadius() const
{
  return mStyle.roundness * std::min(mWidgetBounds.W(), mWidgetBounds.H()) / 2.f;
}

void IVGroupControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect));
  const float ft = mStyle.frameThickness;
  // The frame's top line runs through the middle of the caption.
  mWidgetBounds.T -= mLabelBounds.H() / 2.f + ft / 2.f;
  if (!mLabelBounds.Empty())
  {
    // The caption sits in a gap of the top line, clear of the top-left corner's arc.
    const float w = mLabelBounds.W() + 2.f * mLabelPadding;
    const float l = mRect.L + ft + mLabelOffset + CornerRadius();
    mLabelBounds = IRECT(l, mLabelBounds.T, l + w, mLabelBounds.B);
  }
  SetDirty(false);
}

void IVGroupControl::Draw(IGraphics& g)
{
  DrawLabel(g);
  DrawWidget(g);
}

void IVGroupControl::DrawWidget(IGraphics& g)
{
  const IRECT& w = mWidgetBounds;
  const float ft = mStyle.frameThickness;
  const float cr = CornerRadius();
  const float inset = cr + ft / 2.f;
  const float lineY = w.T + ft / 2.f;
  // Without a caption the open ends meet at the top centre, closing the frame.
  const bool hasCaption = !mLabelBounds.Empty();
  const float startX = hasCaption ? mLabelBounds.R : mRect.MW();
  const float endX = hasCaption ? mLabelBounds.L : mRect.MW();

  g.PathClear();
  g.PathMoveTo(startX, lineY);
  g.PathArc(w.R - inset, w.T + inset, cr, 0.f, 90.f);
  g.PathArc(w.R - inset, w.B - inset, cr, 90.f, 180.f);
  g.PathArc(w.L + inset, w.B - inset, cr, 180.f, 270.f);
  g.PathArc(w.L + inset, w.T + inset, cr, 270.f, 360.f);
  g.PathLineTo(endX, lineY);
  g.PathStroke(IPattern(GetColor(mStyle.drawShadows ? kSH : kFR)), ft, IStrokeOptions(), &mBlend);
}

} // namespace igraphics
} // namespace iplug
