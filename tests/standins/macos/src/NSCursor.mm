#import <AppKit/AppKit.h>

#import <StandIns/AppKitCursors.h>

@interface NSCursor (StandInNames)
- (NSString*)standInName;
@end

static BOOL sPrivateCursorsAvailable = NO;
static NSCursor* sCurrent = nil;
static BOOL sHelpCursorShown = NO;
static int sHelpCursorHideCount = 0;

@implementation NSCursor
// The system cursors live as long as the program, one per name.
+ (NSCursor*)standInSystemCursor:(NSString*)name
{
  static NSMutableDictionary* cursors = nil;
  if (!cursors)
    cursors = [[NSMutableDictionary alloc] init];
  NSCursor* c = [cursors objectForKey:name];
  if (!c)
  {
    c = [[[NSCursor alloc] initWithImage:nil hotSpot:NSMakePoint(0, 0)] autorelease];
    c->mName = [name copy];
    [cursors setObject:c forKey:name];
  }
  return c;
}
+ (BOOL)standInIsPrivateSelector:(SEL)selector
{
  static const char* const names[] = {"busyButClickableCursor",
                                      "_windowResizeNorthCursor",
                                      "_windowResizeNorthWestSouthEastCursor",
                                      "_windowResizeNorthEastSouthWestCursor",
                                      "_windowResizeEastWestCursor",
                                      "_windowResizeNorthSouthCursor",
                                      "_helpCursor",
                                      "helpCursorShown",
                                      "_setHelpCursor:"};
  for (const char* n : names)
    if (sel_isEqual(selector, sel_registerName(n)))
      return YES;
  return NO;
}
+ (BOOL)respondsToSelector:(SEL)selector
{
  if ([self standInIsPrivateSelector:selector])
    return sPrivateCursorsAvailable;
  return [super respondsToSelector:selector];
}
+ (NSCursor*)arrowCursor
{
  return [self standInSystemCursor:@"arrow"];
}
+ (NSCursor*)IBeamCursor
{
  return [self standInSystemCursor:@"IBeam"];
}
+ (NSCursor*)crosshairCursor
{
  return [self standInSystemCursor:@"crosshair"];
}
+ (NSCursor*)closedHandCursor
{
  return [self standInSystemCursor:@"closedHand"];
}
+ (NSCursor*)openHandCursor
{
  return [self standInSystemCursor:@"openHand"];
}
+ (NSCursor*)pointingHandCursor
{
  return [self standInSystemCursor:@"pointingHand"];
}
+ (NSCursor*)resizeLeftCursor
{
  return [self standInSystemCursor:@"resizeLeft"];
}
+ (NSCursor*)resizeRightCursor
{
  return [self standInSystemCursor:@"resizeRight"];
}
+ (NSCursor*)resizeLeftRightCursor
{
  return [self standInSystemCursor:@"resizeLeftRight"];
}
+ (NSCursor*)resizeUpCursor
{
  return [self standInSystemCursor:@"resizeUp"];
}
+ (NSCursor*)resizeDownCursor
{
  return [self standInSystemCursor:@"resizeDown"];
}
+ (NSCursor*)resizeUpDownCursor
{
  return [self standInSystemCursor:@"resizeUpDown"];
}
+ (NSCursor*)operationNotAllowedCursor
{
  return [self standInSystemCursor:@"operationNotAllowed"];
}
+ (NSCursor*)dragCopyCursor
{
  return [self standInSystemCursor:@"dragCopy"];
}
+ (NSCursor*)busyButClickableCursor
{
  return [self standInSystemCursor:@"busyButClickable"];
}
+ (NSCursor*)_windowResizeNorthCursor
{
  return [self standInSystemCursor:@"_windowResizeNorth"];
}
+ (NSCursor*)_windowResizeNorthWestSouthEastCursor
{
  return [self standInSystemCursor:@"_windowResizeNorthWestSouthEast"];
}
+ (NSCursor*)_windowResizeNorthEastSouthWestCursor
{
  return [self standInSystemCursor:@"_windowResizeNorthEastSouthWest"];
}
+ (NSCursor*)_windowResizeEastWestCursor
{
  return [self standInSystemCursor:@"_windowResizeEastWest"];
}
+ (NSCursor*)_windowResizeNorthSouthCursor
{
  return [self standInSystemCursor:@"_windowResizeNorthSouth"];
}
+ (NSCursor*)_helpCursor
{
  return [self standInSystemCursor:@"_helpCursor"];
}
+ (BOOL)helpCursorShown
{
  return sHelpCursorShown;
}
+ (void)_setHelpCursor:(BOOL)shown
{
  if (!shown)
    sHelpCursorHideCount++;
  sHelpCursorShown = shown;
}
+ (NSCursor*)currentCursor
{
  return sCurrent ? sCurrent : [self arrowCursor];
}
+ (void)hide
{}
+ (void)unhide
{}
- (id)initWithImage:(NSImage*)image hotSpot:(NSPoint)hotSpot
{
  if ((self = [super init]))
  {
    mImage = [(id)image retain];
    mHotSpot = hotSpot;
  }
  return self;
}
- (void)dealloc
{
  [mName release];
  [(id)mImage release];
  [super dealloc];
}
- (NSImage*)image
{
  return mImage;
}
- (NSPoint)hotSpot
{
  return mHotSpot;
}
- (NSString*)standInName
{
  return mName;
}
- (void)set
{
  [self retain];
  [sCurrent release];
  sCurrent = self;
  if (mName && [mName isEqualToString:@"_helpCursor"])
    sHelpCursorShown = YES;
}
@end

void StandInSetPrivateCursorsAvailable(BOOL available)
{
  sPrivateCursorsAvailable = available;
}

NSString* StandInCursorName(NSCursor* cursor)
{
  return [cursor standInName];
}

int StandInHelpCursorHideCount(void)
{
  return sHelpCursorHideCount;
}

void StandInResetCursors(void)
{
  [sCurrent release];
  sCurrent = nil;
  sHelpCursorShown = NO;
  sHelpCursorHideCount = 0;
  sPrivateCursorsAvailable = NO;
}
