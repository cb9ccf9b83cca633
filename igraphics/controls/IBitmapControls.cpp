#include "igraphics/controls/IBitmapControls.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "igraphics/IGraphics.h"
#include "iplug/IPlugPeakAvgSender.h"

namespace iplug
{
namespace igraphics
{

// ---- button

IBButtonControl::IBButtonControl(float x, float y, const IBitmap& bitmap, IActionFunction action)
: IButtonControlBase(FrameBoundsAt(x, y, bitmap), std::move(action))
, IBitmapBase(bitmap)
{
  mControl = this;
}

IBButtonControl::IBButtonControl(const IRECT& bounds, const IBitmap& bitmap, IActionFunction action)
: IButtonControlBase(FrameBoundsIn(bounds, bitmap), std::move(action))
, IBitmapBase(bitmap)
{
  mControl = this;
}

// ---- switch

IBSwitchControl::IBSwitchControl(float x, float y, const IBitmap& bitmap, int paramIdx)
: IBSwitchControl(FrameBoundsAt(x, y, bitmap), bitmap, paramIdx)
{}

IBSwitchControl::IBSwitchControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx)
: ISwitchControlBase(FrameBoundsIn(bounds, bitmap), paramIdx, nullptr, bitmap.N())
, IBitmapBase(bitmap)
{
  mControl = this;
}

void IBSwitchControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  const int n = mBitmap.N();
  double value = GetValue(0) + (n < 2 ? 1. : 1. / (n - 1));
  // The tolerance keeps the last frame reachable through the rounding of the summed steps; a
  // value that is not a number starts over too.
  if (!(value <= 1.001))
    value = 0.;
  SetValue(value, 0);
  SetDirty(true);
}

// ---- slider

namespace
{

IRECT SliderBounds(float x, float y, float trackLength, const IBitmap& handleBitmap, EDirection dir)
{
  if (dir == EDirection::Vertical)
    return IRECT(x, y, x + handleBitmap.W(), y + trackLength);
  return IRECT(x, y, x + trackLength, y + handleBitmap.H());
}

} // namespace

IBSliderControl::IBSliderControl(float x, float y, float trackLength, const IBitmap& handleBitmap,
                                 const IBitmap& trackBitmap, int paramIdx, EDirection dir, double gearing)
: IBSliderControl(SliderBounds(x, y, trackLength, handleBitmap, dir), handleBitmap, trackBitmap, paramIdx, dir, gearing)
{}

IBSliderControl::IBSliderControl(const IRECT& bounds, const IBitmap& handleBitmap, const IBitmap& trackBitmap,
                                 int paramIdx, EDirection dir, double gearing)
: ISliderControlBase(bounds, paramIdx, dir, gearing,
                     static_cast<float>(dir == EDirection::Vertical ? handleBitmap.FH() : handleBitmap.FW()))
, IBitmapBase(handleBitmap)
, mTrackBitmap(trackBitmap)
{
  mControl = this;
}

void IBSliderControl::OnRescale()
{
  RescaleBitmap();
  if (IGraphics* pGraphics = GetUI())
    mTrackBitmap = ScaledBitmap(*pGraphics, mTrackBitmap);
}

void IBSliderControl::OnResize()
{
  if (mTrackBitmap.IsValid())
    mTrackBounds = FrameBoundsIn(mRect, mTrackBitmap);
  else if (mDirection == EDirection::Vertical)
    mTrackBounds = mRect.GetCentredInside(static_cast<float>(mBitmap.W()), mRect.H());
  else
    mTrackBounds = mRect.GetCentredInside(mRect.W(), static_cast<float>(mBitmap.H()));
  SetDirty(false);
}

IRECT IBSliderControl::GetHandleBounds(double value) const
{
  if (value < 0.)
    value = GetValue(0);
  float x = mTrackBounds.L;
  float y = mTrackBounds.T;
  if (mDirection == EDirection::Vertical)
    y += static_cast<float>((mTrackBounds.H() - mBitmap.H()) * (1. - value));
  else
    x += static_cast<float>((mTrackBounds.W() - mBitmap.W()) * value);
  return FrameBoundsAt(x, y, mBitmap);
}

void IBSliderControl::Draw(IGraphics& g)
{
  if (mTrackBitmap.IsValid())
    g.DrawBitmap(mTrackBitmap, FrameBoundsIn(mRect, mTrackBitmap), 1, &mBlend);
  g.DrawBitmap(mBitmap, GetHandleBounds(), 1, &mBlend);
}

// ---- text

IBTextControl::IBTextControl(const IRECT& bounds, const IBitmap& bitmap, const IText& text, const char* str,
                             int charWidth, int charHeight, int charOffset, bool multiLine, bool vCentre, EBlend blend)
: ITextControl(bounds, str, text, DEFAULT_BGCOLOR)
, IBitmapBase(bitmap)
, mCharWidth(charWidth)
, mCharHeight(charHeight)
, mCharOffset(charOffset)
, mMultiLine(multiLine)
, mVCentre(vCentre)
{
  mControl = this;
  mBlend = IBlend(blend, 1.f);
}

void IBTextControl::Draw(IGraphics& g)
{
  g.DrawBitmapedText(mBitmap, mRect, mText, &mBlend, mStr.c_str(), mVCentre, mMultiLine, mCharWidth, mCharHeight,
                     mCharOffset);
}

// ---- knobs

IBKnobControl::IBKnobControl(float x, float y, const IBitmap& bitmap, int paramIdx, EDirection direction,
                             double gearing)
: IBKnobControl(FrameBoundsAt(x, y, bitmap), bitmap, paramIdx, direction, gearing)
{}

IBKnobControl::IBKnobControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx, EDirection direction,
                             double gearing)
: IKnobControlBase(FrameBoundsIn(bounds, bitmap), paramIdx, direction, gearing)
, IBitmapBase(bitmap)
{
  mControl = this;
}

void IBKnobRotaterControl::Draw(IGraphics& g)
{
  const double angle = GetValue(0) * 260. - 130.;
  g.DrawRotatedBitmap(mBitmap, mRect.MW(), mRect.MH(), angle, &mBlend);
}

// ---- meter

namespace
{

// The sender's update record: tag, channel count, first channel, and one level for each of two
// channels, 20 bytes.
using MeterRecord = ISenderData<2, float>;
static_assert(sizeof(MeterRecord) == 20, "the meter reads 20-byte update records");

} // namespace

IBMeterControl::IBMeterControl(float x, float y, const IBitmap& bitmap, EResponse response, float lowRangeDB,
                               float highRangeDB)
: IBitmapControl(x, y, bitmap)
, mResponse(response)
, mLowRangeDB(lowRangeDB)
, mHighRangeDB(highRangeDB)
{}

void IBMeterControl::OnMsgFromDelegate(int msgTag, int dataSize, const void* pData)
{
  if (msgTag != ISender<>::kUpdateMessage || IsDisabled())
    return;

  MeterRecord record(-1, 1, 0);
  if (pData && dataSize >= static_cast<int>(sizeof(MeterRecord)))
    // Copied rather than cast: the message's bytes carry no alignment promise.
    std::memcpy(&record, pData, sizeof(MeterRecord));

  // The record's channel numbers come from elsewhere; wide arithmetic keeps their sum from
  // overflowing, and the range is cut to the channels that have both a slot and a level.
  const long long nSlots = std::min<long long>(NVals(), static_cast<long long>(record.vals.size()));
  const long long first = std::max<long long>(record.chanOffset, 0);
  const long long end = std::min<long long>(static_cast<long long>(record.chanOffset) + record.nChans, nSlots);
  for (long long c = first; c < end; ++c)
  {
    const double x = record.vals[static_cast<size_t>(c)];
    const double position = mResponse == EResponse::Linear ? x
                                                           : (20. * std::log10(std::fabs(x)) + std::fabs(mLowRangeDB)) /
                                                               std::fabs(mHighRangeDB - mLowRangeDB);
    if (!std::isnan(position))
      SetValue(std::clamp(position, 0., 1.), static_cast<int>(c));
  }
  SetDirty(false);
}

} // namespace igraphics
} // namespace iplug
