#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "igraphics/IControlBases.h"
#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/IGraphicsLook.h"

namespace iplug
{
namespace igraphics
{

/** Which paint of a single SVG image the state colour replaces. */
enum class EColorReplacement : int32_t
{
  None = 0,
  Fill,
  Stroke
};

/** A momentary button drawn from one image per state, or from one image recoloured per state.
    The colours are in the order off, on, off with the mouse over, on with the mouse over. */
class ISVGButtonControl : public IButtonControlBase
{
public:
  ISVGButtonControl(const IRECT& bounds, IActionFunction action, const ISVG& offImage, const ISVG& onImage);
  ISVGButtonControl(const IRECT& bounds, IActionFunction action, const ISVG& image, std::array<IColor, 4> colors,
                    EColorReplacement replacement);

  void Draw(IGraphics& g) override;

protected:
  ISVG mOffSVG;
  ISVG mOnSVG;
  std::array<IColor, 4> mColors;
  EColorReplacement mColorReplacement;
};

/** A two-state toggle drawn like the SVG button. */
class ISVGToggleControl : public ISwitchControlBase
{
public:
  ISVGToggleControl(const IRECT& bounds, IActionFunction action, const ISVG& offImage, const ISVG& onImage);
  ISVGToggleControl(const IRECT& bounds, int paramIdx, const ISVG& offImage, const ISVG& onImage);
  ISVGToggleControl(const IRECT& bounds, IActionFunction action, const ISVG& image, std::array<IColor, 4> colors,
                    EColorReplacement replacement);
  ISVGToggleControl(const IRECT& bounds, int paramIdx, const ISVG& image, std::array<IColor, 4> colors,
                    EColorReplacement replacement);

  void Draw(IGraphics& g) override;

protected:
  ISVG mOffSVG;
  ISVG mOnSVG;
  std::array<IColor, 4> mColors;
  EColorReplacement mColorReplacement;
};

/** A switch with one image per state. */
class ISVGSwitchControl : public ISwitchControlBase
{
public:
  ISVGSwitchControl(const IRECT& bounds, std::initializer_list<ISVG> images, int paramIdx, IActionFunction action);

  void Draw(IGraphics& g) override;

protected:
  std::vector<ISVG> mSVGs;
};

/** A knob that turns one image; angles are degrees clockwise, 0 leaves the image upright. */
class ISVGKnobControl : public IKnobControlBase
{
public:
  ISVGKnobControl(const IRECT& bounds, const ISVG& image, int paramIdx);

  void Draw(IGraphics& g) override;
  void SetSVG(const ISVG& image);

protected:
  ISVG mSVG;
  float mStartAngle = -135.f;
  float mEndAngle = 135.f;
};

/** A handle image moving along a track image, both scaled to fit the control along its direction.
    A vertical handle rests at the track's top at 1; a horizontal one at the track's right end. */
class ISVGSliderControl : public ISliderControlBase
{
public:
  ISVGSliderControl(const IRECT& bounds, const ISVG& handleImage, const ISVG& trackImage, int paramIdx, EDirection dir,
                    double gearing);

  void Draw(IGraphics& g) override;
  void OnResize() override;

  /** Where the handle is drawn at the value; a negative value means the current one. */
  IRECT GetHandleBounds(double value) const;

protected:
  IRECT mTrackSVGBounds;
  IRECT mHandleBounds;
  ISVG mHandleSVG;
  ISVG mTrackSVG;
};

} // namespace igraphics
} // namespace iplug
