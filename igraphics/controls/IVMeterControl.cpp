#include "igraphics/controls/IVMeterControl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// 20 / ln(10): dB from the natural log. A silent level gives minus infinity.
double AmpToDB(double amp)
{
  return std::log(std::fabs(amp)) * 8.685889638065037;
}

} // namespace

template <int MAXNC>
double IVMeterControl<MAXNC>::PositionForDB(double dB) const
{
  return (dB + std::fabs(mLowRangeDB)) / std::fabs(mHighRangeDB - mLowRangeDB);
}

template <int MAXNC>
void IVMeterControl<MAXNC>::SetTrackPosition(int chIdx, double position)
{
  if (!std::isnan(position))
    SetValue(std::clamp(position, 0., 1.), chIdx);
}

template <int MAXNC>
template <typename Record, typename Apply>
void IVMeterControl<MAXNC>::TakeRecord(int msgTag, int dataSize, const void* pData, Apply apply)
{
  if (msgTag != kUpdateMessage || IsDisabled())
    return;
  if (!pData || dataSize != static_cast<int>(sizeof(Record)))
    return;
  // Copied rather than cast: the message's bytes carry no alignment promise.
  Record record;
  std::memcpy(&record, pData, sizeof(Record));

  if (record.nChans >= 1)
  {
    // Only channels that have both a track and a level in the record are read.
    const int nTracks = std::min(NVals(), MAXNC);
    const int first = record.chanOffset;
    if (first < 0 || first >= nTracks || record.nChans > nTracks - first)
      return;
    for (int c = first; c < first + record.nChans; ++c)
      apply(c, record);
  }
  SetDirty(false);
}

template <int MAXNC>
void IVMeterControl<MAXNC>::OnMsgFromDelegate(int msgTag, int dataSize, const void* pData)
{
  TakeRecord<Data>(msgTag, dataSize, pData, [this](int c, const Data& d) {
    const double level = d.vals[c];
    SetTrackPosition(c, mResponse == EResponse::Log ? PositionForDB(AmpToDB(level)) : level);
  });
}

template <int MAXNC>
void IVMeterControl<MAXNC>::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawWidget(g);
  DrawLabel(g);
  if (mResponse == EResponse::Log)
    DrawMarkers(g);
  DrawWidgetFrame(g);
}

template <int MAXNC>
void IVMeterControl<MAXNC>::DrawMarkers(IGraphics& g)
{
  const IRECT& w = mWidgetBounds;
  for (const int marker : mMarkers)
  {
    const float p = static_cast<float>(PositionForDB(marker));
    IRECT labelBounds;
    if (mDirection == EDirection::Vertical)
    {
      const float y = w.B - p * w.H();
      g.DrawLine(GetColor(kHL), w.L, y, w.R, y);
      labelBounds = IRECT(w.L, y, w.R, y + 10.f);
    }
    else
    {
      const float x = w.L + p * w.W();
      g.DrawLine(GetColor(kHL), x - 5.f, w.T, x - 5.f, w.B);
      labelBounds = IRECT(x - 10.f, w.T, x, w.B);
    }

    if (mStyle.showValue)
    {
      char str[32];
      std::snprintf(str, sizeof(str), "%i dB", marker);
      g.DrawText(DEFAULT_TEXT, str, labelBounds);
    }
  }
}

template <int MAXNC>
void IVMeterControl<MAXNC>::DrawPeak(IGraphics& g, const IRECT& r, int /*chIdx*/, bool /*aboveBaseValue*/)
{
  g.FillRect(GetColor(kX1), r, &mBlend);
}

template <int MAXNC>
void IVPeakAvgMeterControl<MAXNC>::OnMsgFromDelegate(int msgTag, int dataSize, const void* pData)
{
  this->template TakeRecord<Data>(msgTag, dataSize, pData, [this](int c, const Data& d) {
    this->SetTrackPosition(c, this->PositionForDB(AmpToDB(d.vals[c].avg)));
    const double peak = this->PositionForDB(AmpToDB(d.vals[c].peak));
    if (!std::isnan(peak))
      mPeakPositions[c] = static_cast<float>(peak);
  });
}

template <int MAXNC>
void IVPeakAvgMeterControl<MAXNC>::DrawPeak(IGraphics& g, const IRECT& r, int chIdx, bool /*aboveBaseValue*/)
{
  const float q = mPeakPositions[chIdx];
  // Below this the channel is silent and shows no peak.
  if (q < 0.0001f)
    return;

  const float top = std::min(q, 1.f);
  const IRECT& w = this->mWidgetBounds;
  const float size = this->mPeakSize;
  IRECT peak;
  if (this->mDirection == EDirection::Vertical)
  {
    const float y = w.B - top * w.H();
    peak = IRECT(r.L, y, r.R, y + size);
  }
  else
  {
    const float x = w.L + top * w.W();
    peak = IRECT(x - size, r.T, x, r.B);
  }
  g.FillRect(this->GetColor(q > 1.f ? kX2 : kX1), peak, &this->mBlend);
}

template class IVMeterControl<2>;
template class IVPeakAvgMeterControl<2>;

} // namespace igraphics
} // namespace iplug
