#include "igraphics/controls/ISVGControls.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// With two images nothing is recoloured, so the colours only need to be defined.
constexpr std::array<IColor, 4> kUnusedColors{COLOR_BLACK, COLOR_BLACK, COLOR_BLACK, COLOR_BLACK};

// The button and the toggle look alike: they differ only in how the value comes about.
void DrawOnOffSVG(IGraphics& g, const IControl& control, const ISVG& offImage, const ISVG& onImage,
                  const std::array<IColor, 4>& colors, EColorReplacement replacement)
{
  const bool on = control.GetValue() > 0.5;
  const IColor& color = colors[(on ? 1 : 0) + (control.GetMouseIsOver() ? 2 : 0)];
  g.DrawSVG(on ? onImage : offImage, control.GetRECT(), &control.GetBlend(),
            replacement == EColorReplacement::Stroke ? &color : nullptr,
            replacement == EColorReplacement::Fill ? &color : nullptr);
}

} // namespace

// ---- button

ISVGButtonControl::ISVGButtonControl(const IRECT& bounds, IActionFunction action, const ISVG& offImage,
                                     const ISVG& onImage)
: IButtonControlBase(bounds, std::move(action))
, mOffSVG(offImage)
, mOnSVG(onImage)
, mColors(kUnusedColors)
, mColorReplacement(EColorReplacement::None)
{}

ISVGButtonControl::ISVGButtonControl(const IRECT& bounds, IActionFunction action, const ISVG& image,
                                     std::array<IColor, 4> colors, EColorReplacement replacement)
: IButtonControlBase(bounds, std::move(action))
, mOffSVG(image)
, mOnSVG(image)
, mColors(colors)
, mColorReplacement(replacement)
{}

void ISVGButtonControl::Draw(IGraphics& g)
{
  DrawOnOffSVG(g, *this, mOffSVG, mOnSVG, mColors, mColorReplacement);
}

// ---- toggle

ISVGToggleControl::ISVGToggleControl(const IRECT& bounds, IActionFunction action, const ISVG& offImage,
                                     const ISVG& onImage)
: ISwitchControlBase(bounds, kNoParameter, std::move(action), 2)
, mOffSVG(offImage)
, mOnSVG(onImage)
, mColors(kUnusedColors)
, mColorReplacement(EColorReplacement::None)
{}

ISVGToggleControl::ISVGToggleControl(const IRECT& bounds, int paramIdx, const ISVG& offImage, const ISVG& onImage)
: ISwitchControlBase(bounds, paramIdx, nullptr, 2)
, mOffSVG(offImage)
, mOnSVG(onImage)
, mColors(kUnusedColors)
, mColorReplacement(EColorReplacement::None)
{}

ISVGToggleControl::ISVGToggleControl(const IRECT& bounds, IActionFunction action, const ISVG& image,
                                     std::array<IColor, 4> colors, EColorReplacement replacement)
: ISwitchControlBase(bounds, kNoParameter, std::move(action), 2)
, mOffSVG(image)
, mOnSVG(image)
, mColors(colors)
, mColorReplacement(replacement)
{}

ISVGToggleControl::ISVGToggleControl(const IRECT& bounds, int paramIdx, const ISVG& image, std::array<IColor, 4> colors,
                                     EColorReplacement replacement)
: ISwitchControlBase(bounds, paramIdx, nullptr, 2)
, mOffSVG(image)
, mOnSVG(image)
, mColors(colors)
, mColorReplacement(replacement)
{}

void ISVGToggleControl::Draw(IGraphics& g)
{
  DrawOnOffSVG(g, *this, mOffSVG, mOnSVG, mColors, mColorReplacement);
}

// ---- switch

ISVGSwitchControl::ISVGSwitchControl(const IRECT& bounds, std::initializer_list<ISVG> images, int paramIdx,
                                     IActionFunction action)
: ISwitchControlBase(bounds, paramIdx, std::move(action), static_cast<int>(images.size()))
, mSVGs(images)
{}

void ISVGSwitchControl::Draw(IGraphics& g)
{
  if (mSVGs.empty())
    return;
  // The value is stored unclamped and a linked parameter may have more states than there are
  // images, so the state is kept inside the list; NaN shows the first image.
  const double position = GetValue() * (mNumStates - 1) + 0.5;
  const double last = static_cast<double>(mSVGs.size() - 1);
  const size_t state = std::isnan(position) ? 0 : static_cast<size_t>(std::clamp(position, 0., last));
  g.DrawSVG(mSVGs[state], mRect, &mBlend);
}

// ---- knob

ISVGKnobControl::ISVGKnobControl(const IRECT& bounds, const ISVG& image, int paramIdx)
: IKnobControlBase(bounds, paramIdx, EDirection::Vertical, 4.)
, mSVG(image)
{}

void ISVGKnobControl::Draw(IGraphics& g)
{
  const double angle = mStartAngle + GetValue() * (mEndAngle - mStartAngle);
  g.DrawRotatedSVG(mSVG, mRect.MW(), mRect.MH(), mRect.W(), mRect.H(), angle, &mBlend);
}

void ISVGKnobControl::SetSVG(const ISVG& image)
{
  mSVG = image;
  SetDirty(false);
}

// ---- slider

ISVGSliderControl::ISVGSliderControl(const IRECT& bounds, const ISVG& handleImage, const ISVG& trackImage, int paramIdx,
                                     EDirection dir, double gearing)
: ISliderControlBase(bounds, paramIdx, dir, gearing, 0.f)
, mHandleSVG(handleImage)
, mTrackSVG(trackImage)
{}

void ISVGSliderControl::OnResize()
{
  ISliderControlBase::OnResize();

  const bool vertical = mDirection == EDirection::Vertical;
  const float trackLength = vertical ? mTrackSVG.H() : mTrackSVG.W();
  // Without a track image to measure there is no scale; both rectangles then shrink to one pixel.
  const float scale = trackLength > 0.f ? (vertical ? mRect.H() : mRect.W()) / trackLength : 0.f;
  mTrackSVGBounds = mRect.GetCentredInside(std::max(1.f, mTrackSVG.W() * scale), std::max(1.f, mTrackSVG.H() * scale));

  const IRECT& track = mTrackSVGBounds;
  const float handleW = std::max(1.f, mHandleSVG.W() * scale);
  const float handleH = std::max(1.f, mHandleSVG.H() * scale);
  // The handle rests where the value 1 puts it; the slider's track is what is left for it to travel.
  if (vertical)
  {
    mHandleBounds = IRECT(track.MW() - handleW / 2.f, track.T, track.MW() + handleW / 2.f, track.T + handleH);
    mTrackBounds = IRECT(track.L, mHandleBounds.B, track.R, track.B);
  }
  else
  {
    mHandleBounds = IRECT(track.R - handleW, track.MH() - handleH / 2.f, track.R, track.MH() + handleH / 2.f);
    mTrackBounds = IRECT(track.L, track.T, mHandleBounds.L, track.B);
  }
}

IRECT ISVGSliderControl::GetHandleBounds(double value) const
{
  if (value < 0.)
    value = GetValue();
  const float travel = static_cast<float>(1. - value);
  if (mDirection == EDirection::Vertical)
    return mHandleBounds.GetTranslated(0.f, travel * mTrackBounds.H());
  return mHandleBounds.GetTranslated(-travel * mTrackBounds.W(), 0.f);
}

void ISVGSliderControl::Draw(IGraphics& g)
{
  g.DrawSVG(mTrackSVG, mTrackSVGBounds, &mBlend);
  g.DrawSVG(mHandleSVG, GetHandleBounds(GetValue()), &mBlend);
}

} // namespace igraphics
} // namespace iplug
