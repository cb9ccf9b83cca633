// The macOS editor's life: its view, drawing context and scale, and the platform calls that are
// messages to the view.
#include "igraphics/platforms/IGraphicsMac.h"

#import "igraphics/platforms/IGraphicsView.h"

#include <CoreServices/CoreServices.h>

#include <cmath>

#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/controls/IPopupMenuControl.h"
#include "igraphics/platforms/CoreTextHelpers.h"

namespace iplug
{
namespace igraphics
{

namespace
{
IGraphicsView* View(void* pView)
{
  return static_cast<IGraphicsView*>(pView);
}
} // namespace

IGraphicsMac::IGraphicsMac(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
: IGraphicsNanoVG(dlg, w, h, fps, scale)
{
  NSApplicationLoad();
  StaticStorage<CoreTextFontDescriptor>::Accessor descriptors(FontDescriptorCache());
  descriptors.Retain();
}

IGraphicsMac::~IGraphicsMac()
{
  {
    StaticStorage<CoreTextFontDescriptor>::Accessor descriptors(FontDescriptorCache());
    descriptors.Release();
  }
  CloseView();
}

void* IGraphicsMac::OpenWindow(void* pParent)
{
  CloseView();
  IGraphicsView* view = [[IGraphicsView alloc] initWithIGraphics:this];
  mCocoaView = view;
  [view activateGLContext];
  OnViewInitialized([view layer]);
  if (!GetDrawContext())
  {
    // No Metal device (some virtual machines and remote sessions): the host is told the editor
    // did not open, rather than getting a view whose first frame draws on nothing.
    CloseView();
    return nullptr;
  }
  // MetalNanoVG makes the layer non-opaque when it sets up its renderer; the editor covers it all.
  [[view layer] setOpaque:YES];
  SetScreenScale(static_cast<float>([[NSScreen mainScreen] backingScaleFactor]));
  GetDelegate()->LayoutUI(this);
  UpdateTooltips();
  GetDelegate()->OnUIOpen();
  if (pParent)
    [static_cast<NSView*>(pParent) addSubview:view];
  return mCocoaView;
}

void IGraphicsMac::CloseWindow()
{
  CloseView();
}

void IGraphicsMac::CloseView()
{
  if (!mCocoaView)
    return;
  IGraphicsView* view = View(mCocoaView);
  [view removeAllToolTips];
  [view killTimer];
  // Null first: the view's removeFromSuperview would otherwise ask the delegate to close us again.
  mCocoaView = nullptr;
  [view removeFromSuperview];
  [view release];
  OnViewDestroyed();
}

void IGraphicsMac::ReleaseParentWindow()
{
  if (!mCocoaView)
    return;
  IGraphicsView* view = View(mCocoaView);
  [view killTimer];
  // The delegate is closing already, so the view's own removal does not ask it to close again; it
  // lets go of this object, which keeps the view until CloseWindow.
  [view removeFromSuperview];
}

void IGraphicsMac::ActivateGLContext()
{
  if (mCocoaView)
    [View(mCocoaView) activateGLContext];
}

void IGraphicsMac::DeactivateGLContext()
{
  if (mCocoaView)
    [View(mCocoaView) deactivateGLContext];
}

void IGraphicsMac::PlatformResize(bool /*parentHasResized*/)
{
  if (!mCocoaView)
    return;
  // A host may animate frame changes; the editor's size must take effect at once.
  [NSAnimationContext beginGrouping];
  [[NSAnimationContext currentContext] setDuration:0.0];
  [View(mCocoaView) setFrameSize:NSMakeSize(WindowWidth(), WindowHeight())];
  [NSAnimationContext endGrouping];
  UpdateTooltips();
}

void IGraphicsMac::AttachPlatformView(const IRECT& r, void* pView)
{
  if (!mCocoaView)
    return;
  const IRECT scaled = ScaledRect(r);
  NSView* view = static_cast<NSView*>(pView);
  [view setFrame:NSMakeRect(scaled.L, scaled.T, scaled.W(), scaled.H())];
  [View(mCocoaView) addSubview:view];
}

void IGraphicsMac::RemovePlatformView(void* pView)
{
  [static_cast<NSView*>(pView) removeFromSuperview];
}

void IGraphicsMac::HidePlatformView(void* pView, bool hide)
{
  [static_cast<NSView*>(pView) setHidden:hide];
}

void IGraphicsMac::UpdateTooltips()
{
  if (!mCocoaView || !TooltipsEnabled())
    return;
  IGraphicsView* view = View(mCocoaView);
  NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
  [view removeAllToolTips];
  // An open drawn menu covers the controls; their tips come back when it has closed.
  const auto* pMenu = static_cast<const IPopupMenuControl*>(mPopupControl.get());
  if (!pMenu || pMenu->GetState() == IPopupMenuControl::kClosed)
  {
    ForStandardControlsFunc([view](IControl* pControl) {
      if (!pControl->IsHidden() && !pControl->GetTargetRECT().Empty())
        [view registerToolTip:pControl->GetTargetRECT()];
    });
  }
  [pool drain];
}

EUIAppearance IGraphicsMac::GetUIAppearance() const
{
  return mCocoaView ? [View(mCocoaView) uiAppearance] : EUIAppearance::Light;
}

void IGraphicsMac::GetMouseLocation(float& x, float& y) const
{
  NSPoint p = [NSEvent mouseLocation];
  if (mCocoaView)
  {
    IGraphicsView* view = View(mCocoaView);
    if (NSWindow* window = [view window])
      p = [window convertRectFromScreen:NSMakeRect(p.x, p.y, 0, 0)].origin;
    p = [view convertPoint:p fromView:nil];
    p.x /= GetDrawScale();
    p.y /= GetDrawScale();
  }
  x = static_cast<float>(p.x);
  y = static_cast<float>(p.y);
}

void IGraphicsMac::HideMouseCursor(bool hide, bool lock)
{
  if (mCursorHidden == hide)
    return;
  mCursorHidden = hide;
  if (hide)
  {
    StoreCursorPosition();
    CGDisplayHideCursor(CGMainDisplayID());
    mCursorLock = lock;
  }
  else
  {
    CGDisplayShowCursor(CGMainDisplayID());
    mCursorLock = false;
  }
}

void IGraphicsMac::MoveMouseCursor(float x, float y)
{
  // Without a window there is no screen point to go to.
  if (mTabletInput || !mCocoaView || ![View(mCocoaView) window])
    return;
  PointToScreen(x, y);
  RepositionCursor(CGPointMake(x, y));
  StoreCursorPosition();
}

ECursor IGraphicsMac::SetMouseCursor(ECursor cursorType)
{
  if (mCocoaView)
    [View(mCocoaView) setMouseCursor:cursorType];
  return IGraphicsNanoVG::SetMouseCursor(cursorType);
}

void IGraphicsMac::DoCursorLock(float x, float y, float& prevX, float& prevY)
{
  if (mCursorHidden && mCursorLock && !mTabletInput)
  {
    RepositionCursor(mHeldCursorPoint);
    prevX = mHiddenCursorX;
    prevY = mHiddenCursorY;
  }
  else
  {
    prevX = mHiddenCursorX = x;
    prevY = mHiddenCursorY = y;
  }
}

void IGraphicsMac::PointToScreen(float& x, float& y) const
{
  IGraphicsView* view = View(mCocoaView);
  NSWindow* window = [view window];
  if (!window)
  {
    x = y = 0.f;
    return;
  }
  const NSPoint inWindow = [view convertPoint:NSMakePoint(x * GetDrawScale(), y * GetDrawScale()) toView:nil];
  const NSRect onScreen = [window convertRectToScreen:NSMakeRect(inWindow.x, inWindow.y, 0, 0)];
  x = static_cast<float>(onScreen.origin.x);
  y = static_cast<float>(onScreen.origin.y);
}

void IGraphicsMac::ScreenToPoint(float& x, float& y) const
{
  IGraphicsView* view = View(mCocoaView);
  NSWindow* window = [view window];
  if (!window)
  {
    x = y = 0.f;
    return;
  }
  const NSRect inWindow = [window convertRectFromScreen:NSMakeRect(x, y, 0, 0)];
  const NSPoint inView = [view convertPoint:inWindow.origin fromView:nil];
  x = static_cast<float>(inView.x / GetDrawScale());
  y = static_cast<float>(inView.y / GetDrawScale());
}

int IGraphicsMac::GetUserOSVersion()
{
  static const int sVersion = UserOSVersionForAppKit(NSAppKitVersionNumber);
  return sVersion;
}

int IGraphicsMac::UserOSVersionForAppKit(double appKitVersion)
{
  if (appKitVersion >= 1404)
    return 0x10B0;
  if (appKitVersion >= 1266)
    return 0x10A0;
    // Only systems older than 10.10 get here, where the system call still answers.
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wdeprecated-declarations"
  SInt32 version = 0;
  Gestalt(gestaltSystemVersion, &version);
#pragma clang diagnostic pop
  return static_cast<int>(version);
}

IRECT IGraphicsMac::ScaledRect(const IRECT& r) const
{
  const float s = GetDrawScale();
  return IRECT(std::floor(r.L * s), std::floor(r.T * s), std::ceil(r.R * s), std::ceil(r.B * s));
}

void IGraphicsMac::StoreCursorPosition()
{
  const NSPoint p = [NSEvent mouseLocation];
  mHeldCursorPoint = CGPointMake(std::round(p.x), std::round(p.y));
  float x = static_cast<float>(mHeldCursorPoint.x);
  float y = static_cast<float>(mHeldCursorPoint.y);
  ScreenToPoint(x, y);
  mHiddenCursorX = x;
  mHiddenCursorY = y;
}

void IGraphicsMac::RepositionCursor(CGPoint point)
{
  // Cocoa's screen coordinates count up from the bottom of the main display, Core Graphics' down
  // from its top. Unhooking the mouse meanwhile keeps the move from turning into mouse movement.
  const CGDirectDisplayID display = CGMainDisplayID();
  CGAssociateMouseAndMouseCursorPosition(false);
  CGDisplayMoveCursorToPoint(display, CGPointMake(point.x, CGDisplayPixelsHigh(display) - point.y));
  CGAssociateMouseAndMouseCursorPosition(true);
}

} // namespace igraphics
} // namespace iplug
