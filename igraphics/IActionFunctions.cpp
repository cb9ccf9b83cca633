#include "igraphics/IActionFunctions.h"

#include "igraphics/IControl.h"
#include "igraphics/IGraphics.h"
#include "igraphics/controls/IVectorBase.h"
#include "iplug/IPlugParameter.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

namespace
{

constexpr int kClickAnimationMs = 100;

// Shows the value of the caller's parameter; a control without a parameter or a surface has none.
void ShowParamBubble(IControl* pCaller, float x, float y, EDirection dir)
{
  IGraphics* pGraphics = pCaller->GetUI();
  const IParam* pParam = pCaller->GetParam(0);
  if (!pGraphics || !pParam)
    return;
  WDL_String display;
  pParam->GetDisplayWithLabel(display);
  pGraphics->ShowBubbleControl(pCaller, x, y, display.Get(), dir);
}

} // namespace

void DefaultAnimationFunc(IControl* pCaller)
{
  if (pCaller->GetAnimationFunction() && pCaller->GetAnimationProgress() > 1.)
    pCaller->OnEndAnimation();
}

void SplashAnimationFunc(IControl* pCaller)
{
  const double progress = pCaller->GetAnimationProgress();
  if (progress > 1.)
  {
    pCaller->OnEndAnimation();
    return;
  }
  // Only a vector control has a splash; any other control just keeps redrawing until the end.
  if (auto* pVectorBase = dynamic_cast<IVectorBase*>(pCaller))
  {
    pVectorBase->SetSplashRadius(static_cast<float>(progress) * pVectorBase->GetMaxSplashRadius());
    pVectorBase->OnStyleChanged();
  }
  pCaller->SetDirty(false);
}

void EmptyClickActionFunc(IControl* /*pCaller*/)
{}

void DefaultClickActionFunc(IControl* pCaller)
{
  pCaller->SetAnimation(DefaultAnimationFunc);
  pCaller->StartAnimation(kClickAnimationMs);
}

void SplashClickActionFunc(IControl* pCaller)
{
  auto* pVectorBase = dynamic_cast<IVectorBase*>(pCaller);
  if (pVectorBase && pCaller->GetUI())
  {
    float x = 0.f, y = 0.f;
    pCaller->GetUI()->GetMouseDownPoint(x, y);
    pVectorBase->SetSplashPoint(x, y);
  }
  pCaller->SetAnimation(SplashAnimationFunc);
  pCaller->StartAnimation(kClickAnimationMs);
}

void ShowBubbleHorizontalActionFunc(IControl* pCaller)
{
  ShowParamBubble(pCaller, pCaller->GetRECT().R, pCaller->GetRECT().MH(), EDirection::Horizontal);
}

void ShowBubbleVerticalActionFunc(IControl* pCaller)
{
  ShowParamBubble(pCaller, pCaller->GetRECT().MW(), pCaller->GetRECT().T, EDirection::Vertical);
}

} // namespace igraphics
} // namespace iplug
