#import <AppKit/AppKit.h>

NSString* const NSViewFrameDidChangeNotification = @"NSViewFrameDidChangeNotification";

@implementation NSView
- (id)init
{
  return [self initWithFrame:NSMakeRect(0, 0, 0, 0)];
}
- (id)initWithFrame:(NSRect)frame
{
  if ((self = [super init]))
  {
    mFrame = frame;
    mSubviews = [[NSMutableArray alloc] init];
    mToolTipRects = [[NSMutableArray alloc] init];
    mToolTipOwners = [[NSMutableArray alloc] init];
    mTrackingAreas = [[NSMutableArray alloc] init];
  }
  return self;
}
- (void)dealloc
{
  for (NSView* v in mSubviews)
  {
    v->mSuperview = nil;
    [v standInSetWindow:nil];
  }
  [mSubviews release];
  [mToolTipRects release];
  [mToolTipOwners release];
  [mTrackingAreas release];
  [mDraggedTypes release];
  [mLayer setDelegate:nil];
  [mLayer release];
  [mAppearance release];
  [super dealloc];
}
- (NSRect)frame
{
  return mFrame;
}
- (NSRect)bounds
{
  return NSMakeRect(0, 0, mFrame.size.width, mFrame.size.height);
}
- (void)postFrameChange
{
  [[NSNotificationCenter defaultCenter] postNotificationName:NSViewFrameDidChangeNotification object:self];
}
- (void)setFrame:(NSRect)frame
{
  mFrame = frame;
  [self postFrameChange];
}
- (void)setFrameSize:(NSSize)size
{
  mFrame.size = size;
  [self postFrameChange];
}
- (void)setFrameOrigin:(NSPoint)origin
{
  mFrame.origin = origin;
  [self postFrameChange];
}
- (NSView*)superview
{
  return mSuperview;
}
- (NSArray*)subviews
{
  return mSubviews;
}
- (NSWindow*)window
{
  return mWindow;
}
- (void)standInSetWindow:(NSWindow*)window
{
  if (mWindow == window)
    return;
  // The window does not retain its first responder: a view that leaves stops being it.
  if (mWindow && [mWindow firstResponder] == self)
    [mWindow makeFirstResponder:nil];
  mWindow = window;
  // AppKit keeps a layer-backed view's layer at the backing scale of its window.
  if (window && mLayer)
    [mLayer setContentsScale:[window backingScaleFactor]];
  for (NSView* v in mSubviews)
    [v standInSetWindow:window];
  [self viewDidMoveToWindow];
}
- (void)addSubview:(NSView*)view
{
  if (!view)
    return;
  [view retain];
  [view removeFromSuperview];
  [mSubviews addObject:view];
  view->mSuperview = self;
  [view setNextResponder:self];
  [view release];
  [view standInSetWindow:mWindow];
}
- (void)removeFromSuperview
{
  NSView* superview = mSuperview;
  if (!superview)
    return;
  mSuperview = nil;
  [self setNextResponder:nil];
  [self retain];
  [superview->mSubviews removeObjectIdenticalTo:self];
  [self standInSetWindow:nil];
  [self release];
}
- (void)viewDidMoveToWindow
{}
- (void)viewDidChangeBackingProperties
{}
- (void)viewDidChangeEffectiveAppearance
{}
- (BOOL)isFlipped
{
  return NO;
}
- (BOOL)isOpaque
{
  return NO;
}
- (BOOL)acceptsFirstMouse:(NSEvent*)event
{
  (void)event;
  return NO;
}
- (void)setHidden:(BOOL)hidden
{
  mHidden = hidden;
}
- (BOOL)isHidden
{
  return mHidden;
}
- (void)setNeedsDisplay:(BOOL)needs
{
  (void)needs;
}
- (void)drawRect:(NSRect)dirtyRect
{
  (void)dirtyRect;
}
- (void)setWantsLayer:(BOOL)wants
{
  mWantsLayer = wants;
  if (wants && !mLayer)
  {
    mLayer = [[self makeBackingLayer] retain];
    [mLayer setDelegate:self];
  }
}
- (BOOL)wantsLayer
{
  return mWantsLayer;
}
- (CALayer*)layer
{
  return mLayer;
}
- (void)setLayer:(CALayer*)layer
{
  [layer retain];
  [mLayer setDelegate:nil];
  [mLayer release];
  mLayer = layer;
  [mLayer setDelegate:self];
}
- (CALayer*)makeBackingLayer
{
  return [CALayer layer];
}
- (void)setLayerContentsRedrawPolicy:(NSViewLayerContentsRedrawPolicy)policy
{
  mRedrawPolicy = policy;
}
- (NSViewLayerContentsRedrawPolicy)layerContentsRedrawPolicy
{
  return mRedrawPolicy;
}
- (void)setPostsFrameChangedNotifications:(BOOL)posts
{
  (void)posts;
}

// A point in the superview's coordinates (the window's for a view without one) to this view's.
- (NSPoint)pointFromSuperview:(NSPoint)p
{
  const CGFloat superHeight = mSuperview ? [mSuperview bounds].size.height : 0;
  const BOOL superFlipped = mSuperview ? [mSuperview isFlipped] : NO;
  // Everything counted up from the bottom first, then flipped where this view counts down.
  const CGFloat yUp = superFlipped ? superHeight - p.y : p.y;
  const CGFloat originUp = superFlipped ? superHeight - mFrame.origin.y - mFrame.size.height : mFrame.origin.y;
  const CGFloat localUp = yUp - originUp;
  return NSMakePoint(p.x - mFrame.origin.x, [self isFlipped] ? mFrame.size.height - localUp : localUp);
}
- (NSPoint)pointToSuperview:(NSPoint)p
{
  const CGFloat superHeight = mSuperview ? [mSuperview bounds].size.height : 0;
  const BOOL superFlipped = mSuperview ? [mSuperview isFlipped] : NO;
  const CGFloat localUp = [self isFlipped] ? mFrame.size.height - p.y : p.y;
  const CGFloat originUp = superFlipped ? superHeight - mFrame.origin.y - mFrame.size.height : mFrame.origin.y;
  const CGFloat yUp = localUp + originUp;
  return NSMakePoint(p.x + mFrame.origin.x, superFlipped ? superHeight - yUp : yUp);
}
- (NSPoint)pointFromWindow:(NSPoint)p
{
  return [self pointFromSuperview:mSuperview ? [mSuperview pointFromWindow:p] : p];
}
- (NSPoint)pointToWindow:(NSPoint)p
{
  const NSPoint inSuper = [self pointToSuperview:p];
  return mSuperview ? [mSuperview pointToWindow:inSuper] : inSuper;
}
- (NSPoint)convertPoint:(NSPoint)point fromView:(NSView*)view
{
  const NSPoint inWindow = view ? [view pointToWindow:point] : point;
  return [self pointFromWindow:inWindow];
}
- (NSPoint)convertPoint:(NSPoint)point toView:(NSView*)view
{
  const NSPoint inWindow = [self pointToWindow:point];
  return view ? [view pointFromWindow:inWindow] : inWindow;
}
- (NSRect)convertRect:(NSRect)rect toView:(NSView*)view
{
  const NSPoint a = [self convertPoint:rect.origin toView:view];
  const NSPoint b = [self convertPoint:NSMakePoint(NSMaxX(rect), NSMaxY(rect)) toView:view];
  return NSMakeRect(MIN(a.x, b.x), MIN(a.y, b.y), fabs(b.x - a.x), fabs(b.y - a.y));
}
- (NSToolTipTag)addToolTipRect:(NSRect)rect owner:(id)owner userData:(void*)data
{
  (void)data;
  [mToolTipRects addObject:[NSValue valueWithRect:rect]];
  [mToolTipOwners addObject:owner ? owner : [NSNull null]];
  return static_cast<NSToolTipTag>([mToolTipRects count]);
}
- (void)removeAllToolTips
{
  [mToolTipRects removeAllObjects];
  [mToolTipOwners removeAllObjects];
}
- (NSArray*)standInToolTipRects
{
  return mToolTipRects;
}
- (void)registerForDraggedTypes:(NSArray*)types
{
  [types retain];
  [mDraggedTypes release];
  mDraggedTypes = types;
}
- (NSArray*)registeredDraggedTypes
{
  return mDraggedTypes;
}
- (void)addTrackingArea:(NSTrackingArea*)area
{
  [mTrackingAreas addObject:area];
}
- (void)removeTrackingArea:(NSTrackingArea*)area
{
  [mTrackingAreas removeObjectIdenticalTo:area];
}
- (NSArray*)trackingAreas
{
  return mTrackingAreas;
}
- (void)updateTrackingAreas
{}
- (NSAppearance*)effectiveAppearance
{
  if (mAppearance)
    return mAppearance;
  return mSuperview ? [mSuperview effectiveAppearance] : nil;
}
- (void)setAppearance:(NSAppearance*)appearance
{
  [appearance retain];
  [mAppearance release];
  mAppearance = appearance;
  [self viewDidChangeEffectiveAppearance];
}
@end
