#pragma once

#import <Foundation/Foundation.h>

@class NSWindow;

typedef NSUInteger NSEventType;
enum
{
  NSEventTypeLeftMouseDown = 1,
  NSEventTypeLeftMouseUp = 2,
  NSEventTypeRightMouseDown = 3,
  NSEventTypeRightMouseUp = 4,
  NSEventTypeMouseMoved = 5,
  NSEventTypeLeftMouseDragged = 6,
  NSEventTypeRightMouseDragged = 7,
  NSEventTypeMouseEntered = 8,
  NSEventTypeMouseExited = 9,
  NSEventTypeKeyDown = 10,
  NSEventTypeKeyUp = 11,
  NSEventTypeFlagsChanged = 12,
  NSEventTypeScrollWheel = 22,
  NSEventTypeOtherMouseDown = 25,
  NSEventTypeOtherMouseUp = 26,
  NSEventTypeOtherMouseDragged = 27
};

typedef unsigned long long NSEventMask;
static inline NSEventMask NSEventMaskFromType(NSEventType type)
{
  return 1ULL << type;
}
enum : unsigned long long
{
  NSEventMaskLeftMouseDown = 1ULL << NSEventTypeLeftMouseDown,
  NSEventMaskLeftMouseUp = 1ULL << NSEventTypeLeftMouseUp,
  NSEventMaskRightMouseDown = 1ULL << NSEventTypeRightMouseDown,
  NSEventMaskRightMouseUp = 1ULL << NSEventTypeRightMouseUp,
  NSEventMaskMouseMoved = 1ULL << NSEventTypeMouseMoved,
  NSEventMaskLeftMouseDragged = 1ULL << NSEventTypeLeftMouseDragged,
  NSEventMaskRightMouseDragged = 1ULL << NSEventTypeRightMouseDragged,
  NSEventMaskMouseEntered = 1ULL << NSEventTypeMouseEntered,
  NSEventMaskMouseExited = 1ULL << NSEventTypeMouseExited,
  NSEventMaskKeyDown = 1ULL << NSEventTypeKeyDown,
  NSEventMaskKeyUp = 1ULL << NSEventTypeKeyUp,
  NSEventMaskFlagsChanged = 1ULL << NSEventTypeFlagsChanged,
  NSEventMaskScrollWheel = 1ULL << NSEventTypeScrollWheel,
  NSEventMaskAny = ~0ULL
};

typedef NSUInteger NSEventModifierFlags;
enum
{
  NSEventModifierFlagCapsLock = 1 << 16,
  NSEventModifierFlagShift = 1 << 17,
  NSEventModifierFlagControl = 1 << 18,
  NSEventModifierFlagOption = 1 << 19,
  NSEventModifierFlagCommand = 1 << 20,
  NSEventModifierFlagNumericPad = 1 << 21,
  NSEventModifierFlagHelp = 1 << 22,
  NSEventModifierFlagFunction = 1 << 23,
  NSEventModifierFlagDeviceIndependentFlagsMask = 0xffff0000UL
};

typedef short NSEventSubtype;
enum
{
  NSEventSubtypeMouseEvent = 0,
  NSEventSubtypeTabletPoint = 1,
  NSEventSubtypeTabletProximity = 2,
  NSEventSubtypeTouch = 3
};

// The characters of the keys that have no printable one (Unicode private use area).
enum
{
  NSUpArrowFunctionKey = 0xF700,
  NSDownArrowFunctionKey = 0xF701,
  NSLeftArrowFunctionKey = 0xF702,
  NSRightArrowFunctionKey = 0xF703,
  NSF1FunctionKey = 0xF704,
  NSF24FunctionKey = 0xF71B,
  NSF35FunctionKey = 0xF726
};

/** An input event. Mouse positions are in the window's coordinates (origin bottom left). */
@interface NSEvent : NSObject {
  NSEventType mType;
  NSPoint mLocationInWindow;
  NSEventModifierFlags mModifierFlags;
  NSInteger mClickCount;
  NSEventSubtype mSubtype;
  unsigned short mKeyCode;
  NSString* mCharacters;
  NSString* mCharactersIgnoringModifiers;
  CGFloat mDeltaX;
  CGFloat mDeltaY;
  NSWindow* mWindow; // not retained
}
/** Where the pointer is, in screen coordinates (origin bottom left of the main screen). */
+ (NSPoint)mouseLocation;
+ (NSEventModifierFlags)modifierFlags;
- (NSEventType)type;
- (NSPoint)locationInWindow;
- (NSEventModifierFlags)modifierFlags;
- (NSInteger)clickCount;
- (NSEventSubtype)subtype;
- (unsigned short)keyCode;
- (NSString*)characters;
- (NSString*)charactersIgnoringModifiers;
- (CGFloat)deltaX;
- (CGFloat)deltaY;
- (NSWindow*)window;
- (NSTimeInterval)timestamp;
@end
