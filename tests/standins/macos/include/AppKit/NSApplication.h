#pragma once

#import <AppKit/NSResponder.h>

@class NSEvent;

/** The version of AppKit, as the system reports it; tests may set it. */
extern double NSAppKitVersionNumber;

/** The run-loop modes AppKit runs while a modal panel is up and while it tracks the mouse (menus,
 * drags, live resize). */
extern NSString* const NSModalPanelRunLoopMode;
extern NSString* const NSEventTrackingRunLoopMode;

/** Makes Cocoa usable from a plug-in; here it only records that it was called. */
BOOL NSApplicationLoad(void);

@interface NSApplication : NSResponder {
  NSEvent* mCurrentEvent;
}
+ (NSApplication*)sharedApplication;
/** The event being handled; the stand-in's synthetic events set it while they are delivered. */
- (NSEvent*)currentEvent;
@end

#define NSApp [NSApplication sharedApplication]
