#include "igraphics/IBubbleControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

constexpr int kFadeMs = 200;
constexpr int kHoldMs = 1000;

} // namespace

IBubbleControl::IBubbleControl(const IText& text, const IColor& fillColor, const IColor& strokeColor, float roundness)
: IControl(IRECT())
, mRoundness(roundness)
, mFillColor(fillColor)
, mStrokeColor(strokeColor)
{
  mText = text;
  mHide = true;
  mIgnoreMouse = true;
  mBlend = IBlend(EBlend::Default, 0.f);

  // Every change of state makes the bubble dirty with its action, which starts the next fade step.
  SetActionFunction([this](IControl*) { StartFade(kFadeMs); });
  // Once faded in, the bubble holds before it checks whether its control is still being dragged.
  SetAnimationEndActionFunction([this](IControl*) {
    if (mState == EState::Shown)
      StartFade(kHoldMs);
  });
}

void IBubbleControl::StartFade(int durationMs)
{
  SetAnimation([this](IControl*) { Fade(); });
  StartAnimation(durationMs);
}

void IBubbleControl::Fade()
{
  const double progress = GetAnimationProgress();
  if (progress <= 1.)
  {
    const float p = static_cast<float>(progress);
    if (mState == EState::FadingIn)
      mBlend.mWeight = p * mMaxOpacity;
    else if (mState == EState::Shown)
      mBlend.mWeight = mMaxOpacity;
    else if (mState == EState::FadingOut)
      mBlend.mWeight = (1.f - p) * mMaxOpacity;
    return;
  }

  switch (mState)
  {
  case EState::FadingIn:
    mBlend.mWeight = mMaxOpacity;
    mState = EState::Shown;
    OnEndAnimation();
    break;
  case EState::Shown:
    // A control still being dragged keeps its bubble; the check repeats after the next fade step.
    if (!GetUI()->ControlIsCaptured(mCaller))
    {
      mBlend.mWeight = mMaxOpacity;
      mState = EState::FadingOut;
    }
    SetDirty(true);
    break;
  case EState::FadingOut:
  case EState::Hidden:
    mBlend.mWeight = 0.f;
    Hide(true);
    mState = EState::Hidden;
    mCaller = nullptr;
    SetDirty(false);
    OnEndAnimation();
    break;
  }
}

void IBubbleControl::Draw(IGraphics& g)
{
  const IRECT body = mBubbleBounds.GetPadded(-mDropShadowSize);
  g.DrawFastDropShadow(body, mBubbleBounds, 2.f, mRoundness, 10.f, &mBlend);
  DrawBubble(g, body);
  DrawContent(g, body);
}

void IBubbleControl::DrawContent(IGraphics& g, const IRECT& r)
{
  if (!mStr.empty())
    g.DrawText(mText, mStr.c_str(), r, &mBlend);
}

void IBubbleControl::DrawBubble(IGraphics& g, const IRECT& r)
{
  const float rad = mRoundness;
  const float half = mCalloutSize / 2.f;
  const float tip = mCalloutSize;

  // Clockwise from the left edge; the callout's three points follow the direction of travel.
  g.PathClear();
  g.PathMoveTo(r.L, r.T + rad);
  g.PathArc(r.L + rad, r.T + rad, rad, 270.f, 360.f);
  if (mArrowDir == ECalloutSide::Top)
  {
    g.PathLineTo(r.MW() - half, r.T);
    g.PathLineTo(r.MW(), r.T - tip);
    g.PathLineTo(r.MW() + half, r.T);
  }
  g.PathArc(r.R - rad, r.T + rad, rad, 0.f, 90.f);
  if (mArrowDir == ECalloutSide::Right)
  {
    g.PathLineTo(r.R, r.MH() - half);
    g.PathLineTo(r.R + tip, r.MH());
    g.PathLineTo(r.R, r.MH() + half);
  }
  g.PathArc(r.R - rad, r.B - rad, rad, 90.f, 180.f);
  if (mArrowDir == ECalloutSide::Bottom)
  {
    g.PathLineTo(r.MW() + half, r.B);
    g.PathLineTo(r.MW(), r.B + tip);
    g.PathLineTo(r.MW() - half, r.B);
  }
  g.PathArc(r.L + rad, r.B - rad, rad, 180.f, 270.f);
  if (mArrowDir == ECalloutSide::Left)
  {
    g.PathLineTo(r.L, r.MH() + half);
    g.PathLineTo(r.L - tip, r.MH());
    g.PathLineTo(r.L, r.MH() - half);
  }
  g.PathClose();

  g.PathFill(IPattern(mFillColor), IFillOptions(true), &mBlend);
  g.PathStroke(IPattern(mStrokeColor), mStrokeThickness, IStrokeOptions(), &mBlend);
}

void IBubbleControl::MeasureText(const char* str, IRECT& contentBounds) const
{
  GetUI()->MeasureText(mText, str, contentBounds);
}

void IBubbleControl::ShowBubble(IControl* pCaller, float x, float y, const char* str, EDirection dir,
                                IRECT minimumContentBounds, uint64_t touchId)
{
  IGraphics* pGraphics = GetUI();
  if (mMaxBounds.W() == 0.f)
    mMaxBounds = pGraphics->GetBounds();

  mDirection = dir;
  mTouchId = touchId;
  mStr = str ? str : "";

  IRECT content;
  MeasureText(mStr.c_str(), content);
  if (!minimumContentBounds.Empty())
  {
    content.R = content.L + std::max(content.W(), minimumContentBounds.W());
    content.B = content.T + std::max(content.H(), minimumContentBounds.H());
  }
  const float w = content.W() + 2.f * (mSpacing + mDropShadowSize);
  const float h = content.H() + 2.f * mDropShadowSize;

  // Without a caller the bubble is placed against the point itself.
  const IRECT caller = pCaller ? pCaller->GetRECT() : IRECT(x, y, x, y);
  if (dir == EDirection::Horizontal)
  {
    mBubbleBounds = IRECT(x, y - h / 2.f, x + w, y + h / 2.f);
    if (mBubbleBounds.R <= mMaxBounds.R - mSpacing - mDropShadowSize)
    {
      mArrowDir = ECalloutSide::Left;
    }
    else
    {
      mBubbleBounds = IRECT(caller.L - w, mBubbleBounds.T, caller.L, mBubbleBounds.B);
      mArrowDir = ECalloutSide::Right;
    }
  }
  else
  {
    mBubbleBounds = IRECT(x - w / 2.f, y - h, x + w / 2.f, y);
    if (mBubbleBounds.T >= mMaxBounds.T)
    {
      mArrowDir = ECalloutSide::Bottom;
    }
    else
    {
      mBubbleBounds = mBubbleBounds.GetTranslated(0.f, caller.H() + h);
      mArrowDir = ECalloutSide::Top;
    }
  }

  // The old place is repainted with the new one.
  SetTargetAndDrawRECTs(mRect.Union(mBubbleBounds));
  OnResize();

  if (mState == EState::Hidden)
  {
    Hide(false);
    mState = EState::FadingIn;
    SetDirty(true);
  }

  // Another control's bubble may be far away: everything is repainted once, so only the new place is kept.
  if (pCaller != mCaller)
  {
    SetTargetAndDrawRECTs(mBubbleBounds);
    pGraphics->SetAllControlsDirty();
  }
  mCaller = pCaller;
}

} // namespace igraphics
} // namespace iplug
