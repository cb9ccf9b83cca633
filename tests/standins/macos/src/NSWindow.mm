#import <AppKit/AppKit.h>

@implementation NSWindow
- (id)initWithContentRect:(NSRect)rect
                styleMask:(NSWindowStyleMask)style
                  backing:(NSBackingStoreType)backing
                    defer:(BOOL)defer
{
  (void)style;
  (void)backing;
  (void)defer;
  if ((self = [super init]))
  {
    mFrame = rect;
    mBackingScaleFactor = [[NSScreen mainScreen] backingScaleFactor];
    mOcclusionState = NSWindowOcclusionStateVisible;
    [self
      setContentView:[[[NSView alloc] initWithFrame:NSMakeRect(0, 0, rect.size.width, rect.size.height)] autorelease]];
  }
  return self;
}
- (void)dealloc
{
  [mContentView standInSetWindow:nil];
  [mContentView release];
  [super dealloc];
}
- (NSRect)frame
{
  return mFrame;
}
- (NSView*)contentView
{
  return mContentView;
}
- (void)setContentView:(NSView*)view
{
  if (view == mContentView)
    return;
  [mContentView standInSetWindow:nil];
  [mContentView setNextResponder:nil];
  [view retain];
  [mContentView release];
  mContentView = view;
  [mContentView setNextResponder:self];
  [mContentView standInSetWindow:self];
}
- (CGFloat)backingScaleFactor
{
  return mBackingScaleFactor;
}
static void TellBackingChanged(NSView* view)
{
  [view viewDidChangeBackingProperties];
  for (NSView* v in [view subviews])
    TellBackingChanged(v);
}
- (void)standInSetBackingScaleFactor:(CGFloat)scale
{
  mBackingScaleFactor = scale;
  TellBackingChanged(mContentView);
}
- (BOOL)makeFirstResponder:(NSResponder*)responder
{
  if (mFirstResponder == responder)
    return YES;
  if (mFirstResponder && ![mFirstResponder resignFirstResponder])
    return NO;
  mFirstResponder = nil;
  if (responder && ![responder becomeFirstResponder])
    return NO;
  mFirstResponder = responder;
  return YES;
}
- (NSResponder*)firstResponder
{
  return mFirstResponder ? mFirstResponder : self;
}
- (void)setAcceptsMouseMovedEvents:(BOOL)accepts
{
  mAcceptsMouseMovedEvents = accepts;
}
- (BOOL)acceptsMouseMovedEvents
{
  return mAcceptsMouseMovedEvents;
}
- (NSRect)convertRectFromScreen:(NSRect)rect
{
  return NSOffsetRect(rect, -mFrame.origin.x, -mFrame.origin.y);
}
- (NSRect)convertRectToScreen:(NSRect)rect
{
  return NSOffsetRect(rect, mFrame.origin.x, mFrame.origin.y);
}
- (void)makeKeyAndOrderFront:(id)sender
{
  (void)sender;
  mKey = YES;
}
- (BOOL)isKeyWindow
{
  return mKey;
}
- (NSWindowOcclusionState)occlusionState
{
  return mOcclusionState;
}
- (void)standInSetOcclusionState:(NSWindowOcclusionState)state
{
  mOcclusionState = state;
}
- (NSScreen*)screen
{
  return [NSScreen mainScreen];
}
- (void)close
{
  mKey = NO;
}
@end
