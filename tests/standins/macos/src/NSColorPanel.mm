#import <AppKit/AppKit.h>

#import <StandIns/AppKitColorPanel.h>

namespace
{
NSColorPanel* sSharedPanel = nil;
}

@interface NSColorPanel ()
- (id)standInTarget;
- (SEL)standInAction;
@end

@implementation NSColorPanel
+ (NSColorPanel*)sharedColorPanel
{
  if (!sSharedPanel)
  {
    sSharedPanel = [[NSColorPanel alloc] initWithContentRect:NSMakeRect(0, 0, 220, 300)
                                                   styleMask:NSWindowStyleMaskBorderless
                                                     backing:NSBackingStoreBuffered
                                                       defer:NO];
    [sSharedPanel setColor:[NSColor colorWithDeviceWhite:1 alpha:1]];
  }
  return sSharedPanel;
}
+ (BOOL)sharedColorPanelExists
{
  return sSharedPanel != nil;
}
- (void)dealloc
{
  [mColor release];
  [super dealloc];
}
- (void)setTarget:(id)target
{
  mTarget = target;
}
- (void)setAction:(SEL)action
{
  mAction = action;
}
- (id)standInTarget
{
  return mTarget;
}
- (SEL)standInAction
{
  return mAction;
}
- (void)setShowsAlpha:(BOOL)shows
{
  mShowsAlpha = shows;
}
- (BOOL)showsAlpha
{
  return mShowsAlpha;
}
- (void)setColor:(NSColor*)color
{
  [color retain];
  [mColor release];
  mColor = color;
}
- (NSColor*)color
{
  return mColor;
}
- (void)orderFront:(id)sender
{
  (void)sender;
  mVisible = YES;
}
- (BOOL)isVisible
{
  return mVisible;
}
- (void)close
{
  mVisible = NO;
  [super close];
}
@end

BOOL StandInPickColor(NSColor* color)
{
  NSColorPanel* panel = sSharedPanel;
  if (!panel || ![panel isVisible])
    return NO;
  [panel setColor:color];
  if ([panel standInTarget] && [panel standInAction])
    [[panel standInTarget] performSelector:[panel standInAction] withObject:panel];
  return YES;
}

id StandInColorPanelTarget(void)
{
  return [sSharedPanel standInTarget];
}

SEL StandInColorPanelAction(void)
{
  return [sSharedPanel standInAction];
}
