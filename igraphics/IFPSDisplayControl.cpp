#include "igraphics/IFPSDisplayControl.h"

#include <algorithm>
#include <cstdio>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// The graph's top: 80 frames per second, 20 ms, 100 %.
constexpr float kMaxFPS = 80.f;
constexpr float kMaxMs = 20.f;
constexpr float kMaxPercentage = 100.f;
constexpr int kMaxReadingLength = 32;

IVStyle DisplayStyle()
{
  IVStyle style = DEFAULT_STYLE;
  style.colorSpec.SetColor(kBG, COLOR_WHITE);
  return style;
}

} // namespace

IFPSDisplayControl::IFPSDisplayControl(const IRECT& bounds, EStyle style, const char* label)
: IControl(bounds)
, IVectorBase(DisplayStyle())
, mStyle(style)
, mLabel(label ? label : "")
, mAPIText(14.f, GetColor(kFR), DEFAULT_FONT, kAlignNear, kVAlignTop)
, mValueText(18.f, GetColor(kFR), DEFAULT_FONT, kAlignFar, kVAlignTop)
, mSecondaryValueText(15.f, GetColor(kFR), DEFAULT_FONT, kAlignFar, kVAlignBottom)
{
  AttachIControl(this, label);
  mText = GetStyle().valueText;
  mText.mSize = 14.f;
  mText.mVAlign = kVAlignBottom;
  mText.mFGColor = GetColor(kFR);
}

void IFPSDisplayControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  mStyle = static_cast<EStyle>((mStyle + 1) % 3);
}

void IFPSDisplayControl::Update(float timeTaken)
{
  mReadPos = (mReadPos + 1) % kNumFrames;
  mBuffer[mReadPos] = timeTaken;
  // Without this the graph would freeze at the frame it was first drawn in.
  SetDirty(false);
}

void IFPSDisplayControl::Draw(IGraphics& g)
{
  float sum = 0.f;
  for (float t : mBuffer)
    sum += t;

  g.FillRect(GetColor(kBG), mRect);
  g.DrawRect(COLOR_BLACK, mRect, nullptr, 1.f);

  // The newest entry is drawn first, on the left.
  const IRECT a = mRect.GetPadded(-2.f);
  g.PathClear();
  g.PathMoveTo(a.L, a.B);
  for (int i = 0; i < kNumFrames; ++i)
  {
    const float t = mBuffer[(mReadPos + i) % kNumFrames];
    float v = 0.f;
    if (mStyle == kFPS)
      v = std::min(kMaxFPS, 1.f / (t + 0.00001f)) / kMaxFPS;
    else if (mStyle == kMilliseconds)
      v = std::min(kMaxMs, t * 1000.f) / kMaxMs;
    else
      v = std::min(kMaxPercentage, t) / kMaxPercentage;
    g.PathLineTo(a.L + static_cast<float>(i) / (kNumFrames - 1) * a.W(), a.B - v * a.H());
  }
  g.PathLineTo(mRect.R, mRect.B);
  g.PathFill(IPattern(GetColor(kFG)), IFillOptions(), nullptr);

  const char* api = g.GetDrawingAPIStr();
  if (api && *api)
    g.DrawText(mAPIText, api, a);
  if (!mLabel.empty())
    g.DrawText(mLabelText, mLabel.c_str(), a);

  const float avg = sum / kNumFrames;
  char value[kMaxReadingLength] = {};
  char secondary[kMaxReadingLength] = {};
  if (mStyle == kFPS)
  {
    std::snprintf(value, sizeof(value), "%.2f FPS", 1.f / avg);
    std::snprintf(secondary, sizeof(secondary), "%.2f ms", avg * 1000.f);
  }
  else if (mStyle == kMilliseconds)
  {
    std::snprintf(value, sizeof(value), "%.2f ms", avg * 1000.f);
  }
  else
  {
    std::snprintf(value, sizeof(value), "%.1f %%", avg);
  }
  g.DrawText(mValueText, value, a);
  g.DrawText(mSecondaryValueText, secondary, a);
}

} // namespace igraphics
} // namespace iplug
