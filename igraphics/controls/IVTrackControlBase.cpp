#include "igraphics/controls/IVTrackControlBase.h"

#include <algorithm>
#include <cmath>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// Steps share their edges, so a fill ending exactly on one still finds a step.
bool ContainsInclusive(const IRECT& r, float x, float y)
{
  return x >= r.L && x <= r.R && y >= r.T && y <= r.B;
}

} // namespace

IVTrackControlBase::IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style, int maxNTracks,
                                       int totalNSegs, EDirection direction,
                                       std::initializer_list<const char*> trackNames)
: IControl(bounds)
, IVectorBase(style, false, false)
, mDirection(direction)
, mStepCount(totalNSegs)
{
  mVals.assign(static_cast<size_t>(std::max(maxNTracks, 0)), ParamTuple{});
  Init(label, trackNames);
}

IVTrackControlBase::IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style,
                                       std::initializer_list<int> params, int totalNSegs, EDirection direction,
                                       std::initializer_list<const char*> trackNames)
: IControl(bounds, params)
, IVectorBase(style, false, false)
, mDirection(direction)
, mStepCount(totalNSegs)
{
  Init(label, trackNames);
}

void IVTrackControlBase::Init(const char* label, std::initializer_list<const char*> trackNames)
{
  AttachIControl(this, label);
  mText = mStyle.valueText;
  mTrackBounds.resize(static_cast<size_t>(NVals()));
  for (const char* name : trackNames)
    mTrackNames.emplace_back(name);
}

void IVTrackControlBase::OnMouseOver(float x, float y, const IMouseMod& /*mod*/)
{
  mMouseOverTrack = GetValIdxForPos(x, y);
  SetDirty(false);
}

void IVTrackControlBase::OnMouseOut()
{
  mMouseOverTrack = kNoValIdx;
  SetDirty(false);
}

void IVTrackControlBase::OnResize()
{
  SetTargetRECT(MakeRects(mRect, false));
  MakeTrackRects(mWidgetBounds);
  MakeStepRects(mWidgetBounds, mStepCount);
  SetDirty(false);
}

int IVTrackControlBase::GetValIdxForPos(float x, float y) const
{
  const int n = std::min(NVals(), static_cast<int>(mTrackBounds.size()));
  for (int i = 0; i < n; ++i)
    if (mTrackBounds[i].Contains(x, y))
      return i;
  return kNoValIdx;
}

void IVTrackControlBase::MakeTrackRects(const IRECT& r)
{
  const int n = NVals();
  mTrackBounds.resize(static_cast<size_t>(n));
  if (n == 0)
    return;

  const float p = mTrackInset;
  if (mDirection == EDirection::Vertical)
  {
    const float w = r.W() / n;
    for (int i = 0; i < n; ++i)
      mTrackBounds[i] = IRECT(r.L + i * w, r.T, r.L + (i + 1) * w - p, r.B - p);
  }
  else
  {
    const float h = r.H() / n;
    for (int i = 0; i < n; ++i)
      mTrackBounds[i] = IRECT(r.L, r.T + i * h + p, r.R, r.T + (i + 1) * h - p);
  }
}

void IVTrackControlBase::MakeStepRects(const IRECT& r, int nSteps)
{
  mStepBounds.clear();
  if (nSteps <= 0)
    return;

  // The extra step is the one a zero value lights.
  const int total = mZeroValueStepHasBounds ? nSteps + 1 : nSteps;
  mStepBounds.resize(static_cast<size_t>(total));
  for (int k = 0; k < total; ++k)
  {
    const int slice = total - 1 - k;
    if (mDirection == EDirection::Vertical)
    {
      const float h = r.H() / total;
      mStepBounds[k] = IRECT(r.L, r.T + slice * h, r.R, r.T + (slice + 1) * h);
    }
    else
    {
      const float w = r.W() / total;
      mStepBounds[k] = IRECT(r.L + slice * w, r.T, r.L + (slice + 1) * w, r.B);
    }
  }
}

void IVTrackControlBase::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawWidget(g);
  DrawLabel(g);
  DrawWidgetFrame(g);
}

void IVTrackControlBase::DrawWidgetFrame(IGraphics& g)
{
  if (mStyle.drawFrame)
    g.DrawRect(GetColor(kFR), mWidgetBounds, &mBlend, mStyle.frameThickness);
}

void IVTrackControlBase::DrawBackground(IGraphics& g, const IRECT& r)
{
  IVectorBase::DrawBackground(g, r);
  if (mBaseValue <= 0.)
    return;

  const double b = std::clamp(mBaseValue, 0., 1.);
  if (mDirection == EDirection::Horizontal)
  {
    // On a whole pixel, so the line stays one pixel wide.
    const float x = r.L + std::trunc(r.W() * static_cast<float>(b));
    g.DrawLine(GetColor(kSH), x, r.T, x, r.B);
  }
  else
  {
    const float y = r.B - static_cast<float>(b) * r.H();
    g.DrawLine(GetColor(kSH), r.L, y, r.R, y);
  }
}

void IVTrackControlBase::DrawWidget(IGraphics& g)
{
  const int n = std::min(NVals(), static_cast<int>(mTrackBounds.size()));
  for (int i = 0; i < n; ++i)
    DrawTrack(g, mTrackBounds[i], i);
}

void IVTrackControlBase::DrawTrack(IGraphics& g, const IRECT& r, int chIdx)
{
  DrawTrackBackground(g, r, chIdx);
  if (!mTrackNames.empty())
    DrawTrackName(g, r, chIdx);

  const double value = GetValue(chIdx);
  const bool aboveBaseValue = mBaseValue < value;
  const IRECT fill = FillBounds(r, value);
  if (mStepBounds.empty())
  {
    DrawTrackHandle(g, fill, chIdx, aboveBaseValue);
    DrawPeak(g, PeakBounds(fill, value), chIdx, aboveBaseValue);
  }
  else if (mZeroValueStepHasBounds || value > 0.)
  {
    DrawTrackHandle(g, StepFillBounds(fill, value), chIdx, aboveBaseValue);
  }

  if (mStyle.drawFrame && mDrawTrackFrame)
    g.DrawRect(GetColor(kFR), r, &mBlend, mStyle.frameThickness);
}

IRECT IVTrackControlBase::FillBounds(const IRECT& r, double value) const
{
  const float lo = static_cast<float>(mBaseValue > 0. ? std::min(mBaseValue, value) : 0.);
  const float hi = static_cast<float>(mBaseValue > 0. ? std::max(mBaseValue, value) : value);
  if (mDirection == EDirection::Vertical)
    return IRECT(r.L, r.B - hi * r.H(), r.R, r.B - lo * r.H());
  return IRECT(r.L + lo * r.W(), r.T, r.L + hi * r.W(), r.B);
}

IRECT IVTrackControlBase::PeakBounds(const IRECT& fill, double value) const
{
  const bool atTop = value >= mBaseValue;
  if (mDirection == EDirection::Vertical)
    return atTop ? IRECT(fill.L, fill.T, fill.R, fill.T + mPeakSize)
                 : IRECT(fill.L, fill.B - mPeakSize, fill.R, fill.B);
  return atTop ? IRECT(fill.R - mPeakSize, fill.T, fill.R, fill.B) : IRECT(fill.L, fill.T, fill.L + mPeakSize, fill.B);
}

IRECT IVTrackControlBase::StepFillBounds(IRECT fill, double value) const
{
  if (mBaseValue <= 0. && mDirection == EDirection::Vertical && mZeroValueStepHasBounds && value == 0.)
    fill.T = mStepBounds.front().T;

  for (const IRECT& step : mStepBounds)
  {
    if (!ContainsInclusive(step, fill.R, fill.T))
      continue;
    if (mDirection == EDirection::Vertical)
    {
      fill.T = step.T;
      fill.B = step.B;
    }
    else
    {
      fill.L = step.L;
      fill.R = step.R;
    }
    break;
  }
  return fill;
}

void IVTrackControlBase::DrawTrackBackground(IGraphics& g, const IRECT& r, int chIdx)
{
  g.FillRect(chIdx == mHighlightedTrack ? GetColor(kHL) : COLOR_TRANSPARENT, r);
}

void IVTrackControlBase::DrawTrackName(IGraphics& g, const IRECT& r, int chIdx)
{
  if (chIdx < 0 || chIdx >= static_cast<int>(mTrackNames.size()))
    return;
  const WDL_String& name = mTrackNames[chIdx];
  if (name.GetLength() > 0)
    g.DrawText(mText, name.Get(), r);
}

void IVTrackControlBase::DrawTrackHandle(IGraphics& g, const IRECT& r, int chIdx, bool /*aboveBaseValue*/)
{
  g.FillRect(chIdx == mHighlightedTrack ? GetColor(kX1) : GetColor(kFG), r, &mBlend);
  if (chIdx == mMouseOverTrack)
    g.FillRect(GetColor(kHL), r, &mBlend);
}

void IVTrackControlBase::DrawPeak(IGraphics& g, const IRECT& r, int /*chIdx*/, bool /*aboveBaseValue*/)
{
  g.FillRect(GetColor(kFR), r, &mBlend);
}

} // namespace igraphics
} // namespace iplug
