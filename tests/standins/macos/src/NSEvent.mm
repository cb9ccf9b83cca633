#import <AppKit/AppKit.h>

#import <StandIns/AppKitEvents.h>

@interface NSEvent (StandInMaking)
- (id)standInInitWithType:(NSEventType)type
                 location:(NSPoint)location
                    flags:(NSEventModifierFlags)flags
                   window:(NSWindow*)window;
- (void)standInSetClickCount:(NSInteger)clickCount subtype:(NSEventSubtype)subtype;
- (void)standInSetKeyCode:(unsigned short)keyCode
                   characters:(NSString*)characters
  charactersIgnoringModifiers:(NSString*)charactersIgnoringModifiers;
- (void)standInSetDeltaY:(CGFloat)deltaY;
@end

static NSPoint sMouseLocation = {0, 0};
static NSEventModifierFlags sModifierFlags = 0;

@implementation NSEvent
+ (NSPoint)mouseLocation
{
  return sMouseLocation;
}
+ (NSEventModifierFlags)modifierFlags
{
  return sModifierFlags;
}
- (void)dealloc
{
  [mCharacters release];
  [mCharactersIgnoringModifiers release];
  [super dealloc];
}
- (NSEventType)type
{
  return mType;
}
- (NSPoint)locationInWindow
{
  return mLocationInWindow;
}
- (NSEventModifierFlags)modifierFlags
{
  return mModifierFlags;
}
// AppKit raises when these are asked of an event type without them.
- (NSInteger)clickCount
{
  NSAssert(mType <= NSEventTypeRightMouseDragged || mType >= NSEventTypeOtherMouseDown,
           @"clickCount of a non-click event");
  return mClickCount;
}
- (NSEventSubtype)subtype
{
  return mSubtype;
}
- (unsigned short)keyCode
{
  NSAssert(mType == NSEventTypeKeyDown || mType == NSEventTypeKeyUp || mType == NSEventTypeFlagsChanged,
           @"keyCode of a non-key event");
  return mKeyCode;
}
- (NSString*)characters
{
  NSAssert(mType == NSEventTypeKeyDown || mType == NSEventTypeKeyUp, @"characters of a non-key event");
  return mCharacters;
}
- (NSString*)charactersIgnoringModifiers
{
  NSAssert(mType == NSEventTypeKeyDown || mType == NSEventTypeKeyUp, @"characters of a non-key event");
  return mCharactersIgnoringModifiers;
}
- (CGFloat)deltaX
{
  return mDeltaX;
}
- (CGFloat)deltaY
{
  return mDeltaY;
}
- (NSWindow*)window
{
  return mWindow;
}
- (NSTimeInterval)timestamp
{
  return 0;
}
- (id)standInInitWithType:(NSEventType)type
                 location:(NSPoint)location
                    flags:(NSEventModifierFlags)flags
                   window:(NSWindow*)window
{
  if ((self = [super init]))
  {
    mType = type;
    mLocationInWindow = location;
    mModifierFlags = flags;
    mWindow = window;
  }
  return self;
}
- (void)standInSetClickCount:(NSInteger)clickCount subtype:(NSEventSubtype)subtype
{
  mClickCount = clickCount;
  mSubtype = subtype;
}
- (void)standInSetKeyCode:(unsigned short)keyCode
                   characters:(NSString*)characters
  charactersIgnoringModifiers:(NSString*)charactersIgnoringModifiers
{
  mKeyCode = keyCode;
  [mCharacters release];
  mCharacters = [characters copy];
  [mCharactersIgnoringModifiers release];
  mCharactersIgnoringModifiers = [charactersIgnoringModifiers copy];
}
- (void)standInSetDeltaY:(CGFloat)deltaY
{
  mDeltaY = deltaY;
}
@end

@interface NSApplication (StandInEvents)
- (void)standInSetCurrentEvent:(NSEvent*)event;
@end

@implementation NSApplication (StandInEvents)
- (void)standInSetCurrentEvent:(NSEvent*)event
{
  [event retain];
  [mCurrentEvent release];
  mCurrentEvent = event;
}
@end

static NSEvent* NewEvent(NSEventType type, NSPoint location, NSEventModifierFlags flags, NSWindow* window)
{
  return [[[NSEvent alloc] standInInitWithType:type location:location flags:flags window:window] autorelease];
}

NSEvent* StandInMouseEvent(NSEventType type, NSPoint locationInWindow, NSEventModifierFlags flags, NSInteger clickCount,
                           NSEventSubtype subtype, NSWindow* window)
{
  NSEvent* e = NewEvent(type, locationInWindow, flags, window);
  [e standInSetClickCount:clickCount subtype:subtype];
  return e;
}

NSEvent* StandInKeyEvent(NSEventType type, unsigned short keyCode, NSString* characters,
                         NSString* charactersIgnoringModifiers, NSEventModifierFlags flags, NSWindow* window)
{
  NSEvent* e = NewEvent(type, NSMakePoint(0, 0), flags, window);
  [e standInSetKeyCode:keyCode characters:characters charactersIgnoringModifiers:charactersIgnoringModifiers];
  return e;
}

NSEvent* StandInScrollEvent(NSPoint locationInWindow, NSEventModifierFlags flags, CGFloat deltaY, NSWindow* window)
{
  NSEvent* e = NewEvent(NSEventTypeScrollWheel, locationInWindow, flags, window);
  [e standInSetDeltaY:deltaY];
  return e;
}

void StandInSendEvent(NSEvent* event, NSResponder* responder)
{
  NSApplication* app = [NSApplication sharedApplication];
  NSEvent* previous = [[app currentEvent] retain];
  [app standInSetCurrentEvent:event];
  switch ([event type])
  {
  case NSEventTypeLeftMouseDown: [responder mouseDown:event]; break;
  case NSEventTypeLeftMouseUp: [responder mouseUp:event]; break;
  case NSEventTypeRightMouseDown: [responder rightMouseDown:event]; break;
  case NSEventTypeRightMouseUp: [responder rightMouseUp:event]; break;
  case NSEventTypeMouseMoved: [responder mouseMoved:event]; break;
  case NSEventTypeLeftMouseDragged: [responder mouseDragged:event]; break;
  case NSEventTypeRightMouseDragged: [responder rightMouseDragged:event]; break;
  case NSEventTypeMouseEntered: [responder mouseEntered:event]; break;
  case NSEventTypeMouseExited: [responder mouseExited:event]; break;
  case NSEventTypeKeyDown: [responder keyDown:event]; break;
  case NSEventTypeKeyUp: [responder keyUp:event]; break;
  case NSEventTypeScrollWheel: [responder scrollWheel:event]; break;
  default: break;
  }
  [app standInSetCurrentEvent:previous];
  [previous release];
}

void StandInSendEventToFirstResponder(NSEvent* event)
{
  StandInSendEvent(event, [[event window] firstResponder]);
}

void StandInSetMouseLocation(NSPoint screenPoint)
{
  sMouseLocation = screenPoint;
}

void StandInSetCurrentModifierFlags(NSEventModifierFlags flags)
{
  sModifierFlags = flags;
}
