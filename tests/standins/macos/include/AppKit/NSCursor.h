#pragma once

#import <Foundation/Foundation.h>

#include <os/availability.h>

@class NSImage;

/** A mouse cursor. The system's cursors are shared objects; set makes one the current cursor.
 * AppKit's private cursors (busyButClickableCursor, _windowResize...Cursor, _helpCursor,
 * helpCursorShown, _setHelpCursor:) exist only on some systems: the class answers to them only
 * when a test says so (StandIns/AppKitCursors.h). */
@interface NSCursor : NSObject {
  NSString* mName;
  NSImage* mImage;
  NSPoint mHotSpot;
}
+ (NSCursor*)arrowCursor;
+ (NSCursor*)IBeamCursor;
+ (NSCursor*)crosshairCursor;
+ (NSCursor*)closedHandCursor;
+ (NSCursor*)openHandCursor;
+ (NSCursor*)pointingHandCursor;
+ (NSCursor*)resizeLeftCursor;
+ (NSCursor*)resizeRightCursor;
+ (NSCursor*)resizeLeftRightCursor;
+ (NSCursor*)resizeUpCursor;
+ (NSCursor*)resizeDownCursor;
+ (NSCursor*)resizeUpDownCursor;
+ (NSCursor*)operationNotAllowedCursor API_AVAILABLE(macos(10.5));
+ (NSCursor*)dragCopyCursor API_AVAILABLE(macos(10.6));
+ (NSCursor*)currentCursor;
+ (void)hide;
+ (void)unhide;
- (id)initWithImage:(NSImage*)image hotSpot:(NSPoint)hotSpot;
- (NSImage*)image;
- (NSPoint)hotSpot;
- (void)set;
@end
