#pragma once

#include "igraphics/controls/IVSwitchControl.h"

namespace iplug
{
namespace igraphics
{

/** A switch whose handle slides along a track of equal slots, one slot per state. */
class IVSlideSwitchControl : public IVSwitchControl
{
public:
  IVSlideSwitchControl(const IRECT& bounds, int paramIdx = kNoParameter, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, bool valueInButton = true,
                       EDirection direction = EDirection::Horizontal);
  /** initialState is a state index, 0 .. numStates - 1. */
  IVSlideSwitchControl(const IRECT& bounds, IActionFunction action, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, bool valueInButton = true,
                       EDirection direction = EDirection::Horizontal, int numStates = 2, int initialState = 0);

  void Draw(IGraphics& g) override;
  void DrawWidget(IGraphics& g) override;
  void OnResize() override;
  void OnEndAnimation() override;
  void SetDirty(bool push = true, int valIdx = kNoValIdx) override;

  const IRECT& GetHandleBounds() const { return mHandleBounds; }

protected:
  virtual void DrawTrack(IGraphics& g, const IRECT& bounds);
  virtual void DrawHandle(IGraphics& g, const IRECT& bounds);

  /** Puts the handle into the slot of the current state and aims the next slide at the slot after it. */
  void UpdateRects();
  IRECT GetSlot(int state) const;

  IRECT mStartHandleBounds;
  IRECT mEndHandleBounds;
  IRECT mHandleBounds;
  EDirection mDirection;

private:
  // The click slides the handle; an action given by the caller runs first.
  void InstallSlideAction(IActionFunction action);
  void SlideHandle();
};

} // namespace igraphics
} // namespace iplug
