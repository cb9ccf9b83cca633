// The special controls that the surface keeps beside the ordinary ones: background panel, corner
// resizer, value bubbles, drawn menu and text entry, and the frame-time display.
#include "igraphics/IGraphics.h"

#include <atomic>

#include "igraphics/IBubbleControl.h"
#include "igraphics/IContainerBase.h"
#include "igraphics/ICornerResizerControl.h"
#include "igraphics/IFPSDisplayControl.h"
#include "igraphics/IImageControlBases.h"
#include "igraphics/controls/IPopupMenuControl.h"
#include "igraphics/controls/ITextEntryControl.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

namespace
{

constexpr float kBubbleRoundness = 5.f;
constexpr IRECT kDefaultPerfDisplayBounds(10.f, 10.f, 210.f, 60.f);

// Multi-touch bubbles are handed out in turn, by one counter for every editor of the process.
std::atomic<unsigned> sBubbleCounter{0};

} // namespace

// A file that does not load still gives its control, which draws nothing: the controls after it
// keep their indices whether the image is there or not.
void IGraphics::AttachBackground(const char* fileName)
{
  AttachBackgroundControl(new IBitmapControl(0.f, 0.f, LoadBitmap(fileName, 1, false)));
}

void IGraphics::AttachSVGBackground(const char* fileName)
{
  AttachBackgroundControl(new ISVGControl(GetBounds(), LoadSVG(fileName, "px", 72.f)));
}

void IGraphics::AttachPanelBackground(const IPattern& pattern)
{
  AttachBackgroundControl(new IPanelControl(GetBounds(), pattern));
}

void IGraphics::AttachCornerResizer(EUIResizerMode sizeMode, bool layoutOnResize, const IColor& color,
                                    const IColor& mouseOverColor, const IColor& dragColor, float size)
{
  AttachCornerResizer(new ICornerResizerControl(GetBounds(), size, color, mouseOverColor, dragColor), sizeMode,
                      layoutOnResize);
}

void IGraphics::AttachCornerResizer(ICornerResizerControl* pResizer, EUIResizerMode sizeMode, bool layoutOnResize)
{
  if (!pResizer)
    return;
  if (mCornerResizer)
  {
    delete pResizer;
    return;
  }
  mCornerResizer.reset(pResizer);
  mGUISizeMode = sizeMode;
  mLayoutOnResize = layoutOnResize;
  AdoptControl(*pResizer);
}

void IGraphics::AttachBubbleControl(const IText& text)
{
  AttachBubbleControl(new IBubbleControl(text, COLOR_WHITE, COLOR_BLACK, kBubbleRoundness));
}

void IGraphics::AttachBubbleControl(IBubbleControl* pBubble)
{
  if (!pBubble)
    return;
  AdoptControl(*pBubble);
  if (!mBubbleControls.Add(pBubble))
    delete pBubble;
}

void IGraphics::AttachPopupMenuControl(const IText& text, const IRECT& bounds)
{
  if (mPopupControl)
    return;
  mPopupControl = std::make_unique<IPopupMenuControl>(kNoParameter, text, IRECT(), bounds);
  AdoptControl(*mPopupControl);
}

void IGraphics::AttachTextEntryControl()
{
  if (mTextEntryControl)
    return;
  mTextEntryControl = std::make_unique<ITextEntryControl>();
  AdoptControl(*mTextEntryControl);
}

void IGraphics::ShowFPSDisplay(bool enable)
{
  if (enable)
  {
    if (!mPerfDisplay)
    {
      const IRECT bounds = mPerfDisplayBounds.Empty() ? kDefaultPerfDisplayBounds : mPerfDisplayBounds;
      mPerfDisplay = std::make_unique<IFPSDisplayControl>(bounds, IFPSDisplayControl::kFPS, "Frame Time");
      AdoptControl(*mPerfDisplay);
    }
  }
  else
  {
    // A click or hover on the display must not outlive it.
    OnControlRemoved(mPerfDisplay.get());
    mPerfDisplay.reset();
    mMouseOver = nullptr;
    mMouseOverIdx = -1;
  }
  SetAllControlsDirty();
}

void IGraphics::ShowBubbleControl(IControl* pCaller, float x, float y, const char* str, EDirection dir,
                                  IRECT minimumContentBounds)
{
  const int nBubbles = NBubbleControls();
  if (!nBubbles)
    return;

  if (!mEnableMultiTouch)
  {
    GetBubbleControl(0)->ShowBubble(pCaller, x, y, str, dir, minimumContentBounds, 0);
    return;
  }

  for (const auto& [touchID, pCaptured] : mCapturedMap)
  {
    if (pCaptured != pCaller)
      continue;
    IBubbleControl* pBubble = GetBubbleControl(static_cast<int>(sBubbleCounter++ % static_cast<unsigned>(nBubbles)));
    pBubble->ShowBubble(pCaller, x, y, str, dir, minimumContentBounds, touchID);
  }
}

void IGraphics::StyleAllVectorControls(const IVStyle& style)
{
  ForStandardControlsFunc([&style](IControl* pControl) {
    if (auto* pVectorBase = dynamic_cast<IVectorBase*>(pControl))
      pVectorBase->SetStyle(style);
  });
}

} // namespace igraphics
} // namespace iplug
