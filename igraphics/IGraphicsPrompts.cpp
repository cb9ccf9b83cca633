#include <algorithm>
#include <cstring>

#include "igraphics/IGraphics.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/controls/IPopupMenuControl.h"
#include "igraphics/controls/ITextEntryControl.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

namespace
{

bool PromptsWithMenu(const IParam& param)
{
  return param.Type() == IParam::kTypeEnum || (param.Type() == IParam::kTypeBool && param.NDisplayTexts() > 0);
}

// From the request that opened it until it has faded out, the drawn menu shows that one menu.
bool DrawnMenuIsBusy(const IControl* pPopupControl)
{
  const auto* pPopupMenu = static_cast<const IPopupMenuControl*>(pPopupControl);
  return pPopupMenu && pPopupMenu->GetState() != IPopupMenuControl::kClosed;
}

} // namespace

void IGraphics::PromptUserInput(IControl& control, const IRECT& bounds, int valIdx)
{
  const IParam* pParam = control.GetParam(valIdx);
  if (!pParam)
    return;

  if (PromptsWithMenu(*pParam))
  {
    // The menu on screen may be this one: its entries stay those of its own parameter.
    if (!DrawnMenuIsBusy(mPopupControl.get()))
    {
      WDL_String current;
      pParam->GetDisplay(pParam->Value(), false, current, true);
      mPromptPopupMenu.Clear();
      for (int i = 0; i < pParam->NDisplayTexts(); ++i)
      {
        const char* text = pParam->GetDisplayTextAtIdx(i);
        mPromptPopupMenu.AddItem(text)->SetChecked(std::strcmp(text, current.Get()) == 0);
      }
      mPromptPopupMenu.SetRootTitle(pParam->GetName());
    }
    DoCreatePopupMenu(control, mPromptPopupMenu, bounds, valIdx, false);
    return;
  }

  WDL_String text;
  pParam->GetDisplay(pParam->Value(), false, text, false);
  if (control.GetPromptShowsParamLabel())
  {
    text.Append(" ");
    text.Append(pParam->GetLabel());
  }
  CreateTextEntry(control, control.GetText(), bounds, text.Get(), valIdx);
}

void IGraphics::CreateTextEntry(IControl& control, const IText& text, const IRECT& bounds, const char* str, int valIdx)
{
  mInTextEntry = &control;
  mTextEntryValIdx = valIdx;
  const int paramIdx = (valIdx >= 0 && valIdx < control.NVals()) ? control.GetParamIdx(valIdx) : kNoParameter;
  if (auto* pTextEntry = static_cast<ITextEntryControl*>(mTextEntryControl.get()))
    pTextEntry->CreateTextEntry(paramIdx, text, bounds, control.GetTextEntryLength(), str);
  else
    CreatePlatformTextEntry(paramIdx, text, bounds, control.GetTextEntryLength(), str);
  control.SetDirty(false, kNoValIdx);
}

void IGraphics::CreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx)
{
  DoCreatePopupMenu(control, menu, bounds, valIdx, false);
}

void IGraphics::DoCreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx, bool isContext)
{
  ReleaseMouseCapture();

  // The drawn menu answers later, when the user has chosen or dismissed it. While it is open or
  // fading, a new request opens nothing: the control hears at once that it was dismissed, and the
  // control that the menu on screen was opened for still gets its answer.
  if (DrawnMenuIsBusy(mPopupControl.get()))
  {
    AnswerPopupMenu(control, nullptr, valIdx, isContext);
    return;
  }
  mInPopupMenu = &control;
  mPopupMenuValIdx = valIdx;
  mIsContextMenu = isContext;

  if (auto* pPopupMenu = static_cast<IPopupMenuControl*>(mPopupControl.get()))
  {
    pPopupMenu->CreatePopupMenu(menu, bounds);
    return;
  }
  bool isAsync = false;
  IPopupMenu* pResult = CreatePlatformPopupMenu(menu, bounds, isAsync);
  if (!isAsync)
    SetControlValueAfterPopupMenu(pResult);
}

void IGraphics::SetControlValueAfterPopupMenu(IPopupMenu* pMenu)
{
  IControl* pControl = mInPopupMenu;
  if (!pControl)
    return;
  mInPopupMenu = nullptr;
  AnswerPopupMenu(*pControl, pMenu, mPopupMenuValIdx, mIsContextMenu);
}

void IGraphics::DismissPopupMenu(IControl& control)
{
  auto* pPopupMenu = static_cast<IPopupMenuControl*>(mPopupControl.get());
  if (mInPopupMenu == &control && pPopupMenu && pPopupMenu->CloseAtOnce())
    SetControlValueAfterPopupMenu(nullptr);
}

void IGraphics::AnswerPopupMenu(IControl& control, IPopupMenu* pMenu, int valIdx, bool isContext)
{
  // A menu opened without a press (or answered after it) still edits inside a host gesture. The
  // parameters are read first: a control may remove itself while handling the choice.
  const std::vector<int> params = LinkedParams(control);
  const bool chosen = pMenu && pMenu->GetChosenItemIdx() != -1;
  if (chosen && !isContext)
    for (int paramIdx : params)
      BeginHostGesture(paramIdx);

  if (isContext)
    control.OnContextSelection(pMenu ? pMenu->GetChosenItemIdx() : -1);
  else
    control.OnPopupMenuSelection(chosen ? pMenu : nullptr, valIdx);

  for (int paramIdx : params)
    EndHostGesture(paramIdx);
}

void IGraphics::SetControlValueAfterTextEdit(const char* str)
{
  IControl* pControl = mInTextEntry;
  if (!pControl)
    return;
  mInTextEntry = nullptr;

  const IParam* pParam = mTextEntryValIdx >= 0 ? pControl->GetParam(mTextEntryValIdx) : nullptr;
  if (!pParam)
  {
    pControl->OnTextEntryCompletion(str ? str : "", mTextEntryValIdx);
    return;
  }

  // Typing usually ends after the press that opened the entry was released, so the edit brings
  // its own gesture; one still open from that press is left for the release to end.
  const int paramIdx = pControl->GetParamIdx(mTextEntryValIdx);
  const bool ownGesture = !HostGestureIsOpen(paramIdx);
  if (ownGesture)
    BeginHostGesture(paramIdx);
  const double normalized = std::clamp(pParam->ToNormalized(pParam->StringToValue(str ? str : "")), 0.0, 1.0);
  pControl->SetValueFromUserInput(normalized, mTextEntryValIdx);
  if (ownGesture)
    EndHostGesture(paramIdx);
}

void IGraphics::DeleteFromPopupMenu(IPopupMenu* pMenu, int itemIdx)
{
  if (mInPopupMenu)
    mInPopupMenu->OnDeleteFromPopupMenu(pMenu, itemIdx);
}

} // namespace igraphics
} // namespace iplug
