#pragma once

#include <cstdint>
#include <string>

#include "igraphics/IControl.h"

namespace iplug
{
namespace igraphics
{

/** A callout that shows a value next to the control being changed. The surface keeps it hidden
    and places it on demand; it fades in, stays while its control is dragged, then fades out. It
    never takes the mouse. */
class IBubbleControl : public IControl
{
public:
  IBubbleControl(const IText& text = DEFAULT_TEXT, const IColor& fillColor = COLOR_WHITE,
                 const IColor& strokeColor = COLOR_BLACK, float roundness = 0.f);

  void Draw(IGraphics& g) override;
  /** The text, inside the body r. */
  virtual void DrawContent(IGraphics& g, const IRECT& r);
  /** The body r with its callout towards the caller, filled and outlined at the current opacity. */
  virtual void DrawBubble(IGraphics& g, const IRECT& r);
  /** Sets contentBounds to the box that str takes in the bubble's text style. */
  virtual void MeasureText(const char* str, IRECT& contentBounds) const;

  /** Places the bubble at (x, y) beside pCaller, on the side that dir names, keeping it on the
      surface, and shows str; a hidden bubble starts fading in. */
  void ShowBubble(IControl* pCaller, float x, float y, const char* str, EDirection dir,
                  IRECT minimumContentBounds = IRECT(), uint64_t touchId = 0);

private:
  enum class EState : int32_t
  {
    Hidden = 0,
    FadingIn,
    Shown,
    FadingOut
  };

  // The side of the body that carries the callout.
  enum class ECalloutSide : int32_t
  {
    Top = 0,
    Right,
    Bottom,
    Left
  };

  void Fade();
  void StartFade(int durationMs);

  uint64_t mTouchId = 0;
  EDirection mDirection = EDirection::Horizontal;
  IRECT mMaxBounds;
  IRECT mBubbleBounds;
  IControl* mCaller = nullptr;
  ECalloutSide mArrowDir = ECalloutSide::Left;
  std::string mStr;
  float mRoundness;
  float mDropShadowSize = 10.f;
  float mCalloutSize = 10.f;
  float mMaxOpacity = 0.95f;
  float mStrokeThickness = 2.f;
  float mSpacing = 5.f;
  IColor mFillColor;
  IColor mStrokeColor;
  EState mState = EState::Hidden;
};

} // namespace igraphics
} // namespace iplug
