#pragma once

namespace iplug
{
namespace igraphics
{

class IControl;

/** Ends the control's animation once its time is up. */
void DefaultAnimationFunc(IControl* pCaller);
/** Grows the click splash of a vector control with the animation's progress, then ends it. */
void SplashAnimationFunc(IControl* pCaller);

void EmptyClickActionFunc(IControl* pCaller);
/** A short animation that keeps the control redrawing for 100 ms. */
void DefaultClickActionFunc(IControl* pCaller);
/** A splash that grows from the last mouse-down point of a vector control. */
void SplashClickActionFunc(IControl* pCaller);

/** Shows the value of the control's parameter in a bubble to the right of the control. */
void ShowBubbleHorizontalActionFunc(IControl* pCaller);
/** Shows the value of the control's parameter in a bubble above the control. */
void ShowBubbleVerticalActionFunc(IControl* pCaller);

} // namespace igraphics
} // namespace iplug
