#pragma once

#import <Foundation/Foundation.h>

#include <os/availability.h>

typedef NSUInteger NSTrackingAreaOptions;
enum
{
  NSTrackingMouseEnteredAndExited = 0x01,
  NSTrackingMouseMoved = 0x02,
  NSTrackingCursorUpdate = 0x04,
  NSTrackingActiveWhenFirstResponder = 0x10,
  NSTrackingActiveInKeyWindow = 0x20,
  NSTrackingActiveInActiveApp = 0x40,
  NSTrackingActiveAlways = 0x80,
  NSTrackingAssumeInside = 0x100,
  NSTrackingInVisibleRect = 0x200,
  NSTrackingEnabledDuringMouseDrag = 0x400
};

/** A region of a view whose owner hears the pointer entering and leaving it. */
API_AVAILABLE(macos(10.5))
@interface NSTrackingArea : NSObject {
  NSRect mRect;
  NSTrackingAreaOptions mOptions;
  id mOwner; // not retained
  NSDictionary* mUserInfo;
}
- (id)initWithRect:(NSRect)rect options:(NSTrackingAreaOptions)options owner:(id)owner userInfo:(NSDictionary*)userInfo;
- (NSRect)rect;
- (NSTrackingAreaOptions)options;
- (id)owner;
- (NSDictionary*)userInfo;
@end
