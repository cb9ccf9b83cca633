#pragma once

#include <cstdint>

#include "igraphics/IControlBases.h"
#include "igraphics/IImageControlBases.h"
#include "igraphics/ITextControl.h"

namespace iplug
{
namespace igraphics
{

/** A momentary button: its last frame shows while it is pressed. */
class IBButtonControl : public IButtonControlBase, public IBitmapBase
{
public:
  /** One frame in size, with its top-left at (x, y). */
  IBButtonControl(float x, float y, const IBitmap& bitmap, IActionFunction action);
  /** One frame in size, centred in bounds. */
  IBButtonControl(const IRECT& bounds, const IBitmap& bitmap, IActionFunction action);

  void Draw(IGraphics& g) override { DrawBitmap(g); }
  void OnRescale() override { RescaleBitmap(); }
};

/** A switch with one state per frame; each click shows the next frame, after the last the first. */
class IBSwitchControl : public ISwitchControlBase, public IBitmapBase
{
public:
  IBSwitchControl(float x, float y, const IBitmap& bitmap, int paramIdx = kNoParameter);
  IBSwitchControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx = kNoParameter);

  void Draw(IGraphics& g) override { DrawBitmap(g); }
  void OnRescale() override { RescaleBitmap(); }
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
};

/** A handle bitmap moving along a track, drawn over an optional track bitmap. */
class IBSliderControl : public ISliderControlBase, public IBitmapBase
{
public:
  /** Vertical: as wide as the handle bitmap and trackLength high; horizontal: trackLength wide and
      as high as the handle bitmap. */
  IBSliderControl(float x, float y, float trackLength, const IBitmap& handleBitmap, const IBitmap& trackBitmap,
                  int paramIdx = kNoParameter, EDirection dir = EDirection::Vertical, double gearing = 4.);
  IBSliderControl(const IRECT& bounds, const IBitmap& handleBitmap, const IBitmap& trackBitmap,
                  int paramIdx = kNoParameter, EDirection dir = EDirection::Vertical, double gearing = 4.);

  void Draw(IGraphics& g) override;
  void OnRescale() override;
  void OnResize() override;

  /** Where the handle is drawn for value; a negative value means the current one. Value 1 puts it
      at the top (vertical) or the right end (horizontal) of the track. */
  IRECT GetHandleBounds(double value = -1.) const;

protected:
  IBitmap mTrackBitmap;
};

/** A line of text drawn character by character from the frames of a bitmap font. */
class IBTextControl : public ITextControl, public IBitmapBase
{
public:
  IBTextControl(const IRECT& bounds, const IBitmap& bitmap, const IText& text = DEFAULT_TEXT, const char* str = "",
                int charWidth = 6, int charHeight = 12, int charOffset = 0, bool multiLine = false, bool vCentre = true,
                EBlend blend = EBlend::Default);

  void Draw(IGraphics& g) override;
  void OnRescale() override { RescaleBitmap(); }

protected:
  int32_t mCharWidth;
  int32_t mCharHeight;
  int32_t mCharOffset;
  bool mMultiLine;
  bool mVCentre;
};

/** A knob showing the frame for its value. */
class IBKnobControl : public IKnobControlBase, public IBitmapBase
{
public:
  /** One frame in size, with its top-left at (x, y). */
  IBKnobControl(float x, float y, const IBitmap& bitmap, int paramIdx = kNoParameter,
                EDirection direction = EDirection::Vertical, double gearing = 4.);
  /** One frame in size, centred in bounds. */
  IBKnobControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx = kNoParameter,
                EDirection direction = EDirection::Vertical, double gearing = 4.);

  void Draw(IGraphics& g) override { DrawBitmap(g); }
  void OnRescale() override { RescaleBitmap(); }
};

/** A knob that turns one image about the control's centre, from -130 degrees at 0 to +130 at 1. */
class IBKnobRotaterControl : public IBKnobControl
{
public:
  using IBKnobControl::IBKnobControl;

  void Draw(IGraphics& g) override;
};

/** A meter showing the frame for the level that the audio side sends it in update records. */
class IBMeterControl : public IBitmapControl
{
public:
  enum class EResponse : int32_t
  {
    Linear = 0,
    Log
  };

  IBMeterControl(float x, float y, const IBitmap& bitmap, EResponse response = EResponse::Linear,
                 float lowRangeDB = -60.f, float highRangeDB = 12.f);

  /** Takes an update record (message 0) while enabled; a shorter message reads as silence on the
      first channel. Only channels that have a value slot here and a level in the record are read,
      and a level that is not a number leaves its value as it was. */
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* pData) override;

protected:
  EResponse mResponse;
  float mLowRangeDB;
  float mHighRangeDB;
};

} // namespace igraphics
} // namespace iplug
