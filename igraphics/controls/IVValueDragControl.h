#pragma once

#include "igraphics/controls/IVectorBase.h"
#include "iplug/IPlugParameter.h"

#include <utility>

namespace iplug
{
namespace igraphics
{

/** What the vector knob and slider share over their drag bases: the parameter's display text as
    the value, the parameter's name as the default label, and a mouse that edits the value by
    typing on the value text and drags everywhere else in the widget. DragBase is the knob or
    slider base; its constructor takes the trailing arguments. */
template <class DragBase>
class IVValueDragControl : public DragBase, public IVectorBase
{
public:
  template <typename... DragArgs>
  IVValueDragControl(const char* label, const IVStyle& style, bool valueIsEditable, bool valueInWidget, float trackSize,
                     DragArgs&&... dragArgs)
  : DragBase(std::forward<DragArgs>(dragArgs)...)
  , IVectorBase(style, false, valueInWidget)
  {
    mTrackSize = trackSize;
    mWidgetShape = EVShape::Ellipse;
    this->mHideCursorOnDrag = style.hideCursor;
    this->mText = style.valueText;
    this->DisablePrompt(!valueIsEditable);
    AttachIControl(this, label);
  }

  void OnInit() override
  {
    RefreshValueStr();
    if (mLabelString.GetLength() == 0)
      if (const IParam* pParam = this->GetParam(0))
        SetLabelStr(pParam->GetName());
  }

  void SetDirty(bool push = true, int /*valIdx*/ = kNoValIdx) override
  {
    DragBase::SetDirty(push);
    RefreshValueStr();
  }

  void OnMouseDown(float x, float y, const IMouseMod& mod) override
  {
    // The value text opens the value editor; only the rest of the control drags.
    if (mStyle.showValue && mValueBounds.Contains(x, y))
      this->PromptUserInput(mValueBounds, 0);
    else
      DragBase::OnMouseDown(x, y, mod);
    SetDirty(false);
  }

  void OnMouseUp(float x, float y, const IMouseMod& mod) override
  {
    DragBase::OnMouseUp(x, y, mod);
    SetDirty(true);
  }

  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override
  {
    // A press on the value text started no drag: moving on from it must not move the value from
    // wherever the last drag began.
    if (this->mMouseDown)
      DragBase::OnMouseDrag(x, y, dX, dY, mod);
  }

  void OnMouseDblClick(float x, float y, const IMouseMod& /*mod*/) override
  {
    this->SetValueToDefault(this->GetValIdxForPos(x, y));
  }

  void OnMouseOver(float x, float y, const IMouseMod& mod) override
  {
    if (mStyle.showValue && !this->GetPromptDisabled())
      mValueMouseOver = mValueBounds.Contains(x, y);
    DragBase::OnMouseOver(x, y, mod);
    SetDirty(false);
  }

  void OnMouseOut() override
  {
    mValueMouseOver = false;
    DragBase::OnMouseOut();
  }

  bool IsHit(float x, float y) const override
  {
    if (!this->GetPromptDisabled() && mValueBounds.Contains(x, y))
      return true;
    return mWidgetBounds.Contains(x, y);
  }

protected:
  bool mValueMouseOver = false;

private:
  void RefreshValueStr()
  {
    if (const IParam* pParam = this->GetParam(0))
      pParam->GetDisplayWithLabel(mValueString);
  }
};

} // namespace igraphics
} // namespace iplug
