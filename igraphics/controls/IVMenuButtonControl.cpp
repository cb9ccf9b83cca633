#include "igraphics/controls/IVMenuButtonControl.h"

#include <algorithm>
#include <string>

#include "igraphics/IActionFunctions.h"
#include "igraphics/IGraphics.h"
#include "igraphics/controls/IVButtonControl.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// The button's value text is centred on its face.
IVStyle ButtonStyle(const IVStyle& style)
{
  IVStyle buttonStyle = style;
  buttonStyle.valueText.mVAlign = kVAlignMiddle;
  return buttonStyle;
}

} // namespace

IVMenuButtonControl::IVMenuButtonControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                         EVShape shape)
: IContainerBase(bounds)
, IVectorBase(style, false, false)
{
  SetParamIdx(paramIdx);
  mText = style.valueText;
  DisablePrompt(false);
  AttachIControl(this, "");

  // The label is copied: the caller's text need not outlive this constructor.
  mAttachFunc = [this, label = std::string(label ? label : ""), shape](IContainerBase*, const IRECT& r) {
    auto* pButton = new IVButtonControl(r, SplashClickActionFunc, label.c_str(), ButtonStyle(mStyle), false, true,
                                        shape);
    mMenuButton = static_cast<IVButtonControl*>(AddChildControl(pButton));
    if (!mMenuButton)
      return;
    UpdateMenuButtonText();
    // The menu opens only once the click splash has run to its end. A button whose menu button
    // the surface has removed is an orphan and opens nothing.
    mMenuButton->SetAnimationEndActionFunction([this](IControl* pCaller) {
      if (pCaller->GetParent() == this)
        PromptUserInput(mMenuButton->GetWidgetBounds(), 0);
    });
  };

  mResizeFunc = [this](IContainerBase*, const IRECT& r) {
    if (IVButtonControl* pButton = GetMenuButton())
    {
      pButton->SetTargetAndDrawRECTs(r);
      pButton->OnResize();
    }
  };
}

IVButtonControl* IVMenuButtonControl::GetMenuButton() const
{
  // The surface may remove the button on its own; the container then no longer lists it.
  const bool listed = std::find(mChildren.begin(), mChildren.end(), mMenuButton) != mChildren.end();
  return listed ? mMenuButton : nullptr;
}

void IVMenuButtonControl::UpdateMenuButtonText()
{
  IVButtonControl* pButton = GetMenuButton();
  const IParam* pParam = GetParam(0);
  if (!pButton || !pParam)
    return;
  WDL_String display;
  pParam->GetDisplayWithLabel(display);
  pButton->SetValueStr(display.Get());
  pButton->SetDirty(false);
}

void IVMenuButtonControl::SetStyle(const IVStyle& style)
{
  IVectorBase::SetStyle(style);
  if (IVButtonControl* pButton = GetMenuButton())
    pButton->SetStyle(ButtonStyle(style));
}

void IVMenuButtonControl::SetValueFromDelegate(double value, int valIdx)
{
  IContainerBase::SetValueFromDelegate(value, valIdx);
  UpdateMenuButtonText();
}

void IVMenuButtonControl::SetValueFromUserInput(double value, int valIdx)
{
  if (GetValue(valIdx) == value)
    return;
  SetValue(value, valIdx);
  SetDirty(true, valIdx);
  UpdateMenuButtonText();
}

void IVMenuButtonControl::OnPopupMenuSelection(IPopupMenu* pSelectedMenu, int valIdx)
{
  IVButtonControl* pButton = GetMenuButton();
  if (pSelectedMenu && pButton)
  {
    const IPopupMenu::Item* pItem = pSelectedMenu->GetChosenItem();
    pButton->SetValueStr(pItem ? pItem->GetText() : "");
    pButton->SetDirty(false);
  }
  IContainerBase::OnPopupMenuSelection(pSelectedMenu, valIdx);
}

} // namespace igraphics
} // namespace iplug
