#pragma once

#include <vector>

#include "igraphics/IControl.h"

namespace iplug
{
namespace igraphics
{

/** A value changed by dragging relative to where the drag began, and by the wheel. */
class IKnobControlBase : public IControl
{
public:
  IKnobControlBase(const IRECT& bounds, int paramIdx, EDirection direction, double gearing);

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float d) override;

  /** The area whose height (or width) one gearing unit of drag spans. */
  virtual IRECT GetKnobDragBounds() const { return mTargetRect; }

  bool IsFineControl(const IMouseMod& mod, bool wheel) const;

protected:
  bool mHideCursorOnDrag = true;
  EDirection mDirection;
  double mGearing;
  bool mMouseDown = false;
  double mMouseDragValue = 0.;
};

/** A value along a track: a click jumps to the pointer, a drag moves relative to it or follows it. */
class ISliderControlBase : public IControl
{
public:
  ISliderControlBase(const IRECT& bounds, int paramIdx, EDirection dir, double gearing, float handleSize);
  ISliderControlBase(const IRECT& bounds, IActionFunction action, EDirection dir, double gearing, float handleSize);

  void OnResize() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float d) override;

  bool IsFineControl(const IMouseMod& mod, bool wheel) const;

protected:
  bool mHideCursorOnDrag = true;
  EDirection mDirection;
  IRECT mTrackBounds;
  float mHandleSize;
  double mGearing;
  bool mMouseDown = false;
  double mMouseDragValue = 0.;
};

/** A value that steps through a number of states, one per click. */
class ISwitchControlBase : public IControl
{
public:
  ISwitchControlBase(const IRECT& bounds, int paramIdx = kNoParameter, IActionFunction action = nullptr,
                     int numStates = 2);

  void OnInit() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;

  void SetStateDisabled(int state, bool disabled);
  void SetAllStatesDisabled(bool disabled);
  bool GetStateDisabled(int state) const;

protected:
  int mNumStates;
  // Kept as long as the state count, which a linked parameter may change after construction.
  std::vector<bool> mDisabledState;
  bool mMouseDown = false;
};

/** A momentary press: the value is 1 from the click until the action's animation ends. */
class IButtonControlBase : public IControl
{
public:
  IButtonControlBase(const IRECT& bounds, IActionFunction action);

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnEndAnimation() override;
};

} // namespace igraphics
} // namespace iplug
