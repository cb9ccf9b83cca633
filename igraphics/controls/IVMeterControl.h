#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "igraphics/controls/IVTrackControlBase.h"
#include "iplug/IPlugPeakAvgSender.h"

namespace iplug
{
namespace igraphics
{

/** A level meter with one track per channel, fed by records that the audio side sends as control
    messages. On a logarithmic scale it marks the dB levels it was given. */
template <int MAXNC>
class IVMeterControl : public IVTrackControlBase
{
public:
  enum class EResponse : int32_t
  {
    Linear = 0,
    Log
  };

  /** The record of an update: one level per channel. */
  using Data = ISenderData<MAXNC, float>;
  static constexpr int kUpdateMessage = ISender<MAXNC>::kUpdateMessage;

  IVMeterControl(const IRECT& bounds, const char* label, const IVStyle& style = DEFAULT_STYLE,
                 EDirection dir = EDirection::Vertical, std::initializer_list<const char*> trackNames = {},
                 int totalNSegs = 0, EResponse response = EResponse::Log, float lowRangeDB = -60.f,
                 float highRangeDB = 12.f, std::initializer_list<int> markers = {0, -6, -12, -24, -48})
  : IVTrackControlBase(bounds, label, style, MAXNC, totalNSegs, dir, trackNames)
  , mHighRangeDB(highRangeDB)
  , mLowRangeDB(lowRangeDB)
  , mResponse(response)
  , mMarkers(markers)
  {}

  void Draw(IGraphics& g) override;
  /** Takes an update record; a record of another size, or naming a channel without a track, is
      dropped whole. */
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* pData) override;
  void DrawPeak(IGraphics& g, const IRECT& r, int chIdx, bool aboveBaseValue) override;

protected:
  /** Where a level in dB sits along a track: 0 at the low end of the range, 1 at the high end;
      not clamped. */
  double PositionForDB(double dB) const;
  /** Stores a position as the value of track chIdx; a position that is not a number, as from a
      broken level, leaves the track as it was. */
  void SetTrackPosition(int chIdx, double position);
  /** Hands every channel that an update record names to apply(channel, record), then redraws.
      Nothing happens while the meter is disabled or for another message; a record of another size,
      or one naming a channel without a track, is dropped whole. */
  template <typename Record, typename Apply>
  void TakeRecord(int msgTag, int dataSize, const void* pData, Apply apply);
  void DrawMarkers(IGraphics& g);

  float mHighRangeDB;
  float mLowRangeDB;
  EResponse mResponse;
  std::vector<int> mMarkers;
};

/** A meter that shows each channel's average level as the bar and its held peak as a thin line
    above it, in the warning colour once the peak passes the top of the range. Its scale is always
    logarithmic. */
template <int MAXNC>
class IVPeakAvgMeterControl : public IVMeterControl<MAXNC>
{
public:
  /** The peak meter sender's record. */
  using Data = ISenderData<MAXNC, IPeakAvg>;

  IVPeakAvgMeterControl(const IRECT& bounds, const char* label, const IVStyle& style = DEFAULT_STYLE,
                        EDirection dir = EDirection::Vertical, std::initializer_list<const char*> trackNames = {},
                        int totalNSegs = 0, float lowRangeDB = -60.f, float highRangeDB = 12.f,
                        std::initializer_list<int> markers = {0, -6, -12, -24, -48})
  : IVMeterControl<MAXNC>(bounds, label, style, dir, trackNames, totalNSegs, IVMeterControl<MAXNC>::EResponse::Log,
                          lowRangeDB, highRangeDB, markers)
  {}

  void OnMsgFromDelegate(int msgTag, int dataSize, const void* pData) override;
  void DrawPeak(IGraphics& g, const IRECT& r, int chIdx, bool aboveBaseValue) override;

protected:
  std::array<float, MAXNC> mPeakPositions{};
};

// The editor's stereo meter; the definitions live with the drawing code.
extern template class IVMeterControl<2>;
extern template class IVPeakAvgMeterControl<2>;

} // namespace igraphics
} // namespace iplug
